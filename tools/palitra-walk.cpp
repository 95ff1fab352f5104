// Runs the computer's walk to exhaustion on a board given on the command line
// and prints the number of steps and the words found with their paths.
//
//   palitra-walk WORDLIST BOARD [ORDER]
//
// BOARD is 25 letters (A-Z and Ñ, UTF-8, either case), row by row. ORDER is
// the 25 start cells, comma-separated, in the order the random draws give
// them; without it the cells are started 0 to 24.

#include "core/board/Board.h"
#include "core/board/Random.h"
#include "core/dictionary/Dictionary.h"
#include "core/dictionary/WordListFile.h"
#include "core/opponent/ComputerWalk.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using palitra::Board;
using palitra::CellCount;

constexpr char LatinEnye = '\xD1';

// Yields the start cells of a fixed order as the draws of Int(next() * 25).
class ScriptedStarts final : public palitra::Random {
public:
    explicit ScriptedStarts(std::vector<int> cells)
        : cells_(std::move(cells))
    {
    }
    double next() override
    {
        const int cell = cells_[position_ % cells_.size()];
        ++position_;
        return (cell + 0.5) / CellCount;
    }

private:
    std::vector<int> cells_;
    std::size_t position_ = 0;
};

int usage()
{
    std::fputs("usage: palitra-walk WORDLIST BOARD [ORDER]\n"
               "  BOARD: 25 letters (A-Z, Ñ), row by row\n"
               "  ORDER: the 25 start cells 0..24, comma-separated\n",
               stderr);
    return 2;
}

std::optional<Board> parseBoard(std::string_view text)
{
    Board board{};
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        char letter;
        if (c >= 'A' && c <= 'Z') {
            letter = static_cast<char>(c);
        } else if (c >= 'a' && c <= 'z') {
            letter = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < text.size()
                   && (static_cast<unsigned char>(text[i + 1]) == 0x91
                       || static_cast<unsigned char>(text[i + 1]) == 0xB1)) {
            letter = LatinEnye;
            ++i;
        } else {
            return std::nullopt;
        }
        if (count == CellCount)
            return std::nullopt;
        board[count++] = letter;
    }
    if (count != CellCount)
        return std::nullopt;
    return board;
}

std::optional<std::vector<int>> parseOrder(std::string_view text)
{
    std::vector<int> cells;
    std::array<bool, CellCount> seen{};
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t comma = std::min(text.find(',', begin), text.size());
        const std::string_view field = text.substr(begin, comma - begin);
        if (field.empty() || field.size() > 2)
            return std::nullopt;
        int cell = 0;
        for (char c : field) {
            if (c < '0' || c > '9')
                return std::nullopt;
            cell = cell * 10 + (c - '0');
        }
        if (cell >= CellCount || seen[cell])
            return std::nullopt;
        seen[cell] = true;
        cells.push_back(cell);
        begin = comma + 1;
    }
    if (cells.size() != CellCount)
        return std::nullopt;
    return cells;
}

std::string toUtf8(const std::string& word)
{
    std::string out;
    for (char c : word) {
        if (c == LatinEnye)
            out += "\xC3\x91";
        else
            out += c;
    }
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3 || argc > 4)
        return usage();
    const std::optional<Board> board = parseBoard(argv[2]);
    if (!board)
        return usage();
    std::vector<int> order;
    for (int cell = 0; cell < CellCount; ++cell)
        order.push_back(cell);
    if (argc == 4) {
        const std::optional<std::vector<int>> given = parseOrder(argv[3]);
        if (!given)
            return usage();
        order = *given;
    }

    const palitra::WordListFile::ReadResult list = palitra::WordListFile::read(QString::fromLocal8Bit(argv[1]));
    if (list.problem) {
        std::fprintf(stderr, "palitra-walk: cannot read %s: %s\n", argv[1],
                     list.problem->systemError ? std::strerror(list.problem->systemError) : "not a word list");
        return 1;
    }
    const palitra::Dictionary& dictionary = list.dictionary;

    ScriptedStarts starts(order);
    palitra::ComputerWalk walk;
    walk.start(*board, starts);
    long steps = 0;
    std::vector<palitra::ComputerWalk::Found> found;
    while (!walk.done()) {
        if (auto word = walk.step(dictionary, starts))
            found.push_back(std::move(*word));
        ++steps;
    }

    std::printf("steps=%ld\n", steps);
    for (const auto& item : found) {
        std::string cells;
        for (const int cell : item.path)
            cells += (cells.empty() ? "" : ",") + std::to_string(cell);
        std::printf("%s %s\n", toUtf8(item.word).c_str(), cells.c_str());
    }
    return 0;
}
