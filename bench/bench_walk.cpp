#include "core/dictionary/Dictionary.h"
#include "core/dictionary/WordListFile.h"
#include "core/board/Adjacency.h"
#include "core/board/Board.h"
#include "core/board/SeededRandom.h"
#include "core/opponent/ComputerWalk.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace palitra;

namespace {

const Dictionary* shippedDictionary()
{
    static const std::unique_ptr<Dictionary> dictionary = [] {
        const WordListFile::ReadResult list = WordListFile::read(QStringLiteral(PALITRA_SHIPPED_LIST));
        return list.ok() ? std::make_unique<Dictionary>(list.dictionary) : nullptr;
    }();
    return dictionary.get();
}

// The 95 letters of the bag in Spanish proportions, dealt without replacement.
Board dealBoard(std::uint32_t seed)
{
    static const std::pair<char, int> Counts[] = {
        {'A', 12}, {'B', 2}, {'C', 4}, {'D', 5}, {'E', 12},   {'F', 1}, {'G', 2}, {'H', 2}, {'I', 6},
        {'J', 1},  {'L', 4}, {'M', 2}, {'N', 5}, {'\xD1', 1}, {'O', 9}, {'P', 2}, {'Q', 1}, {'R', 5},
        {'S', 6},  {'T', 4}, {'U', 5}, {'V', 1}, {'X', 1},    {'Y', 1}, {'Z', 1}};
    std::string bag;
    for (const auto& [letter, count] : Counts)
        bag.append(static_cast<std::size_t>(count), letter);
    std::mt19937 engine(seed);
    std::shuffle(bag.begin(), bag.end(), engine);
    Board board{};
    std::copy_n(bag.begin(), CellCount, board.begin());
    return board;
}

double percentile(std::vector<double>& values, double fraction)
{
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
    return values[index];
}

// Every word of three or more letters on the board, by plain recursion, with
// the same dictionary lookups as the walk for the prefix test.
class RecursiveSearch {
public:
    RecursiveSearch(const Board& board, const Dictionary& dictionary)
        : board_(board)
        , dictionary_(dictionary)
    {
    }

    std::vector<std::string> run()
    {
        for (int start = 0; start < CellCount; ++start) {
            inPath_.fill(false);
            inPath_[start] = true;
            letters_.assign(1, board_[start]);
            visit(start);
        }
        return found_;
    }

private:
    void visit(int last)
    {
        for (int direction = 1; direction <= DirectionCount; ++direction) {
            const int offset = neighbourStep(last, direction);
            if (offset == 0 || inPath_[last + offset])
                continue;
            const int next = last + offset;
            letters_.push_back(board_[next]);
            const PrefixGroup group = dictionary_.findPrefixGroup(letters_);
            const std::size_t position = group.found() ? dictionary_.firstWordStartingWith(group, letters_) : 0;
            if (position != 0) {
                if (letters_.size() > 2 && dictionary_.word(position) == letters_
                    && std::find(found_.begin(), found_.end(), letters_) == found_.end())
                    found_.push_back(letters_);
                inPath_[next] = true;
                visit(next);
                inPath_[next] = false;
            }
            letters_.pop_back();
        }
    }

    const Board& board_;
    const Dictionary& dictionary_;
    std::array<bool, CellCount> inPath_{};
    std::string letters_;
    std::vector<std::string> found_;
};

// Times every step of complete walks on 100 dealt boards. The walks are
// deterministic, so they are run three times and each step keeps its fastest
// time: a step that the system happened to interrupt once does not count as
// slow. The raw maximum is reported beside it.
void BM_SearchStep(benchmark::State& state)
{
    const Dictionary* dictionary = shippedDictionary();
    if (!dictionary) {
        state.SkipWithError("the shipped word list is missing");
        return;
    }
    constexpr int Repeats = 3;
    std::vector<double> fastest;
    double rawMax = 0;
    std::size_t words = 0;
    for (auto _ : state) {
        for (int repeat = 0; repeat < Repeats; ++repeat) {
            std::size_t index = 0;
            words = 0;
            for (std::uint32_t seed = 1; seed <= 100; ++seed) {
                const Board board = dealBoard(seed);
                SeededRandom random(seed);
                ComputerWalk walk;
                walk.start(board, random);
                while (!walk.done()) {
                    const auto before = std::chrono::steady_clock::now();
                    const auto found = walk.step(*dictionary, random);
                    const auto after = std::chrono::steady_clock::now();
                    benchmark::DoNotOptimize(found);
                    const double micros = std::chrono::duration<double, std::micro>(after - before).count();
                    if (repeat == 0)
                        fastest.push_back(micros);
                    else
                        fastest[index] = std::min(fastest[index], micros);
                    rawMax = std::max(rawMax, micros);
                    ++index;
                    words += found ? 1 : 0;
                }
            }
        }
    }
    state.counters["steps"] = static_cast<double>(fastest.size());
    state.counters["words"] = static_cast<double>(words);
    state.counters["median_us"] = percentile(fastest, 0.5);
    state.counters["p99_us"] = percentile(fastest, 0.99);
    state.counters["p999_us"] = percentile(fastest, 0.999);
    state.counters["max_us"] = *std::max_element(fastest.begin(), fastest.end());
    state.counters["raw_max_us"] = rawMax;
}
BENCHMARK(BM_SearchStep)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FullWalk(benchmark::State& state)
{
    const Dictionary* dictionary = shippedDictionary();
    if (!dictionary) {
        state.SkipWithError("the shipped word list is missing");
        return;
    }
    const Board board = dealBoard(1);
    std::size_t steps = 0;
    std::size_t words = 0;
    for (auto _ : state) {
        SeededRandom random(1);
        ComputerWalk walk;
        walk.start(board, random);
        steps = 0;
        words = 0;
        while (!walk.done()) {
            words += walk.step(*dictionary, random) ? 1 : 0;
            ++steps;
        }
    }
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_FullWalk)->Unit(benchmark::kMillisecond);

void BM_RecursiveWalk(benchmark::State& state)
{
    const Dictionary* dictionary = shippedDictionary();
    if (!dictionary) {
        state.SkipWithError("the shipped word list is missing");
        return;
    }
    const Board board = dealBoard(1);
    std::size_t words = 0;
    for (auto _ : state) {
        const std::vector<std::string> found = RecursiveSearch(board, *dictionary).run();
        words = found.size();
    }
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_RecursiveWalk)->Unit(benchmark::kMillisecond);

} // namespace
