#include "core/dictionary/Dictionary.h"

#include "core/dictionary/Fields.h"
#include "core/dictionary/SortKey.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <future>
#include <system_error>
#include <utility>

namespace palitra {

namespace {

// The length of an entry of this many letters or more is kept aside (see
// longLengths_).
constexpr std::uint16_t LongEntry = 0xFFFF;

// A group is in order when its entries' first 26 letters are: the longest word
// of a 25-tile board and one letter more, which is all of an entry that its
// order against such a word can depend on (see ordered()). A lookup of a
// longer word scans its group.
constexpr std::size_t OrderedLetters = 26;

// A list this large is read in two halves at once (see readEntries).
constexpr std::size_t TwoHalves = 1 << 20;

// Room for the words a player adds during a run, so that the first one does
// not move the whole buffer.
constexpr qsizetype SpareLetters = 4096;

// The prefix of `word` as a number: its up to two bytes and its length.
inline std::uint32_t prefixKey(std::string_view word)
{
    const auto byte = [word](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(word[i])); };
    if (word.size() >= 2) [[likely]]
        return byte(0) | byte(1) << 8 | 2U << 16;
    return word.empty() ? 0 : byte(0) | 1U << 16;
}

// Room for the entries of `bytes` bytes of a word list, by a guess (see readEntries).
std::size_t roomFor(std::size_t bytes)
{
    return bytes / 10 + 16;
}

// Whether `entry` sorts before `word` byte by byte, as std::string_view's <
// does; a loop the compiler keeps inline, where < calls memcmp, which costs
// more than comparing the few letters of a word.
inline bool bytesBelow(std::string_view entry, std::string_view word)
{
    const std::size_t common = std::min(entry.size(), word.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (entry[i] != word[i])
            return static_cast<unsigned char>(entry[i]) < static_cast<unsigned char>(word[i]);
    }
    return entry.size() < word.size();
}

// No word's prefix key (see prefixKey).
constexpr std::uint32_t NoPrefix = ~std::uint32_t(0);

std::uint16_t storedLength(std::size_t length)
{
    return length < LongEntry ? static_cast<std::uint16_t>(length) : LongEntry;
}

// How every word beginning with `prefix` sorts against a word whose first two
// letters have the sort key `wordKey`, when their beginnings decide it:
// negative before, positive after, 0 undecided.
int sortOfPrefix(std::string_view prefix, const std::string& wordKey)
{
    const std::string prefixKey = sortKey(prefix);
    const std::size_t common = std::min(prefixKey.size(), wordKey.size());
    return std::memcmp(prefixKey.data(), wordKey.data(), common);
}

} // namespace

Dictionary::Dictionary()
    : groups_(1, GroupInfo{0, {}, 0, Order::Ordered})
{
}

Dictionary::Dictionary(const std::vector<std::string>& entries)
{
    entries_.reserve(entries.size());
    for (const std::string& entry : entries)
        entries_.push_back(appendLetters(entry));
    buildPrefixIndex();
}

// Puts `word` and a line end at the end of the buffer; returns where it lies.
Dictionary::Span Dictionary::appendLetters(std::string_view word)
{
    const Span span(std::size_t(bytes_.size()), storedLength(word.size()));
    if (span.length == LongEntry)
        longLengths_.push_back(LongLength{span.offset, static_cast<std::uint32_t>(word.size())});
    bytes_.append(word.data(), static_cast<qsizetype>(word.size())).append('\n');
    return span;
}

Dictionary::GroupInfo Dictionary::groupOf(std::size_t index, std::string_view word) const
{
    const auto length = static_cast<std::uint8_t>(std::min<std::size_t>(word.size(), 2));
    return GroupInfo{
        static_cast<std::uint32_t>(index + 1), {word[0], length > 1 ? word[1] : '\0'}, length, Order::Unknown};
}

Dictionary Dictionary::fromWordList(QByteArray bytes)
{
    Dictionary dictionary;
    dictionary.bytes_ = std::move(bytes);
    dictionary.readEntries();
    return dictionary;
}

