#include "core/dictionary/Dictionary.h"
#include "core/dictionary/WordListFile.h"
#include "core/board/SeededRandom.h"
#include "core/opponent/ComputerWalk.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using namespace palitra;

namespace {

const QString ShippedList = QStringLiteral(PALITRA_SHIPPED_LIST);

bool shippedListPresent(benchmark::State& state)
{
    if (QFile::exists(ShippedList))
        return true;
    state.SkipWithError("the shipped word list " PALITRA_SHIPPED_LIST " is missing");
    return false;
}

std::optional<Dictionary> loadShippedList()
{
    WordListFile::ReadResult read = WordListFile::read(ShippedList);
    if (!read.ok())
        return std::nullopt;
    return std::move(read.dictionary);
}

// A figure of /proc/self/status in kilobytes ("VmRSS", "VmHWM"), or -1.
double statusKilobytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":"))
            return std::stod(line.substr(field.size() + 1));
    }
    return -1;
}

// Makes VmHWM restart from the current resident size.
void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

template <typename Work>
double millisecondsOf(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double>& times)
{
    std::nth_element(times.begin(), times.begin() + std::ptrdiff_t(times.size() / 2), times.end());
    return times[times.size() / 2];
}

} // namespace

// Reading, parsing and indexing the shipped list, as at start-up.
static void BM_LoadDictionary(benchmark::State& state)
{
    if (!shippedListPresent(state))
        return;
    for (auto _ : state) {
        std::optional<Dictionary> dictionary = loadShippedList();
        if (!dictionary) {
            state.SkipWithError("the shipped word list cannot be read");
            return;
        }
        benchmark::DoNotOptimize(dictionary->prefixCount());
        state.PauseTiming(); // freeing the list is not part of loading it
        dictionary.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond);

// The floor for loading: reading the same file into memory and counting its lines.
static void BM_ReadFloor(benchmark::State& state)
{
    if (!shippedListPresent(state))
        return;
    for (auto _ : state) {
        QFile file(ShippedList);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("the shipped word list cannot be opened");
            return;
        }
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(std::count(bytes.begin(), bytes.end(), '\n'));
    }
}
BENCHMARK(BM_ReadFloor)->Unit(benchmark::kMillisecond);

// The two above in turns, a floor then a load, so that both meet the machine
// in the same mood: on a shared or throttled machine the medians of runs made
// a second apart can differ by half. Reports the ratio of their medians.
static void BM_LoadOverFloor(benchmark::State& state)
{
    if (!shippedListPresent(state))
        return;
    std::vector<double> floors, loads;
    for (auto _ : state) {
        floors.push_back(millisecondsOf([] {
            QFile file(ShippedList);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            benchmark::DoNotOptimize(std::count(bytes.begin(), bytes.end(), '\n'));
        }));
        std::optional<Dictionary> dictionary;
        loads.push_back(millisecondsOf([&] { dictionary = loadShippedList(); }));
        if (!dictionary) {
            state.SkipWithError("the shipped word list cannot be read");
            return;
        }
    }
    state.counters["floor_ms"] = median(floors);
    state.counters["load_ms"] = median(loads);
    state.counters["ratio"] = state.counters["load_ms"] / state.counters["floor_ms"];
}
BENCHMARK(BM_LoadOverFloor)->Unit(benchmark::kMillisecond)->Iterations(200);

// One insertion into the shipped list as loaded at start-up; each insertion
// starts from a fresh load, outside the timed region.
static void BM_AddWord(benchmark::State& state, const char* word)
{
    if (!shippedListPresent(state))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<Dictionary> dictionary = loadShippedList();
        if (!dictionary) {
            state.SkipWithError("the shipped word list cannot be read");
            return;
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(dictionary->addWord(word));
        state.PauseTiming();
        dictionary.reset();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_AddWord, first, "aaaa")->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK_CAPTURE(BM_AddWord, middle, "mesita")->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK_CAPTURE(BM_AddWord, enye, "\xF1oquito")->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK_CAPTURE(BM_AddWord, last, "zzzzz")->Unit(benchmark::kMillisecond)->Iterations(40);

// Resident memory at the peak of one load. Run it alone
// (--benchmark_filter=BM_LoadPeakMemory) for the figure of a process that
// only loads the list: the peak counts what earlier benchmarks left resident.
static void BM_LoadPeakMemory(benchmark::State& state)
{
    if (!shippedListPresent(state))
        return;
    for (auto _ : state) {
        resetPeakMemory();
        const double before = statusKilobytes("VmRSS");
        std::optional<Dictionary> dictionary = loadShippedList();
        benchmark::DoNotOptimize(dictionary);
        const double peak = statusKilobytes("VmHWM");
        state.counters["RssBeforeMB"] = before / 1024;
        state.counters["PeakMB"] = peak / 1024;
        state.counters["LoadGrowthMB"] = (peak - before) / 1024;
        state.counters["HeldMB"] = (statusKilobytes("VmRSS") - before) / 1024;
    }
}
BENCHMARK(BM_LoadPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// The parts of a load: splitting the file's bytes into entries...
static void BM_ParseShippedList(benchmark::State& state)
{
    if (!shippedListPresent(state))
        return;
    QFile file(ShippedList);
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the shipped word list cannot be opened");
        return;
    }
    const QByteArray bytes = file.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(Dictionary::fromWordList(bytes).wordCount());
}
BENCHMARK(BM_ParseShippedList)->Unit(benchmark::kMillisecond);

// ...and indexing them.
static void BM_BuildPrefixIndex(benchmark::State& state)
{
    if (!shippedListPresent(state))
        return;
    std::optional<Dictionary> dictionary = loadShippedList();
    if (!dictionary) {
        state.SkipWithError("the shipped word list cannot be read");
        return;
    }
    for (auto _ : state) {
        dictionary->buildPrefixIndex();
        benchmark::DoNotOptimize(dictionary->prefixCount());
    }
}
BENCHMARK(BM_BuildPrefixIndex)->Unit(benchmark::kMillisecond);

// Lookups as the player's word check and the computer's walk make them: every
// 97th word of the shipped list, the same word one letter longer (mostly
// absent), and the word's first three letters as the start of words.
static void BM_Lookups(benchmark::State& state)
{
    if (!shippedListPresent(state))
        return;
    const std::optional<Dictionary> dictionary = loadShippedList();
    std::vector<std::string> words;
    for (std::size_t position = 1; position <= dictionary->wordCount(); position += 97)
        words.emplace_back(dictionary->word(position));
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const std::string& word : words) {
            found += dictionary->findWord(word) != 0;
            found += dictionary->findWord(word + "A") != 0;
            const std::string_view start = std::string_view(word).substr(0, 3);
            found += dictionary->firstWordStartingWith(dictionary->findPrefixGroup(start), start) != 0;
        }
    }
    state.counters["lookups"] = double(3 * words.size());
    state.counters["found"] = double(found);
}
BENCHMARK(BM_Lookups)->Unit(benchmark::kMillisecond);

