#include "core/game/Game.h"

#include "core/dictionary/DictionaryStore.h"
#include "core/dictionary/SortKey.h"
#include "core/game/Adjacency.h"
#include "core/game/Clock.h"
#include "core/game/Deal.h"
#include "core/game/Scoring.h"
#include "core/game/Typing.h"
#include "core/opponent/PathText.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace palitra {

namespace {

constexpr std::size_t ShortestWord = 3;

bool contains(const std::vector<int>& cells, int cell)
{
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

} // namespace

Game::Game(DictionaryStore& words, Random& random, Clock& clock)
    : words_(words)
    , random_(random)
    , clock_(clock)
{
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

bool Game::tileLit(int cell) const
{
    return contains(playerPath_, cell) || contains(shownPath_, cell);
}

std::string Game::playerWord() const
{
    std::string word;
    for (const int cell : playerPath_)
        word += board_[cell];
    return word;
}

void Game::reset()
{
    board_ = {};
    typedPaths_.clear();
    playerPath_.clear();
    shownPath_.clear();
    secondsShown_.reset();
    phase_ = Phase::NoGame;
    playerScore_ = computerScore_ = 0;
    notice_ = Notice::None;
    shuffling_ = roundClockRunning_ = false;
    playerWords_.clear();
    computerWords_.clear();
    inProgress_ = false;
    roundEndPending_ = false;
}

void Game::startGame(const GameOptions& options)
{
    inProgress_ = true;
    options_ = options;
    startShuffle();
}

void Game::startShuffle()
{
    tilesEnabled_ = false;
    typedPaths_.clear();
    playerPath_.clear();
    shownPath_.clear();
    shuffling_ = true;
}

void Game::deal()
{
    board_ = dealBoard(bag_, random_);
    phase_ = Phase::Dealing;
}

void Game::startRound()
{
    shuffling_ = false;
    tilesEnabled_ = true;
    phase_ = Phase::Round;
    roundStart_ = clock_.seconds();
    walk_.start(board_, random_);
    roundClockRunning_ = true;
    roundEndPending_ = false;
    computerWordsShown_ = false;
    playerWords_.clear();
    computerWords_.clear();
}

RoundTick Game::tick()
{
    RoundTick tick;
    if (!roundClockRunning_)
        return tick;
    const double elapsed = clock_.seconds() - roundStart_;
    const int left = static_cast<int>(std::floor(options_.roundSeconds - elapsed));
    // A blank clock reads as 0, so a round that starts with no whole second
    // left ends without showing one.
    if (secondsShown_.value_or(0) != left) {
        secondsShown_ = left;
        tick.clockChanged = true;
    }
    if (left <= 0) {
        roundClockRunning_ = false;
        tick.timeUp = true;
        if (roundEndHeld_)
            roundEndPending_ = true;
        else
            tick.endRound = true;
        return tick;
    }
    if (!walk_.done()) {
        if (const auto found = walk_.step(words_.dictionary(), random_)) {
            computerWords_.push_back(ComputerWord{found->word, pathCells(found->path)});
            tick.wordFound = true;
        }
    }
    return tick;
}

void Game::pressTile(int cell)
{
    if (phase_ != Phase::Round || cell < 0 || cell >= CellCount)
        return;
    typedPaths_.clear();
    if (contains(playerPath_, cell)) {
        if (playerPath_.back() == cell)
            takeBackLetter();
        return;
    }
    if (!playerPath_.empty() && !areNeighbours(playerPath_.back(), cell))
        return;
    playerPath_.push_back(cell);
    notice_ = Notice::None;
}

void Game::takeBackLetter()
{
    if (playerPath_.empty())
        return;
    playerPath_.pop_back();
    notice_ = Notice::None;
    // The paths kept for the typed letters go back a letter too, each once.
    std::vector<std::vector<int>> shorter;
    for (std::vector<int>& path : typedPaths_) {
        path.pop_back();
        if (!path.empty() && std::find(shorter.begin(), shorter.end(), path) == shorter.end())
            shorter.push_back(std::move(path));
    }
    typedPaths_ = std::move(shorter);
}

bool Game::typeLetter(char letter)
{
    if (phase_ != Phase::Round || letter == 0)
        return false;
    std::vector<std::vector<int>> longer =
        extendPaths(board_, typedPaths_.empty() ? std::vector<std::vector<int>>{playerPath_} : typedPaths_, letter);
    if (longer.empty())
        return false;
    const auto shown = std::find_if(longer.begin(), longer.end(), [this](const std::vector<int>& path) {
        return std::equal(playerPath_.begin(), playerPath_.end(), path.begin());
    });
    playerPath_ = shown != longer.end() ? *shown : longer.front();
    typedPaths_ = std::move(longer);
    notice_ = Notice::None;
    return true;
}

void Game::clearWord()
{
    typedPaths_.clear();
    playerPath_.clear();
    shownPath_.clear();
    notice_ = Notice::None;
}

Submission Game::submitWord()
{
    if (playerPath_.empty())
        return Submission::NothingBuilt;
    const std::string word = toUpperWord(playerWord());
    if (std::find(playerWords_.begin(), playerWords_.end(), word) != playerWords_.end()) {
        notice_ = Notice::AlreadyListed;
        return Submission::AlreadyListed;
    }
    if (playerPath_.size() < ShortestWord) {
        notice_ = Notice::TooShort;
        return Submission::TooShort;
    }
    if (words_.dictionary().findWord(word) == 0) {
        roundEndHeld_ = true;
        askedWord_ = word;
        return Submission::Unknown;
    }
    acceptWord(word);
    return Submission::Accepted;
}

bool Game::answerUnknownWord(bool add)
{
    roundEndHeld_ = false;
    if (add)
        words_.addWord(askedWord_);
    if (std::exchange(roundEndPending_, false))
        return true;
    if (add)
        acceptWord(askedWord_);
    return false;
}

void Game::acceptWord(const std::string& word)
{
    playerWords_.push_back(word);
    typedPaths_.clear();
    playerPath_.clear();
    notice_ = Notice::None;
}

void Game::windowOpened()
{
    roundEndHeld_ = true;
}

bool Game::windowClosed()
{
    roundEndHeld_ = false;
    return std::exchange(roundEndPending_, false);
}

bool Game::requestNewGame()
{
    if (!inProgress_) {
        reset();
        return false;
    }
    roundEndHeld_ = true;
    return true;
}

bool Game::answerNewGame(bool startOver)
{
    roundEndHeld_ = false;
    const bool roundOver = std::exchange(roundEndPending_, false);
    if (startOver) {
        reset();
        return false;
    }
    return roundOver;
}

bool Game::endRound()
{
    tilesEnabled_ = false;
    typedPaths_.clear();
    playerPath_.clear();
    shownPath_.clear();
    computerWordsShown_ = true;
    phase_ = Phase::BetweenRounds;
    notice_ = Notice::None;
    secondsShown_.reset();
    roundClockRunning_ = false;
    return !computerWords_.empty();
}

bool Game::strikeComputerWord(int index)
{
    if (index < 0 || index >= static_cast<int>(computerWords_.size()) || computerWords_[index].struck)
        return false;
    computerWords_[index].struck = true;
    words_.strikeWord(computerWords_[index].word);
    return true;
}

std::optional<Winner> Game::scoreRound()
{
    for (const ComputerWord& found : computerWords_) {
        if (!found.struck)
            computerScore_ += wordPoints(found.word.size());
    }
    for (const std::string& word : playerWords_)
        playerScore_ += wordPoints(word.size());
    if (playerScore_ <= options_.targetPoints && computerScore_ <= options_.targetPoints)
        return std::nullopt;
    return computerScore_ < playerScore_ ? Winner::Player : Winner::Computer;
}

void Game::concludeGame()
{
    secondsShown_.reset();
    phase_ = Phase::Over;
    inProgress_ = false;
}

void Game::showComputerPath(int index)
{
    // Once a shuffle has started the board belongs to the next round, even
    // before its first deal: a path lit now would stay lit into the round.
    if (phase_ == Phase::Round || phase_ == Phase::Dealing || shuffling_ || index < 0)
        return;
    shownPath_.clear();
    if (index < static_cast<int>(computerWords_.size()))
        shownPath_ = computerWords_[index].path;
}

} // namespace palitra
