#include "core/opponent/ComputerWalk.h"

#include "core/dictionary/Dictionary.h"
#include "core/game/Adjacency.h"
#include "core/game/Random.h"
#include "core/opponent/PathText.h"

#include <algorithm>

namespace palitra {

namespace {

int drawCell(Random& random)
{
    // Clamped in case a source ever returns exactly 1.
    return std::min(static_cast<int>(random.next() * CellCount), CellCount - 1);
}

} // namespace

void ComputerWalk::start(const Board& board, Random& random)
{
    board_ = board;
    startUsed_.fill(false);
    inPath_.fill(false);
    listed_.clear();

    const int cell = drawCell(random);
    startUsed_[cell] = true;
    searchWord_.assign(1, board_[cell]);
    searchPath_ = cellText(cell);
    inPath_[cell] = true;
    searchDirection_ = 1;
    startCount_ = 1;
    searchDone_ = false;
}

std::optional<ComputerWalk::Found> ComputerWalk::step(const Dictionary& dictionary, Random& random)
{
    if (searchDone_ || searchPath_.empty())
        return std::nullopt;

    const int last = lastCell();
    step_ = neighbourStep(last, searchDirection_);
    if (step_ != 0) {
        const int next = last + step_;
        if (!inPath_[next]) {
            std::optional<Found> found;
            if (tryCell(next, dictionary, found))
                return found;
        }
    }
    advanceDirection(random);
    return std::nullopt;
}

int ComputerWalk::lastCell() const
{
    return cellAt(searchPath_.size() / 2 - 1);
}

int ComputerWalk::cellAt(std::size_t index) const
{
    return (searchPath_[2 * index] - '0') * 10 + (searchPath_[2 * index + 1] - '0');
}

bool ComputerWalk::tryCell(int next, const Dictionary& dictionary, std::optional<Found>& found)
{
    searchWord_.push_back(board_[next]);
    inPath_[next] = true;

    const PrefixGroup group = dictionary.findPrefixGroup(searchWord_);
    const std::size_t position = group.found() ? dictionary.firstWordStartingWith(group, searchWord_) : 0;
    if (position == 0) {
        searchWord_.pop_back();
        inPath_[next] = false;
        return false;
    }

    // The first word beginning with the path's letters is the word itself
    // when the dictionary holds it.
    if (searchWord_.size() > 2 && dictionary.word(position) == searchWord_ && listed_.insert(searchWord_).second)
        found = Found{searchWord_, searchPath_ + cellText(next)};

    searchPath_ += cellText(next);
    searchDirection_ = 1;
    return true;
}

void ComputerWalk::advanceDirection(Random& random)
{
    ++searchDirection_;
    while (searchDirection_ > DirectionCount) {
        searchWord_.pop_back();
        if (searchWord_.empty()) {
            startNextCell(random);
            return;
        }
        backUp();
    }
}

void ComputerWalk::backUp()
{
    const int last = lastCell();
    inPath_[last] = false;
    const int previous = cellAt(searchPath_.size() / 2 - 2);
    if (const std::optional<int> direction = stepDirection(previous, last))
        step_ = *direction;
    searchPath_.resize(searchPath_.size() - 2);
    searchDirection_ = step_ + 1;
}

void ComputerWalk::startNextCell(Random& random)
{
    if (startCount_ == CellCount) {
        searchDone_ = true;
        return;
    }
    int cell = drawCell(random);
    while (startUsed_[cell])
        cell = drawCell(random);
    startUsed_[cell] = true;
    ++startCount_;
    inPath_[lastCell()] = false;
    inPath_[cell] = true;
    searchWord_.assign(1, board_[cell]);
    searchPath_ = cellText(cell);
    searchDirection_ = 1;
}

} // namespace palitra
