#include "core/opponent/BoardWords.h"

#include "core/dictionary/Dictionary.h"
#include "core/board/Random.h"
#include "core/opponent/ComputerWalk.h"

#include <algorithm>

namespace palitra {

namespace {

// Draws the cells in order, so that the walk starts at 0, then 1, … 24: the
// same board always gives the same paths.
class CellsInOrder final : public Random {
public:
    double next() override { return (next_++ % CellCount + 0.5) / CellCount; }

private:
    int next_ = 0;
};

} // namespace

std::vector<BoardWord> boardWords(const Board& board, const Dictionary& dictionary)
{
    CellsInOrder random;
    ComputerWalk walk;
    walk.start(board, random);
    std::vector<BoardWord> words;
    while (!walk.done()) {
        if (std::optional<ComputerWalk::Found> found = walk.step(dictionary, random)) {
            const std::size_t position = dictionary.findWord(found->word);
            words.push_back(BoardWord{std::move(found->word), std::move(found->path), position});
        }
    }
    std::sort(words.begin(), words.end(), [](const BoardWord& a, const BoardWord& b) {
        return a.word.size() != b.word.size() ? a.word.size() > b.word.size() : a.position < b.position;
    });
    return words;
}

} // namespace palitra