// Room is made for `room` entries and, when that runs out, for as many more as
// the bytes per entry seen so far foretell, so that the room left over stays
// small without a second pass. A non-empty entry whose prefix differs
// from the last group's opens a group.
Dictionary::Part Dictionary::readPart(std::size_t from, std::size_t to, std::size_t room) const
{
    const std::string_view letters(bytes_.constData() + from, to - from);
    Part part;
    part.entries.resize(room);
    Span* out = part.entries.data();
    Span* end = out + part.entries.size();
    std::size_t count = 0;
    std::uint32_t prefix = NoPrefix;
    forEachField(letters, [&](std::size_t start, std::size_t length) {
        if (out == end) [[unlikely]] {
            part.entries.resize(count + count * (letters.size() - start) / (start + 1) + count / 16 + 16);
            out = part.entries.data() + count;
            end = part.entries.data() + part.entries.size();
        }
        *out++ = Span(from + start, storedLength(length));
        if (length >= LongEntry) [[unlikely]]
            part.longLengths.push_back(LongLength{std::uint32_t(from + start), std::uint32_t(length)});
        const std::string_view word(letters.data() + start, length);
        if (const std::uint32_t key = prefixKey(word); length > 0 && key != prefix) [[unlikely]] {
            prefix = key;
            part.groups.push_back(groupOf(count, word));
        }
        ++count;
    });
    part.entries.resize(count);
    return part;
}

// The entries of bytes_, with the index, in one pass over the bytes. A large
// list is read in two halves at once, which meet at a line end: the second
// half's positions follow the first's, and a group that runs across the line
// end is one group. The first half makes room for the whole list, from a guess
// of its number of entries (a Spanish word and its line end take about twelve
// bytes), so that the second half's entries join it where they are.
void Dictionary::readEntries()
{
    const std::size_t size = std::size_t(bytes_.size());
    const char* const middle = size < TwoHalves
        ? nullptr
        : static_cast<const char*>(std::memchr(bytes_.constData() + size / 2, '\n', size - size / 2));
    std::size_t split = middle ? std::size_t(middle - bytes_.constData()) + 1 : size;
    std::future<Part> later;
    try {
        if (split < size)
            later = std::async(std::launch::async,
                               [this, split, size] { return readPart(split, size, roomFor(size - split)); });
    } catch (const std::system_error&) { // no thread to be had: the whole list in this one
        split = size;
    }
    Part first = readPart(0, split, roomFor(size));
    Part second = later.valid() ? later.get() : Part{};

    const std::size_t count = first.entries.size();
    first.entries.reserve(count + second.entries.size()); // nothing to do when the guess held
    first.entries.insert(first.entries.end(), second.entries.begin(), second.entries.end());
    entries_ = std::move(first.entries);
    if (entries_.capacity() > entries_.size() + entries_.size() / 3)
        entries_.shrink_to_fit();
    longLengths_ = std::move(first.longLengths);
    longLengths_.insert(longLengths_.end(), second.longLengths.begin(), second.longLengths.end());
    for (GroupInfo& group : second.groups)
        group.start += static_cast<std::uint32_t>(count);
    const bool runsOn = !first.groups.empty() && !second.groups.empty()
        && first.groups.back().prefixText() == second.groups.front().prefixText();
    groups_.assign(1, GroupInfo{0, {}, 0, Order::Ordered});
    groups_.insert(groups_.end(), first.groups.begin(), first.groups.end());
    groups_.insert(groups_.end(), second.groups.begin() + (runsOn ? 1 : 0), second.groups.end());
    indexFirstGroups();
}

std::size_t Dictionary::wordCount() const
{
    return entries_.size();
}

// Inline: lookups call it at every step of their searches.
inline std::string_view Dictionary::entry(std::size_t index) const
{
    const Span span = entries_[index];
    if (span.length != LongEntry) [[likely]]
        return std::string_view(bytes_.constData() + span.offset, span.length);
    return longEntry(span);
}

std::string_view Dictionary::longEntry(Span span) const
{
    const auto found = std::lower_bound(longLengths_.begin(), longLengths_.end(), span.offset,
                                        [](const LongLength& l, std::uint32_t offset) { return l.offset < offset; });
    assert(found != longLengths_.end() && found->offset == span.offset);
    return std::string_view(bytes_.constData() + span.offset, found->length);
}

std::string_view Dictionary::word(std::size_t position) const
{
    assert(position <= wordCount());
    return position == 0 ? std::string_view() : entry(position - 1);
}

std::size_t Dictionary::prefixCount() const
{
    return groups_.size() - 1;
}

std::string_view Dictionary::prefix(std::size_t number) const
{
    assert(number >= 1 && number <= prefixCount());
    return groups_[number].prefixText();
}

