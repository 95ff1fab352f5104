// Deals seeded boards as the game deals them and runs the computer's walk on
// each at each level's pace for each round length, then prints what the
// computer finds (words and points: median, 10th and 90th percentile, by
// nearest rank) and what the boards hold in the whole list and the common one.
//
//   palitra-balance WORDLIST COMMONWORDS [BOARDS [SEED]]
//
// Board n is dealt from SeededRandom(SEED + n), and the walk goes on with the
// same draws, as a round starts on the shuffle's last deal.

#include "core/board/SeededRandom.h"
#include "core/dictionary/Dictionary.h"
#include "core/dictionary/WordListFile.h"
#include "core/game/Deal.h"
#include "core/game/LetterBag.h"
#include "core/game/Scoring.h"
#include "core/opponent/BoardWords.h"
#include "core/opponent/ComputerWalk.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace palitra;

struct Level {
    const char* name;
    bool common; // walks the common words
    int paceMs;  // one step of the walk per pace
};
constexpr Level Levels[] = {{"Fácil", true, 200}, {"Normal", true, 100}, {"Difícil", false, 1}};
constexpr int RoundSeconds[] = {120, 180, 240, 300};

// Each word the walk finds on `board`, as its points and the step that found it (1-based).
struct Find {
    long long step;
    int points;
};

std::vector<Find> walkBoard(const Board& board, const Dictionary& dictionary, SeededRandom random)
{
    std::vector<Find> finds;
    ComputerWalk walk;
    walk.start(board, random);
    for (long long step = 1; !walk.done(); ++step) {
        if (const auto found = walk.step(dictionary, random))
            finds.push_back(Find{step, wordPoints(found->word.size())});
    }
    return finds;
}

// "median p10 p90" of `values`, by nearest rank.
std::string spread(std::vector<int> values)
{
    std::sort(values.begin(), values.end());
    const auto rank = [&values](double share) {
        const auto index = static_cast<std::size_t>(std::ceil(share * static_cast<double>(values.size())));
        return values[std::clamp<std::size_t>(index, 1, values.size()) - 1];
    };
    char text[40];
    std::snprintf(text, sizeof text, "%5d %5d %5d", rank(0.5), rank(0.1), rank(0.9));
    return text;
}

// The field width that shows the UTF-8 `text` in `columns` columns.
int widthOf(const char* text, int columns)
{
    for (; *text != 0; ++text)
        columns += (*text & 0xC0) == 0x80;
    return columns;
}

std::optional<Dictionary> readList(const char* path)
{
    WordListFile::ReadResult read = WordListFile::read(QString::fromLocal8Bit(path));
    if (!read.ok()) {
        std::fprintf(stderr, "palitra-balance: cannot read %s\n", path);
        return std::nullopt;
    }
    return std::move(read.dictionary);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: palitra-balance WORDLIST COMMONWORDS [BOARDS [SEED]]\n", stderr);
        return 2;
    }
    const std::optional<Dictionary> whole = readList(argv[1]);
    std::optional<Dictionary> common = readList(argv[2]);
    if (!whole || !common)
        return 1;
    // The common words the game keeps: those of the whole list.
    std::vector<std::string> kept;
    for (std::size_t position = 1; position <= common->wordCount(); ++position)
        if (const std::string_view word = common->word(position); !word.empty() && whole->findWord(word) != 0)
            kept.emplace_back(word);
    common.emplace(kept);
    const int boards = argc > 3 ? std::atoi(argv[3]) : 100;
    const std::uint64_t seed = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1;
    if (boards < 1)
        return 2;

    const LetterBag bag;
    // [level][round length]: words and points per board.
    std::vector<int> words[3][4], points[3][4];
    std::vector<int> held[2][2]; // [whole, common][words, points]
    int allFound = 0;            // boards on which Difícil's shortest round found every word of the whole list
    for (int n = 0; n < boards; ++n) {
        SeededRandom random(seed + static_cast<std::uint64_t>(n));
        const Board board = dealBoard(bag, random);
        const std::vector<Find> finds[2] = {walkBoard(board, *whole, random), walkBoard(board, *common, random)};
        for (int list = 0; list < 2; ++list) {
            const std::vector<BoardWord> all = boardWords(board, list == 0 ? *whole : *common);
            int sum = 0;
            for (const BoardWord& word : all)
                sum += wordPoints(word.word.size());
            held[list][0].push_back(static_cast<int>(all.size()));
            held[list][1].push_back(sum);
        }
        for (int level = 0; level < 3; ++level) {
            const std::vector<Find>& walked = finds[Levels[level].common ? 1 : 0];
            for (int length = 0; length < 4; ++length) {
                const long long steps = RoundSeconds[length] * 1000LL / Levels[level].paceMs;
                int count = 0, sum = 0;
                for (const Find& find : walked)
                    if (find.step <= steps)
                        ++count, sum += find.points;
                words[level][length].push_back(count);
                points[level][length].push_back(sum);
            }
        }
        allFound += words[2][0].back() == held[0][0].back();
    }

    std::printf("%d boards (seeds %llu..%llu); whole list %zu words, common words %zu of them\n", boards,
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed + boards - 1),
                whole->wordCount(), common->wordCount());
    std::printf("\nthe computer's words and points      words: median   p10   p90  points: median   p10   p90\n");
    for (int level = 0; level < 3; ++level)
        for (int length = 0; length < 4; ++length)
            std::printf("%-*s %-13s %3d s %6lld steps        %s           %s\n", widthOf(Levels[level].name, 8),
                        Levels[level].name, Levels[level].common ? "common words" : "whole list", RoundSeconds[length],
                        RoundSeconds[length] * 1000LL / Levels[level].paceMs, spread(words[level][length]).c_str(),
                        spread(points[level][length]).c_str());
    std::printf("\nwhat the boards hold                 words: median   p10   p90  points: median   p10   p90\n");
    for (int list = 0; list < 2; ++list)
        std::printf("%-36s        %s           %s\n", list == 0 ? "whole list" : "common words",
                    spread(held[list][0]).c_str(), spread(held[list][1]).c_str());
    std::printf("\nDifícil at 120 s found every word of the whole list on %d of %d boards\n", allFound, boards);
    return 0;
}
