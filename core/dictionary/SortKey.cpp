#include "core/dictionary/SortKey.h"

#include <algorithm>

namespace palitra {

namespace {

constexpr unsigned char LeadingEnye = 0xD1;
constexpr std::string_view EnyeKey = "NZ";

bool startsWithEnye(std::string_view word)
{
    return !word.empty() && static_cast<unsigned char>(word.front()) == LeadingEnye;
}

// A word's sort key seen as two pieces, "NZ" and the rest for a leading Ñ,
// nothing and the word otherwise.
struct KeyView {
    std::string_view head;
    std::string_view tail;

    explicit KeyView(std::string_view word)
        : head(startsWithEnye(word) ? EnyeKey : std::string_view{})
        , tail(startsWithEnye(word) ? word.substr(1) : word)
    {
    }

    std::size_t size() const { return head.size() + tail.size(); }
    unsigned char at(std::size_t i) const
    {
        return static_cast<unsigned char>(i < head.size() ? head[i] : tail[i - head.size()]);
    }
};

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

std::string sortKey(std::string_view word)
{
    if (!startsWithEnye(word))
        return std::string(word);
    std::string key(EnyeKey);
    key.append(word.substr(1));
    return key;
}

int compareSortKeys(std::string_view a, std::string_view b)
{
    // std::string_view compares bytes as unsigned values, as the list does.
    if (!startsWithEnye(a) && !startsWithEnye(b))
        return sign(a.compare(b));

    const KeyView keyA(a);
    const KeyView keyB(b);
    const std::size_t common = std::min(keyA.size(), keyB.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (keyA.at(i) != keyB.at(i))
            return keyA.at(i) < keyB.at(i) ? -1 : 1;
    }
    if (keyA.size() == keyB.size())
        return 0;
    return keyA.size() < keyB.size() ? -1 : 1;
}

std::string toUpperWord(std::string_view word)
{
    std::string upper(word);
    for (char& c : upper) {
        const auto byte = static_cast<unsigned char>(c);
        const bool asciiLower = byte >= 'a' && byte <= 'z';
        const bool accentedLower = byte >= 0xE0 && byte <= 0xFE && byte != 0xF7; // 0xF7 is the division sign
        if (asciiLower || accentedLower)
            c = static_cast<char>(byte - 0x20);
    }
    return upper;
}

} // namespace palitra