std::size_t Dictionary::prefixStart(std::size_t number) const
{
    assert(number >= 1 && number <= prefixCount());
    return groups_[number].start;
}

void Dictionary::indexFirstGroups()
{
    firstGroupByPrefix_.clear();
    for (std::size_t number = 1; number < groups_.size(); ++number)
        firstGroupByPrefix_.try_emplace(prefixKey(prefix(number)), number);
}

void Dictionary::buildPrefixIndex()
{
    groups_.assign(1, GroupInfo{0, {}, 0, Order::Ordered});
    std::uint32_t prefix = NoPrefix;
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        const std::string_view word = entry(index);
        if (const std::uint32_t key = prefixKey(word); !word.empty() && key != prefix) {
            prefix = key;
            groups_.push_back(groupOf(index, word));
        }
    }
    indexFirstGroups();
    deletedSinceIndexed_ = false;
}

// Whether the first OrderedLetters letters of the non-empty entries of a group
// are in byte order (which, sharing their first bytes, is sortKey order):
// found out once, when first asked. For a word w shorter than that, cutting
// an entry e there keeps whether e < w, e == w and e starts with w, so a
// search for w may halve a group ordered so, as if wholly in order.
bool Dictionary::ordered(std::size_t number) const
{
    const GroupInfo& group = groups_[number];
    if (group.order == Order::Unknown) {
        const PrefixGroup range = groupNumbered(number);
        std::string_view previous;
        group.order = Order::Ordered;
        for (std::size_t index = range.first - 1; index < range.last && group.order == Order::Ordered; ++index) {
            const std::string_view word = entry(index).substr(0, OrderedLetters);
            if (word.empty())
                continue;
            if (word < previous)
                group.order = Order::Unordered;
            previous = word;
        }
    }
    return group.order == Order::Ordered;
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

// Index of the first non-empty entry in [begin, end) for which `below` is
// false, or `end`, when `below` holds for a leading run of the non-empty
// entries. A binary search that steps over emptied slots, keeping: the
// non-empty entries in [begin, lo) are below, those in [hi, end) are not.
template <typename Below>
std::size_t Dictionary::firstNotBelow(std::size_t begin, std::size_t end, Below below) const
{
    const auto firstNonEmpty = [this](std::size_t from, std::size_t until) {
        while (from < until && entries_[from].length == 0)
            ++from;
        return from;
    };
    std::size_t lo = begin;
    std::size_t hi = end;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        const std::size_t probe = firstNonEmpty(mid, hi);
        if (probe == hi)
            hi = mid;
        else if (below(entry(probe)))
            lo = probe + 1;
        else
            hi = mid;
    }
    return firstNonEmpty(lo, end);
}

std::size_t Dictionary::findWord(std::string_view word) const
{
    const PrefixGroup group = findPrefixGroup(word);
    if (!group.found())
        return 0;
    if (word.size() < OrderedLetters && ordered(group.number)) {
        // In an ordered group the first entry not below the word is its first copy, if any.
        const std::size_t index = firstNotBelow(group.first - 1, group.last,
                                                [word](std::string_view entry) { return bytesBelow(entry, word); });
        return index < group.last && entry(index) == word ? index + 1 : 0;
    }
    for (std::size_t position = group.first; position <= group.last; ++position) {
        if (entry(position - 1) == word)
            return position;
    }
    return 0;
}

std::size_t Dictionary::firstWordStartingWith(const PrefixGroup& group, std::string_view start) const
{
    if (!group.found() || group.number > prefixCount() || group.first == 0 || group.last > wordCount())
        return 0;
    const PrefixGroup indexed = groupNumbered(group.number);
    if (indexed.first == group.first && indexed.last == group.last && start.size() < OrderedLetters
        && ordered(group.number)) {
        // The entries beginning with `start` are the smallest ones not below it.
        const std::size_t index = firstNotBelow(group.first - 1, group.last,
                                                [start](std::string_view entry) { return bytesBelow(entry, start); });
        return index < group.last && entry(index).starts_with(start) ? index + 1 : 0;
    }
    for (std::size_t position = group.first; position <= group.last; ++position) {
        const std::string_view found = entry(position - 1);
        if (!found.empty() && found.starts_with(start))
            return position;
    }
    return 0;
}

