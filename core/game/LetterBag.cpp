#include "core/game/LetterBag.h"

namespace palitra {

namespace {

constexpr int EntryLength = 3;

constexpr int entryCount(std::string_view entry)
{
    return (entry[1] - '0') * 10 + (entry[2] - '0');
}

} // namespace

LetterBag::LetterBag()
{
    int position = 0;
    for (std::size_t start = 0; start + EntryLength <= LetterTable.size(); start += EntryLength) {
        const std::string_view entry = LetterTable.substr(start, EntryLength);
        for (int copy = 0; copy < entryCount(entry); ++copy)
            letters_[++position] = entry[0];
    }
}

char LetterBag::at(int position) const
{
    if (position < 1 || position > Size)
        return 0;
    return letters_[position];
}

} // namespace palitra
