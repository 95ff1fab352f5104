#include "core/opponent/ComputerWalk.h"

#include "core/board/Adjacency.h"
#include "core/board/Random.h"
#include "core/dictionary/Dictionary.h"

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
    path_.clear();
    startCount_ = 0;
    done_ = false;
    startAt(drawCell(random));
}

std::optional<ComputerWalk::Found> ComputerWalk::step(const Dictionary& dictionary, Random& random)
{
    if (done_ || path_.empty())
        return std::nullopt;

    const int last = path_.back();
    if (const int offset = neighbourStep(last, direction_); offset != 0 && !inPath_[last + offset]) {
        std::optional<Found> found;
        if (tryCell(last + offset, dictionary, found))
            return found;
    }
    advanceDirection(random);
    return std::nullopt;
}

bool ComputerWalk::tryCell(int next, const Dictionary& dictionary, std::optional<Found>& found)
{
    word_.push_back(board_[next]);

    const PrefixGroup group = dictionary.findPrefixGroup(word_);
    const std::size_t position = group.found() ? dictionary.firstWordStartingWith(group, word_) : 0;
    if (position == 0) {
        word_.pop_back();
        return false;
    }

    inPath_[next] = true;
    path_.push_back(next);
    direction_ = 1;
    // The first word beginning with the path's letters is the word itself
    // when the dictionary holds it.
    if (word_.size() > 2 && dictionary.word(position) == word_ && listed_.insert(word_).second)
        found = Found{word_, path_};
    return true;
}

void ComputerWalk::advanceDirection(Random& random)
{
    ++direction_;
    while (direction_ > DirectionCount) {
        if (path_.size() == 1) {
            startNextCell(random);
            return;
        }
        backUp();
    }
}

// Drops the path's last cell and goes on with the direction after the one
// that led to it.
void ComputerWalk::backUp()
{
    const int last = path_.back();
    inPath_[last] = false;
    path_.pop_back();
    word_.pop_back();
    direction_ = stepDirection(path_.back(), last).value_or(DirectionCount) + 1;
}

void ComputerWalk::startAt(int cell)
{
    startUsed_[cell] = true;
    ++startCount_;
    inPath_[cell] = true;
    path_.assign(1, cell);
    word_.assign(1, board_[cell]);
    direction_ = 1;
}

void ComputerWalk::startNextCell(Random& random)
{
    if (startCount_ == CellCount) {
        done_ = true;
        return;
    }
    int cell = drawCell(random);
    while (startUsed_[cell])
        cell = drawCell(random);
    inPath_[path_.back()] = false;
    startAt(cell);
}

} // namespace palitra