// The shipped list with one entry more at the head of the CA group, which
// puts the group out of order, so that every lookup there scans it and meets
// that entry: CASASA in one (index 0), CASAS and 100 MB of A in the other.
std::vector<Dictionary>* listsWithShortAndLongEntry()
{
    static std::optional<std::vector<Dictionary>> lists = []() -> std::optional<std::vector<Dictionary>> {
        QFile file(ShippedList);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray bytes = file.readAll();
        const auto withEntry = [&bytes](std::size_t letters) {
            QByteArray entry = QByteArray("CASAS") + QByteArray(qsizetype(letters), 'A') + "\r\n";
            return Dictionary::fromWordList(QByteArray(bytes).insert(bytes.indexOf("\nCA") + 1, entry));
        };
        std::vector<Dictionary> both;
        both.push_back(withEntry(1));
        both.push_back(withEntry(100'000'000));
        return both;
    }();
    return lists ? &*lists : nullptr;
}

// The same work on the lists with the short and the long entry, in turns (see
// BM_LoadOverFloor); reports the medians and their ratio, which stays near 1
// when an entry's length beyond a word's costs nothing.
template <typename Work>
void withShortAndLongEntry(benchmark::State& state, Work work)
{
    std::vector<Dictionary>* lists = listsWithShortAndLongEntry();
    if (!lists) {
        state.SkipWithError("the shipped word list cannot be read");
        return;
    }
    std::vector<double> withShort, withLong;
    for (auto _ : state) {
        withShort.push_back(millisecondsOf([&] { work((*lists)[0]); }));
        withLong.push_back(millisecondsOf([&] { work((*lists)[1]); }));
    }
    state.counters["short_ms"] = median(withShort);
    state.counters["long_ms"] = median(withLong);
    state.counters["ratio"] = state.counters["long_ms"] / state.counters["short_ms"];
}

// A whole walk of the computer on a board that spells CASAS.
static void BM_LongEntryWalk(benchmark::State& state)
{
    withShortAndLongEntry(state, [](const Dictionary& dictionary) {
        const Board board{'C', 'A', 'S', 'A', 'S', 'E', 'R', 'O', 'L', 'I', 'M', 'N', 'T',
                          'B', 'D', 'U', 'P', 'A', 'E', 'I', 'O', 'S', 'R', 'C', 'A'};
        SeededRandom random(1);
        ComputerWalk walk;
        walk.start(board, random);
        while (!walk.done())
            benchmark::DoNotOptimize(walk.step(dictionary, random));
    });
}
BENCHMARK(BM_LongEntryWalk)->Unit(benchmark::kMillisecond);

// Lookups in the long entry's group: every 97th word of it, found, one letter
// longer, and its first four letters as the start of words.
static void BM_LongEntryLookups(benchmark::State& state)
{
    withShortAndLongEntry(state, [](const Dictionary& dictionary) {
        const PrefixGroup group = dictionary.findPrefixGroup("CA");
        for (std::size_t position = group.first; position <= group.last; position += 97) {
            const std::string word(dictionary.word(position).substr(0, 30));
            benchmark::DoNotOptimize(dictionary.findWord(word));
            benchmark::DoNotOptimize(dictionary.findWord(word + "A"));
            const std::string_view start = std::string_view(word).substr(0, 4);
            benchmark::DoNotOptimize(dictionary.firstWordStartingWith(dictionary.findPrefixGroup(start), start));
        }
    });
}
BENCHMARK(BM_LongEntryLookups)->Unit(benchmark::kMillisecond);

// Insertions into the long entry's group (each list keeps the words added).
static void BM_LongEntryInsertion(benchmark::State& state)
{
    withShortAndLongEntry(state, [](Dictionary& dictionary) {
        benchmark::DoNotOptimize(dictionary.addWord("casita"));
        benchmark::DoNotOptimize(dictionary.addWord("cazo"));
    });
}
BENCHMARK(BM_LongEntryInsertion)->Unit(benchmark::kMillisecond);
