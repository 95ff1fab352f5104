#include "core/game/Deal.h"
#include "core/game/LetterBag.h"
#include "core/board/SeededRandom.h"

#include <benchmark/benchmark.h>

namespace {

// One complete deal of the 25 tiles, as every tick of the shuffle makes it.
void BM_Deal(benchmark::State& state)
{
    const palitra::LetterBag bag;
    palitra::SeededRandom random(12345);
    for (auto _ : state) {
        palitra::Board board = palitra::dealBoard(bag, random);
        benchmark::DoNotOptimize(board);
    }
}
BENCHMARK(BM_Deal);

} // namespace
