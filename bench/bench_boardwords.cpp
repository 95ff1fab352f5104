#include "core/dictionary/Dictionary.h"
#include "core/dictionary/WordListFile.h"
#include "core/board/Board.h"
#include "core/opponent/BoardWords.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <algorithm>
#include <random>
#include <string>

using namespace palitra;

namespace {

// Every word of a board with the shipped list, for the window that lists
// them after a round: one board per iteration out of 100 dealt ones.
void BM_BoardWords(benchmark::State& state)
{
    const WordListFile::ReadResult list = WordListFile::read(QStringLiteral(PALITRA_SHIPPED_LIST));
    if (!list.ok()) {
        state.SkipWithError("the shipped word list is missing");
        return;
    }
    std::string bag =
        "AAAAAAAAAAAABBCCCCDDDDDEEEEEEEEEEEEFGGHHIIIIIIJLLLLMMNNNNN\321OOOOOOOOOPPQRRRRRSSSSSSTTTTUUUUUVXYZ";
    std::vector<Board> boards(100);
    std::mt19937 engine(1);
    for (Board& board : boards) {
        std::shuffle(bag.begin(), bag.end(), engine);
        std::copy_n(bag.begin(), CellCount, board.begin());
    }
    std::size_t next = 0;
    std::size_t words = 0;
    for (auto _ : state) {
        const std::vector<BoardWord> found = boardWords(boards[next++ % boards.size()], list.dictionary);
        words += found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["words_per_board"] =
        benchmark::Counter(static_cast<double>(words), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BoardWords)->Unit(benchmark::kMicrosecond);

} // namespace