std::string Dictionary::addWord(std::string_view word)
{
    std::string upper = toUpperWord(word);
    const std::size_t index = insertionIndex(upper);
    const auto added = static_cast<qsizetype>(upper.size() + 1);
    if (bytes_.capacity() - bytes_.size() < added)
        bytes_.reserve(bytes_.size() + added + SpareLetters);
    entries_.insert(entries_.begin() + std::ptrdiff_t(index), appendLetters(upper));
    if (upper.empty() || !insertIntoIndex(index, upper))
        buildPrefixIndex();
    return upper;
}

bool Dictionary::deleteWord(std::string_view word)
{
    if (word.empty())
        return false;
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        if (entry(index) == word) {
            entries_[index].length = 0;
            deletedSinceIndexed_ = true;
            return true;
        }
    }
    return false;
}

PrefixGroup Dictionary::groupNumbered(std::size_t number) const
{
    const std::size_t last = number < prefixCount() ? groups_[number + 1].start - 1 : wordCount();
    return PrefixGroup{number, groups_[number].start, last};
}

// Index of the first entry whose sort key is greater than the word's (an
// empty entry's key is the smallest), found group by group: a group whose
// prefix sorts wholly before the word is passed over, one wholly after it
// holds the answer at its first word, and any other is halved when in order,
// else scanned.
std::size_t Dictionary::insertionIndex(std::string_view word)
{
    const auto notGreater = [word](std::string_view entry) { return compareSortKeys(entry, word) <= 0; };
    const std::string wordKey = sortKey(word.substr(0, 2));
    for (std::size_t number = 1; number <= prefixCount(); ++number) {
        const int byPrefix = sortOfPrefix(prefix(number), wordKey);
        if (byPrefix < 0)
            continue;
        const PrefixGroup group = groupNumbered(number);
        std::size_t index = group.first - 1;
        if (byPrefix == 0 && prefix(number) == word.substr(0, 2) && word.size() < OrderedLetters && ordered(number))
            index = firstNotBelow(group.first - 1, group.last, notGreater);
        else
            while (index < group.last && (entries_[index].length == 0 || (byPrefix == 0 && notGreater(entry(index)))))
                ++index;
        if (index < group.last)
            return index;
    }
    return entries_.size();
}

// The index after `word` was inserted at `index`, as a rebuild would make it,
// changed in place; false when a word deleted since the index was built could
// change more than this knows of (then the index is rebuilt).
bool Dictionary::insertIntoIndex(std::size_t index, std::string_view word)
{
    if (deletedSinceIndexed_)
        return false;
    const std::string_view prefix = word.substr(0, 2);
    // The last group that began before the word (0 for none), and whether its
    // run of words goes on after it.
    const auto after = std::upper_bound(groups_.begin() + 1, groups_.end(), std::uint32_t(index),
                                        [](std::uint32_t position, const GroupInfo& g) { return position < g.start; });
    const std::size_t before = std::size_t(after - groups_.begin()) - 1;
    std::size_t runEnd =
        before + 1 < groups_.size() ? groups_[before + 1].start : entries_.size(); // 1-based, exclusive
    std::size_t next = index + 1; // the first non-empty entry after the word, 0-based
    while (next + 1 < runEnd + 1 && next < entries_.size() && entries_[next].length == 0)
        ++next;
    const bool inside = before > 0 && next < runEnd;
    for (std::size_t number = before + 1; number < groups_.size(); ++number)
        ++groups_[number].start;

    GroupInfo* group = before > 0 ? &groups_[before] : nullptr;
    if (group && group->prefixText() == prefix) {
        if (group->order == Order::Ordered)
            group->order = Order::Unknown; // known again at the next lookup
    } else if (!inside && before + 1 < groups_.size() && groups_[before + 1].prefixText() == prefix) {
        groups_[before + 1].start = static_cast<std::uint32_t>(index + 1);
        groups_[before + 1].order = Order::Unknown;
    } else {
        // A group of its own, splitting the run it falls into.
        std::vector<GroupInfo> opened{groupOf(index, word)};
        if (inside) {
            opened.push_back(*group);
            opened.back().start = static_cast<std::uint32_t>(next + 1);
            opened.back().order = group->order = Order::Unknown;
        }
        groups_.insert(groups_.begin() + std::ptrdiff_t(before + 1), opened.begin(), opened.end());
    }
    indexFirstGroups();
    return true;
}

} // namespace palitra
