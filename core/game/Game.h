#pragma once

#include "core/board/Board.h"
#include "core/game/GameOptions.h"
#include "core/game/LetterBag.h"
#include "core/opponent/BoardWords.h"
#include "core/opponent/ComputerWalk.h"

#include <optional>
#include <string>
#include <vector>

namespace palitra {

class Clock;
class GameRecord;
class Random;
class WordList;

// What is going on in the game.
enum class Phase {
    NoGame,        // no game yet, or one reset
    Shuffling,     // a new board is dealt on every tick of the dealing timer until the round starts
    Round,         // the clock runs, the player hands in words and the computer walks the board
    Paused,        // the round stands still: no clock, no walk, no letters shown
    TimeUp,        // the round's time has run out; the board stays as it was until the player has read so
    Validating,    // the board frozen, the player strikes out computer words
    BetweenRounds, // the round is scored and the game goes on, or its winner is being announced
    Over,          // the game is decided
};

// What the game asks of the player; the view shows it and answers it with
// answer() (answerOptions() for the options).
enum class Prompt {
    None,
    ChooseOptions,  // the options of a new game
    AddUnknownWord, // add unknownWord() to the dictionary?
    StartOver,      // drop the game in progress and start over?
    TimeUp,         // the round's time is up
    ValidateWords,  // the computer's words, to strike out
    Winner,         // winner() has won the game
    About,          // the about window, opened from the menu
    BoardWords,     // every word of the board just played, boardWords()
    Statistics,     // the record of games
};

// What the message area says about the word being built.
enum class Notice { None, AlreadyListed, TooShort };

enum class Winner { Player, Computer };

struct ComputerWord {
    std::string word;      // Windows-1252 letters
    std::vector<int> path; // its cells, first letter first
    bool struck = false;   // struck out after its round: it scores nothing
};

// What one tick of the round's timer changed.
struct RoundTick {
    bool clockChanged = false; // the clock shows another number of seconds
    bool wordFound = false;    // the computer listed a word
    bool timeUp = false;       // the round's clock stopped
};

// The game: its phase and the prompt it asks, the board, the word being
// built, both sides' words and scores, the round's clock and the computer's
// walk. It knows nothing of windows: the main window forwards the player's
// commands and the timers' ticks, shows the prompts and renders the game.
// Every command is accepted at any time and does what the rules say in the
// phase at hand, or nothing; while a prompt waits for its answer only the
// ticks, the answer and, in the validation, striking a word act.
// Cells are numbered 0..24 row by row from the top-left.
class Game {
public:
    // Rounds and games are written into `record` as they end.
    Game(WordList& words, Random& random, Clock& clock, GameRecord& record);

    Phase phase() const { return phase_; }
    Prompt prompt() const { return prompt_; }
    // A game has started and is neither decided nor reset.
    bool inProgress() const;
    const GameOptions& options() const { return options_; }
    // The dealing timer runs.
    bool shuffling() const { return phase_ == Phase::Shuffling; }
    // The round's timer runs.
    bool roundClockRunning() const { return phase_ == Phase::Round; }
    // Milliseconds between the computer's steps at the chosen level, if it has one.
    std::optional<int> computerStepInterval() const;
    // Milliseconds between ticks of the round's timer: the computer's pace,
    // but at a pace of 1 ms a frame's steps are taken on each tick, and once
    // that walk is done the next tick comes when the clock's number changes.
    int roundTimerInterval() const;

    // The computer knows every word of the list at every level (the classic
    // game); else at Fácil and Normal it walks only the common words, when
    // there are any. Applied when a round starts.
    void setComputerKnowsAll(bool all) { computerKnowsAll_ = all; }
    bool computerKnowsAll() const { return computerKnowsAll_; }
    // The list has its common words: the choice above means something.
    bool hasCommonWords() const;

    const Board& board() const { return board_; }
    const std::vector<std::string>& playerWords() const { return playerWords_; }
    const std::vector<ComputerWord>& computerWords() const { return computerWords_; }
    int playerScore() const { return playerScore_; }
    int computerScore() const { return computerScore_; }
    const ComputerWalk& walk() const { return walk_; }
    // The word the player is asked about, upper-cased.
    const std::string& unknownWord() const { return askedWord_; }
    // Who won, once the game is decided.
    std::optional<Winner> winner() const { return winner_; }
    // Every word of the board of the round last played, marked with who found
    // it, once the round is scored; empty from the next deal.
    const std::vector<BoardWord>& boardWords() const { return boardWords_; }
    GameRecord& record() { return record_; }
    // Commands of the menu that may be chosen now.
    bool canPause() const;
    bool canReviewBoard() const;

