#include "core/game/Game.h"

#include "core/board/Adjacency.h"
#include "core/dictionary/SortKey.h"
#include "core/dictionary/WordList.h"
#include "core/game/Clock.h"
#include "core/game/Deal.h"
#include "core/game/GameRecord.h"
#include "core/game/Scoring.h"
#include "core/game/Typing.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace palitra {

namespace {

constexpr std::size_t ShortestWord = 3;
constexpr int FrameMs = 16;              // about the screen's frame rate
constexpr long long LongestBatch = 1000; // steps taken in one tick at most

bool contains(const std::vector<int>& cells, int cell)
{
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

// Every path that spells `word` on `board`.
std::vector<std::vector<int>> pathsSpelling(const Board& board, const std::string& word)
{
    std::vector<std::vector<int>> paths{{}};
    for (const char letter : word)
        paths = extendPaths(board, paths, letter);
    return paths;
}

} // namespace

Game::Game(WordList& words, Random& random, Clock& clock, GameRecord& record)
    : words_(words)
    , random_(random)
    , clock_(clock)
    , record_(record)
{
}

bool Game::inProgress() const
{
    return phase_ != Phase::NoGame && phase_ != Phase::Over;
}

bool Game::canPause() const
{
    return prompt_ == Prompt::None && (phase_ == Phase::Round || phase_ == Phase::Paused);
}

bool Game::canReviewBoard() const
{
    return prompt_ == Prompt::None && (phase_ == Phase::BetweenRounds || phase_ == Phase::Over) && !boardWords_.empty();
}

std::optional<int> Game::computerStepInterval() const
{
    switch (options_.level) {
    case 0: return 200;
    case 1: return 100;
    case 2: return 1;
    default: return std::nullopt;
    }
}

int Game::roundTimerInterval() const
{
    const int pace = computerStepInterval().value_or(FrameMs);
    if (pace != 1)
        return pace;
    if (!walk_.done())
        return FrameMs;
    // Just past the next whole second left.
    const long long leftMs = options_.roundSeconds * 1000LL - elapsedMs();
    return static_cast<int>((leftMs % 1000 + 1000) % 1000) + 1;
}

long long Game::elapsedMs() const
{
    // The nanosecond spares a whole millisecond the rounding of the seconds.
    return static_cast<long long>(std::floor((clock_.seconds() - roundStart_) * 1000 + 1e-6));
}

bool Game::hasCommonWords() const
{
    return words_.commonWords() != nullptr;
}

bool Game::tileLit(int cell) const
{
    return contains(display_.playerPath, cell) || contains(display_.shownPath, cell);
}

std::string Game::playerWord() const
{
    std::string word;
    for (const int cell : display_.playerPath)
        word += board_[cell];
    return word;
}

void Game::pressAction()
{
    if (prompt_ != Prompt::None)
        return;
    switch (phase_) {
    case Phase::NoGame: prompt_ = Prompt::ChooseOptions; break;
    case Phase::Shuffling: startRound(); break;
    case Phase::Round: submitWord(); break;
    case Phase::BetweenRounds: startShuffle(); break;
    case Phase::Over: reset(); break;
    case Phase::Paused:
    case Phase::TimeUp:
    case Phase::Validating: break;
    }
}

void Game::pressTile(int cell)
{
    std::vector<int>& path = display_.playerPath;
    if (phase_ == Phase::Paused && prompt_ == Prompt::None) {
        resume();
        return;
    }
    if (phase_ != Phase::Round || prompt_ != Prompt::None || cell < 0 || cell >= CellCount)
        return;
    display_.typedPaths.clear();
    if (contains(path, cell)) {
        if (path.back() == cell)
            takeBackLetter();
        return;
    }
    if (!path.empty() && !areNeighbours(path.back(), cell))
        return;
    path.push_back(cell);
    display_.notice = Notice::None;
}

void Game::typeLetter(char letter)
{
    if (phase_ != Phase::Round || prompt_ != Prompt::None || letter == 0)
        return;
    std::vector<std::vector<int>>& typed = display_.typedPaths;
    std::vector<std::vector<int>> longer =
        extendPaths(board_, typed.empty() ? std::vector<std::vector<int>>{display_.playerPath} : typed, letter);
    if (longer.empty())
        return;
    const std::vector<int>& shown = display_.playerPath;
    const auto goesOn = std::find_if(longer.begin(), longer.end(), [&shown](const std::vector<int>& path) {
        return std::equal(shown.begin(), shown.end(), path.begin());
    });
    display_.playerPath = goesOn != longer.end() ? *goesOn : longer.front();
    typed = std::move(longer);
    display_.notice = Notice::None;
}

void Game::takeBackLetter()
{
    if (prompt_ != Prompt::None || phase_ == Phase::Paused || display_.playerPath.empty())
        return;
    display_.playerPath.pop_back();
    display_.notice = Notice::None;
    if (!display_.typedPaths.empty())
        display_.typedPaths =
            display_.playerPath.empty() ? std::vector<std::vector<int>>{} : pathsSpelling(board_, playerWord());
}

void Game::clearWord()
{
    if (prompt_ == Prompt::None && phase_ != Phase::Paused)
        clearMarks();
}

void Game::chooseNewGame()
{
    if (prompt_ != Prompt::None)
        return;
    if (inProgress())
        prompt_ = Prompt::StartOver;
    else
        reset();
}

void Game::openAbout()
{
    if (prompt_ == Prompt::None)
        prompt_ = Prompt::About;
}

void Game::togglePause()
{
    if (!canPause())
        return;
    if (phase_ == Phase::Paused)
        resume();
    else
        pause();
}

void Game::pause()
{
    if (phase_ != Phase::Round || prompt_ != Prompt::None)
        return;
    phase_ = Phase::Paused;
    pausedAt_ = clock_.seconds();
}

// The time spent paused is added to the round's start: the round has the time left it had.
void Game::resume()
{
    phase_ = Phase::Round;
    roundStart_ += clock_.seconds() - pausedAt_;
}

void Game::openBoardWords()
{
    if (canReviewBoard())
        prompt_ = Prompt::BoardWords;
}

void Game::openStatistics()
{
    if (prompt_ == Prompt::None)
        prompt_ = Prompt::Statistics;
}

void Game::quit()
{
    if (!inProgress())
        return;
    abandon();
    reset();
}

void Game::dealTick()
{
    if (phase_ == Phase::Shuffling)
        board_ = dealBoard(bag_, random_);
}

RoundTick Game::roundTick()
{
    RoundTick tick;
    if (phase_ != Phase::Round)
        return tick;
    const double elapsed = clock_.seconds() - roundStart_;
    const int left = static_cast<int>(std::floor(options_.roundSeconds - elapsed));
    // A blank clock reads as 0, so a round that starts with no whole second
    // left ends without showing one.
    if (display_.secondsShown.value_or(0) != left) {
        display_.secondsShown = left;
        tick.clockChanged = true;
    }
    if (left <= 0) {
        // A question or a window open now is answered first; then the time is up.
        phase_ = Phase::TimeUp;
        if (prompt_ == Prompt::None)
            prompt_ = Prompt::TimeUp;
        tick.timeUp = true;
        return tick;
    }
    walkSteps(tick);
    return tick;
}

void Game::walkSteps(RoundTick& tick)
{
    long long due = 1;
    if (computerStepInterval() == 1) {
        due = std::min(elapsedMs() - stepsTaken_, LongestBatch);
    }
    const Dictionary& walked = walksCommon_ ? *words_.commonWords() : words_.dictionary();
    for (; due > 0 && !walk_.done(); --due, ++stepsTaken_) {
        if (std::optional<ComputerWalk::Found> found = walk_.step(walked, random_)) {
            computerWords_.push_back(ComputerWord{std::move(found->word), std::move(found->path)});
            tick.wordFound = true;
        }
    }
}

void Game::answer(bool yes)
{
    switch (std::exchange(prompt_, Prompt::None)) {
    case Prompt::None: return;
    case Prompt::ChooseOptions: startShuffle(); return;
    case Prompt::AddUnknownWord:
        if (yes)
            words_.addWord(askedWord_);
        if (yes && phase_ == Phase::Round)
            acceptWord(askedWord_);
        break;
    case Prompt::StartOver:
        if (yes) {
            abandon();
            reset();
            return;
        }
        break;
    case Prompt::About:
    case Prompt::BoardWords:
    case Prompt::Statistics: break;
    case Prompt::TimeUp: endRound(); return;
    case Prompt::ValidateWords: scoreRound(); return;
    case Prompt::Winner:
        phase_ = Phase::Over;
        display_.secondsShown.reset();
        record_.recordGameEnd(options_.level, winner_ == Winner::Player ? Outcome::Won : Outcome::Lost);
        record_.save();
        return;
    }
    // The time ran out while the question or the window was open.
    if (phase_ == Phase::TimeUp)
        prompt_ = Prompt::TimeUp;
}

void Game::answerOptions(const GameOptions& options)
{
    if (prompt_ == Prompt::ChooseOptions)
        options_ = options;
    answer();
}

bool Game::strikeComputerWord(int index)
{
    if (prompt_ != Prompt::ValidateWords || index < 0 || index >= static_cast<int>(computerWords_.size())
        || computerWords_[index].struck)
        return false;
    computerWords_[index].struck = true;
    words_.strikeWord(computerWords_[index].word);
    return true;
}

void Game::showComputerPath(int index)
{
    // Once a shuffle has started the board belongs to the next round: a path
    // lit now would stay lit into the round.
    if (phase_ == Phase::Round || phase_ == Phase::Paused || phase_ == Phase::TimeUp || phase_ == Phase::Shuffling
        || index < 0)
        return;
    display_.shownPath.clear();
    if (index < static_cast<int>(computerWords_.size()))
        display_.shownPath = computerWords_[index].path;
}

void Game::showBoardWordPath(int index)
{
    if (index >= 0 && index < static_cast<int>(boardWords_.size()))
        display_.shownPath = boardWords_[index].path;
}

void Game::abandon()
{
    record_.recordGameEnd(options_.level, Outcome::Abandoned);
    record_.save();
}

void Game::reset()
{
    phase_ = Phase::NoGame;
    board_ = {};
    playerWords_.clear();
    computerWords_.clear();
    playerScore_ = computerScore_ = 0;
    winner_.reset();
    boardWords_.clear();
    clearMarks();
    display_.secondsShown.reset();
}

// The first deal comes at once, so that a round never starts on an empty board.
void Game::startShuffle()
{
    phase_ = Phase::Shuffling;
    clearMarks();
    display_.tilesEnabled = false;
    boardWords_.clear();
    board_ = dealBoard(bag_, random_);
}

void Game::startRound()
{
    phase_ = Phase::Round;
    roundStart_ = clock_.seconds();
    walksCommon_ = !computerKnowsAll_ && options_.level < 2 && hasCommonWords();
    stepsTaken_ = 0;
    walk_.start(board_, random_);
    playerWords_.clear();
    computerWords_.clear();
    display_.tilesEnabled = true;
    display_.computerWordsShown = false;
}

void Game::submitWord()
{
    if (display_.playerPath.empty())
        return;
    const std::string word = toUpperWord(playerWord());
    if (std::find(playerWords_.begin(), playerWords_.end(), word) != playerWords_.end()) {
        display_.notice = Notice::AlreadyListed;
        return;
    }
    if (display_.playerPath.size() < ShortestWord) {
        display_.notice = Notice::TooShort;
        return;
    }
    if (!words_.contains(word)) {
        askedWord_ = word;
        prompt_ = Prompt::AddUnknownWord;
        return;
    }
    acceptWord(word);
}

void Game::acceptWord(const std::string& word)
{
    playerWords_.push_back(word);
    display_.playerPath.clear();
    display_.typedPaths.clear();
    display_.notice = Notice::None;
}

// The board frozen, the word dropped and the computer's words shown; they are
// validated, if there are any, before the round is scored.
void Game::endRound()
{
    clearMarks();
    display_.secondsShown.reset();
    display_.tilesEnabled = false;
    display_.computerWordsShown = true;
    // Before the validation, while the words the computer found are all in the list.
    boardWords_ = palitra::boardWords(board_, words_.dictionary());
    if (computerWords_.empty()) {
        scoreRound();
        return;
    }
    phase_ = Phase::Validating;
    prompt_ = Prompt::ValidateWords;
}

// Adds the round's points; a score past the target decides the game, a tie
// going to the computer.
void Game::scoreRound()
{
    for (const ComputerWord& found : computerWords_) {
        if (!found.struck)
            computerScore_ += wordPoints(found.word.size());
    }
    int roundPoints = 0;
    for (const std::string& word : playerWords_)
        roundPoints += wordPoints(word.size());
    playerScore_ += roundPoints;
    phase_ = Phase::BetweenRounds;
    record_.recordRound(options_.level, roundPoints, playerWords_, markBoardWords(),
                        static_cast<int>(boardWords_.size()), clock_.today());
    record_.save();
    if (playerScore_ <= options_.targetPoints && computerScore_ <= options_.targetPoints)
        return;
    winner_ = computerScore_ < playerScore_ ? Winner::Player : Winner::Computer;
    prompt_ = Prompt::Winner;
}

// Marks who found each word of the board (the player first); returns how many the player found.
int Game::markBoardWords()
{
    int found = 0;
    for (BoardWord& held : boardWords_) {
        const auto computer = std::find_if(computerWords_.begin(), computerWords_.end(),
                                           [&held](const ComputerWord& word) { return word.word == held.word; });
        if (std::find(playerWords_.begin(), playerWords_.end(), held.word) != playerWords_.end()) {
            held.foundBy = FoundBy::Player;
            ++found;
        } else if (computer != computerWords_.end()) {
            held.foundBy = computer->struck ? FoundBy::ComputerStruck : FoundBy::Computer;
        }
    }
    return found;
}

void Game::clearMarks()
{
    display_.playerPath.clear();
    display_.typedPaths.clear();
    display_.shownPath.clear();
    display_.notice = Notice::None;
}

} // namespace palitra
