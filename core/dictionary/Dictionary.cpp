#include "core/dictionary/Dictionary.h"

#include "core/dictionary/SortKey.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace palitra {

namespace {

const std::string EmptyEntry;

// Words added in one run are few: grow the list by a small step rather than
// doubling a vector of half a million strings.
constexpr std::size_t GrowthStep = 256;

std::string_view prefixOf(std::string_view word)
{
    return word.substr(0, 2);
}

// The prefix of `word` as a number: its up to two bytes and its length.
std::uint32_t prefixKey(std::string_view word)
{
    const std::size_t length = std::min<std::size_t>(word.size(), 2);
    std::uint32_t key = static_cast<std::uint32_t>(length) << 16;
    if (length > 0)
        key |= static_cast<unsigned char>(word[0]);
    if (length > 1)
        key |= static_cast<std::uint32_t>(static_cast<unsigned char>(word[1])) << 8;
    return key;
}

// Index of the first non-empty entry in [from, end), or `end`.
std::size_t firstNonEmpty(const std::vector<std::string>& words, std::size_t from, std::size_t end)
{
    while (from < end && words[from].empty())
        ++from;
    return from;
}

// Index of the first non-empty entry in [begin, end) for which `below` is
// false, or `end`, when `below` holds for a leading run of the non-empty
// entries. A binary search that steps over emptied slots, keeping: the
// non-empty entries in [begin, lo) are below, those in [hi, end) are not.
template <typename Below>
std::size_t firstNonEmptyNotBelow(const std::vector<std::string>& words, std::size_t begin, std::size_t end,
                                  Below below)
{
    std::size_t lo = begin;
    std::size_t hi = end;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        const std::size_t probe = firstNonEmpty(words, mid, hi);
        if (probe == hi)
            hi = mid;
        else if (below(words[probe]))
            lo = probe + 1;
        else
            hi = mid;
    }
    return firstNonEmpty(words, lo, end);
}

} // namespace

Dictionary::Dictionary()
    : prefixes_(1)
    , groups_(1, GroupInfo{0, true})
{
}

Dictionary::Dictionary(std::vector<std::string> entries)
    : words_(std::move(entries))
{
    buildPrefixIndex();
}

std::size_t Dictionary::wordCount() const
{
    return words_.size();
}

const std::string& Dictionary::word(std::size_t position) const
{
    assert(position <= wordCount());
    return position == 0 ? EmptyEntry : words_[position - 1];
}

std::size_t Dictionary::prefixCount() const
{
    return groups_.size() - 1;
}

const std::string& Dictionary::prefix(std::size_t number) const
{
    assert(number >= 1 && number <= prefixCount());
    return prefixes_[number];
}

std::size_t Dictionary::prefixStart(std::size_t number) const
{
    assert(number >= 1 && number <= prefixCount());
    return groups_[number].start;
}

void Dictionary::buildPrefixIndex()
{
    prefixes_.assign(1, std::string());
    groups_.assign(1, GroupInfo{0, true});
    firstGroupByPrefix_.clear();
    sorted_ = true;

    std::uint32_t current = prefixKey({});
    const std::string* previous = nullptr; // the last non-empty entry so far
    for (std::size_t position = 1; position <= words_.size(); ++position) {
        const std::string& entry = words_[position - 1];
        if (entry.empty())
            continue;
        const std::uint32_t key = prefixKey(entry);
        if (key != current) {
            current = key;
            groups_.push_back(GroupInfo{position, true});
            prefixes_.emplace_back(prefixOf(entry));
            firstGroupByPrefix_.try_emplace(key, groups_.size() - 1);
            // Groups differ in their first bytes, where a leading Ñ reads as NZ.
            if (sorted_ && previous && compareSortKeys(*previous, entry) > 0)
                sorted_ = false;
        } else if (groups_.back().ordered && entry < *previous) {
            // Within a group the first bytes are shared, so byte order (std::string
            // compares bytes as unsigned values) is sortKey order.
            groups_.back().ordered = false;
            sorted_ = false;
        }
        previous = &entry;
    }
}

PrefixGroup Dictionary::findPrefixGroup(std::string_view word) const
{
    if (word.empty())
        return {};
    const auto found = firstGroupByPrefix_.find(prefixKey(word));
    if (found == firstGroupByPrefix_.end())
        return {};
    return groupNumbered(found->second);
}

std::size_t Dictionary::findWord(std::string_view word) const
{
    const PrefixGroup group = findPrefixGroup(word);
    if (!group.found())
        return 0;
    if (groups_[group.number].ordered) {
        // In an ordered group the first entry not below the word is its first copy, if any.
        const std::size_t index = firstNonEmptyNotBelow(words_, group.first - 1, group.last,
                                                        [word](const std::string& entry) { return entry < word; });
        return index < group.last && words_[index] == word ? index + 1 : 0;
    }
    for (std::size_t position = group.first; position <= group.last; ++position) {
        if (words_[position - 1] == word)
            return position;
    }
    return 0;
}

std::size_t Dictionary::firstWordStartingWith(const PrefixGroup& group, std::string_view start) const
{
    if (!group.found() || group.number > prefixCount() || group.first == 0 || group.last > wordCount())
        return 0;
    const PrefixGroup indexed = groupNumbered(group.number);
    if (indexed.first == group.first && indexed.last == group.last && groups_[group.number].ordered) {
        // The entries beginning with `start` are the smallest ones not below it.
        const std::size_t index = firstNonEmptyNotBelow(words_, group.first - 1, group.last,
                                                        [start](const std::string& entry) { return entry < start; });
        return index < group.last && words_[index].starts_with(start) ? index + 1 : 0;
    }
    for (std::size_t position = group.first; position <= group.last; ++position) {
        const std::string& entry = words_[position - 1];
        if (!entry.empty() && entry.starts_with(start))
            return position;
    }
    return 0;
}

std::string Dictionary::addWord(std::string_view word)
{
    std::string upper = toUpperWord(word);
    const std::size_t index = insertionIndex(upper);
    if (words_.size() == words_.capacity())
        words_.reserve(words_.size() + GrowthStep);
    words_.insert(words_.begin() + static_cast<std::ptrdiff_t>(index), upper);
    buildPrefixIndex();
    return upper;
}

bool Dictionary::deleteWord(std::string_view word)
{
    if (word.empty())
        return false;
    for (std::string& entry : words_) {
        if (entry == word) {
            entry.clear();
            return true;
        }
    }
    return false;
}

const std::vector<std::string>& Dictionary::entries() const
{
    return words_;
}

PrefixGroup Dictionary::groupNumbered(std::size_t number) const
{
    const std::size_t last = number < prefixCount() ? groups_[number + 1].start - 1 : wordCount();
    return PrefixGroup{number, groups_[number].start, last};
}

// Index in words_ of the first entry whose sort key is greater than the
// word's (an empty entry's key is the smallest). A binary search when the
// non-empty entries are in order (deletions keep them so), a scan otherwise.
std::size_t Dictionary::insertionIndex(std::string_view word) const
{
    const auto notGreater = [word](const std::string& entry) { return compareSortKeys(entry, word) <= 0; };
    if (sorted_)
        return firstNonEmptyNotBelow(words_, 0, words_.size(), notGreater);
    std::size_t index = 0;
    while (index < words_.size() && notGreater(words_[index]))
        ++index;
    return index;
}

} // namespace palitra