    // What the screen shows besides.
    bool tilesEnabled() const { return display_.tilesEnabled; }
    // The tile belongs to the word being built or to the computer's path shown.
    bool tileLit(int cell) const;
    const std::vector<int>& playerPath() const { return display_.playerPath; }
    std::string playerWord() const;
    Notice notice() const { return display_.notice; }
    // The whole seconds left as the round's clock shows them; nothing when it is blank.
    std::optional<int> secondsShown() const { return display_.secondsShown; }
    // The computer's words are hidden during a round.
    bool computerWordsShown() const { return display_.computerWordsShown; }
    // A paused round hides its letters and takes no press of the main button.
    bool lettersShown() const { return phase_ != Phase::Paused; }
    bool actionEnabled() const { return phase_ != Phase::Paused; }

    // The main button: choose the options of a new game, start the round on
    // the last deal, hand in the word, shuffle for the next round, or after
    // the game empty the board, as the phase says.
    void pressAction();
    // A tile pressed: extends the word through a neighbour of its last tile,
    // or takes the last tile back; anything else is ignored. Rounds only; a
    // paused round goes on.
    void pressTile(int cell);
    // A letter typed (see typedLetter): the word grows through a tile that
    // touches its last one and holds the letter. Every path that spells the
    // letters typed so far is kept and one of them shown, the one shown so far
    // while it can take the letter; a letter no kept path can take changes
    // nothing. Rounds only.
    void typeLetter(char letter);
    // Takes the word's last letter back; typed, the paths kept are then every
    // path that spells the shorter word.
    void takeBackLetter();
    // Drops the word being built and the computer's path shown.
    void clearWord();
    // The menu's new game: asks first while a game is in progress.
    void chooseNewGame();
    // The menu's about window: the end of a round whose time runs out while
    // it is open waits until it closes.
    void openAbout();
    // The menu's pause: a round stops where it is, or a paused one goes on
    // with the time it had left.
    void togglePause();
    // The window was minimized: a round pauses, and stays paused.
    void pause();
    // The menu's windows after a round: the board's words; the record.
    void openBoardWords();
    void openStatistics();
    // The program ends: a game in progress counts as abandoned, and the board is emptied.
    void quit();

    // One tick of the dealing timer: a new board while shuffling.
    void dealTick();
    // One tick of the round's timer: the clock, then while time is left one
    // step of the computer's walk, or at a pace of 1 ms the steps due by the
    // clock since the round started (at most a second's worth at once).
    RoundTick roundTick();

    // The answer to the prompt: yes (OK) or no (Cancel); a message or a
    // window is answered when it closes.
    void answer(bool yes = true);
    // The options dialog closed with `options`.
    void answerOptions(const GameOptions& options);
    // In the validation, strikes a computer word of the round out of the
    // round's score and the dictionary. False when it was struck already.
    bool strikeComputerWord(int index);
    // Lights the path of a computer word on the board, outside the round and
    // the shuffle; a row past the list puts the light out.
    void showComputerPath(int index);
    // Lights the path of a word of the board, after the round.
    void showBoardWordPath(int index);

private:
    void reset();
    void abandon();
    void resume();
    void startShuffle();
    void startRound();
    void submitWord();
    void acceptWord(const std::string& word);
    void endRound();
    void scoreRound();
    int markBoardWords();
    // Whole milliseconds since the round started.
    long long elapsedMs() const;
    // The computer's steps this tick, and the words they find.
    void walkSteps(RoundTick& tick);
    // Puts out the word being built, its typed paths, the path shown and the notice.
    void clearMarks();

    WordList& words_;
    Random& random_;
    Clock& clock_;
    GameRecord& record_;
    const LetterBag bag_;
    ComputerWalk walk_;

    Phase phase_ = Phase::NoGame;
    Prompt prompt_ = Prompt::None;
    GameOptions options_;
    Board board_{};
    double roundStart_ = 0.0;
    double pausedAt_ = 0.0;
    bool computerKnowsAll_ = false;
    bool walksCommon_ = false; // this round the computer walks the common words
    long long stepsTaken_ = 0; // the computer's steps this round
    std::vector<std::string> playerWords_;
    std::vector<ComputerWord> computerWords_;
    int playerScore_ = 0;
    int computerScore_ = 0;
    std::string askedWord_;
    std::optional<Winner> winner_;
    std::vector<BoardWord> boardWords_;

    // What the screen shows besides the rules' state. The tiles' enabled
    // state and whether the computer's words show are what the last round's
    // start or end made them (enabled and shown before any game); emptying
    // the board leaves them.
    struct Display {
        std::vector<int> playerPath;
        std::vector<std::vector<int>> typedPaths; // every path the typed letters spell, while typing
        std::vector<int> shownPath;
        Notice notice = Notice::None;
        std::optional<int> secondsShown;
        bool tilesEnabled = true;
        bool computerWordsShown = true;
    } display_;
};

} // namespace palitra
