#pragma once

#include "core/game/Board.h"
#include "core/game/GameOptions.h"
#include "core/game/LetterBag.h"
#include "core/opponent/ComputerWalk.h"

#include <optional>
#include <string>
#include <vector>

namespace palitra {

class Clock;
class DictionaryStore;
class Random;

// The phases a game passes through, in order.
enum class Phase {
    NoGame,        // no game yet, or one waiting for its first deal
    Dealing,       // the letters shuffle until the round starts
    Round,         // the player hands in words while the computer walks the board
    BetweenRounds, // the round is scored and the game goes on
    Over,          // the game is decided
};

// What became of a word handed in.
enum class Submission {
    NothingBuilt,  // no letter chosen: nothing happens
    AlreadyListed, // the player listed it this round already
    TooShort,      // fewer than three letters
    Unknown,       // not in the dictionary: the player is asked whether to add it
    Accepted,      // listed, and the board cleared for the next word
};

// What the message area says about the word being built.
enum class Notice { None, AlreadyListed, TooShort };

enum class Winner { Player, Computer };

struct ComputerWord {
    std::string word;      // Windows-1252 letters
    std::vector<int> path; // its cells, first letter first
    bool struck = false;   // struck out after its round: it scores nothing
};

// One tick of the round's timer.
struct RoundTick {
    bool clockChanged = false; // the clock shows another number of seconds
    bool wordFound = false;    // the computer listed a word
    bool timeUp = false;       // the round's timer stops
    bool endRound = false;     // the round ends now; when time runs out under an
                               // open question, it ends once that is answered
};

// The game: its phase, the board, the word being built, both sides' words and
// scores, the round's clock and the computer's walk. It knows nothing of
// windows; the main window shows it and forwards the player's actions.
// Cells are numbered 0..24 row by row from the top-left.
class Game {
public:
    Game(DictionaryStore& words, Random& random, Clock& clock);

    Phase phase() const { return phase_; }
    // A game has started and is neither decided nor reset.
    bool inProgress() const { return inProgress_; }
    const GameOptions& options() const { return options_; }
    // The deal runs: a new board on every tick of the dealing timer.
    bool shuffling() const { return shuffling_; }
    // The round's timer runs.
    bool roundClockRunning() const { return roundClockRunning_; }
    // Milliseconds between the computer's steps at the chosen level, if it has one.
    std::optional<int> computerStepInterval() const;
    // The whole seconds left as the round's clock shows them; nothing when it is blank.
    std::optional<int> secondsShown() const { return secondsShown_; }

    const Board& board() const { return board_; }
    bool tilesEnabled() const { return tilesEnabled_; }
    // The tile belongs to the word being built or to the computer's word shown.
    bool tileLit(int cell) const;
    const std::vector<int>& playerPath() const { return playerPath_; }
    std::string playerWord() const;
    Notice notice() const { return notice_; }

    const std::vector<std::string>& playerWords() const { return playerWords_; }
    const std::vector<ComputerWord>& computerWords() const { return computerWords_; }
    // The computer's words are hidden during a round.
    bool computerWordsShown() const { return computerWordsShown_; }
    int playerScore() const { return playerScore_; }
    int computerScore() const { return computerScore_; }
    const ComputerWalk& walk() const { return walk_; }

    // Empties the board, the words and the scores: no game.
    void reset();
    // Starts a game with `options` and shuffles the letters.
    void startGame(const GameOptions& options);
    // Shuffles the letters for the next round: tiles disabled, word dropped.
    void startShuffle();
    // One complete deal from the letter bag.
    void deal();
    // Stops the shuffle on the last deal and starts the round and its clock.
    void startRound();
    // The clock, then one step of the computer's walk while time is left.
    RoundTick tick();

    // A tile pressed: extends the word through a neighbour of its last tile,
    // or takes the last tile back; anything else is ignored. Rounds only.
    void pressTile(int cell);
    void takeBackLetter();
    void clearWord();
    // A letter typed (see typedLetter): the word grows through a tile that
    // touches its last one and holds the letter. Every path that spells the
    // letters typed so far is kept and one of them shown, the one shown so far
    // while it can take the letter; a letter no kept path can take changes
    // nothing. Rounds only; true when the word grew.
    bool typeLetter(char letter);
    Submission submitWord();
    // The word the player is asked about after Submission::Unknown, upper-cased.
    const std::string& unknownWord() const { return askedWord_; }
    // The answer to the question about an unknown word: true adds it to the
    // dictionary and the player's words. Returns true when the round's time ran
    // out under the question: the round must end now, without the word.
    bool answerUnknownWord(bool add);

    // A window over the game (the about window): the end of a round whose
    // time runs out while it is open waits until it closes. windowClosed()
    // returns true when the round must end now.
    void windowOpened();
    bool windowClosed();

    // The menu's new game: true when a game is in progress and the player must
    // be asked first; otherwise the board is reset at once.
    bool requestNewGame();
    // The answer to that question: true resets the board. Returns true when
    // the round's time ran out under the question and the round must end now.
    bool answerNewGame(bool startOver);

    // The end of a round: board frozen, word dropped, the computer's words
    // shown. Returns whether there are computer words to validate.
    bool endRound();
    // Strikes a computer word of the round out of the round's score and the
    // dictionary. False when it was struck already.
    bool strikeComputerWord(int index);
    // Adds the round's points; returns the winner when a score passed the target.
    std::optional<Winner> scoreRound();
    // After the winner is announced: the game is over.
    void concludeGame();

    // Lights the path of a computer word on the board, outside the round and
    // the shuffle.
    void showComputerPath(int index);

private:
    void acceptWord(const std::string& word);

    DictionaryStore& words_;
    Random& random_;
    Clock& clock_;
    const LetterBag bag_;
    ComputerWalk walk_;

    Phase phase_ = Phase::NoGame;
    bool inProgress_ = false;
    GameOptions options_;
    bool shuffling_ = false;
    bool roundClockRunning_ = false;
    double roundStart_ = 0.0;
    std::optional<int> secondsShown_;

    Board board_{};
    bool tilesEnabled_ = true;
    std::vector<int> playerPath_;
    std::vector<std::vector<int>> typedPaths_; // the paths the typed letters spell, when typed
    std::vector<int> shownPath_;
    Notice notice_ = Notice::None;

    std::vector<std::string> playerWords_;
    std::vector<ComputerWord> computerWords_;
    bool computerWordsShown_ = true;
    int playerScore_ = 0;
    int computerScore_ = 0;

    // A question or a window open during a round does not stop its clock; a
    // round whose time runs out meanwhile ends when it is answered or closed.
    bool roundEndHeld_ = false;
    bool roundEndPending_ = false;
    std::string askedWord_;
};

} // namespace palitra
