#include "core/game/Typing.h"

#include "core/board/Adjacency.h"

#include <algorithm>

namespace palitra {

char typedLetter(char32_t character)
{
    static constexpr char32_t Accented[] = {U'á', U'é', U'í', U'ó', U'ú', U'ü', U'Á', U'É', U'Í', U'Ó', U'Ú', U'Ü'};
    static constexpr char Plain[] = "AEIOUUAEIOUU";
    if (character >= U'a' && character <= U'z')
        return char(character - U'a' + 'A');
    if (character >= U'A' && character <= U'Z')
        return char(character);
    if (character == U'ñ' || character == U'Ñ')
        return '\xD1';
    const auto accented = std::find(std::begin(Accented), std::end(Accented), character);
    return accented == std::end(Accented) ? 0 : Plain[accented - std::begin(Accented)];
}

std::vector<std::vector<int>> extendPaths(const Board& board, const std::vector<std::vector<int>>& paths, char letter)
{
    std::vector<std::vector<int>> longer;
    for (const std::vector<int>& path : paths) {
        for (int direction = 1; direction <= (path.empty() ? CellCount : DirectionCount); ++direction) {
            const int step = path.empty() ? 0 : neighbourStep(path.back(), direction);
            const int next = path.empty() ? direction - 1 : step != 0 ? path.back() + step : -1;
            if (next < 0 || board[next] != letter || std::find(path.begin(), path.end(), next) != path.end())
                continue;
            longer.push_back(path);
            longer.back().push_back(next);
        }
    }
    return longer;
}

} // namespace palitra
