#pragma once

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace palitra {

// A run of consecutive word-list entries that share their first two letters.
// `number` is 1-based; 0 means "no such group".
struct PrefixGroup {
    std::size_t number = 0;
    std::size_t first = 0; // position of the group's first entry
    std::size_t last = 0;  // position of the group's last entry
    bool found() const { return number != 0; }
};

// The word list in memory with its two-letter prefix index.
//
// Positions are 1-based, as the players of the word list count them: entries
// sit at positions 1..wordCount(), position 0 exists and stays empty. Group
// numbers are 1-based too. Entries are Windows-1252 bytes compared as
// unsigned values; the list is expected in sortKey order (see SortKey.h) but
// is kept as read, whatever its order.
//
// The letters stay in the buffer they were read into, and each entry is an
// offset and a length into it: six bytes beside its letters and its line end,
// so that half a million words take a few megabytes and load in one pass. An
// entry's letters never move: an insertion appends the word's letters and
// moves only the offsets. Whether a group is in order, which lets a lookup
// halve it instead of scanning it, is found out the first time it is needed.
//
// An entry costs the same whatever its length: the lengths that do not fit in
// 16 bits are kept aside, found once as the entries are read, and the order of
// a group is judged on its entries' first OrderedLetters letters, which decide
// how they sort against any word a board spells.
class Dictionary {
public:
    Dictionary();
    // Entries in order become positions 1..entries.size(); the index is built.
    explicit Dictionary(const std::vector<std::string>& entries);

    // Takes over the bytes of a word-list file: its fields (see Fields.h)
    // become the entries, and the index is built in the same pass.
    static Dictionary fromWordList(QByteArray bytes);

    std::size_t wordCount() const;
    // Entry at `position` (0..wordCount()); empty for a deleted entry.
    std::string_view word(std::size_t position) const;

    std::size_t prefixCount() const;
    // Prefix and first position of group `number` (1..prefixCount()).
    std::string_view prefix(std::size_t number) const;
    std::size_t prefixStart(std::size_t number) const;

    // Rebuilds the index from the entries. Empty entries are skipped, so a
    // deleted word never splits a run of same-prefix words into two groups.
    void buildPrefixIndex();

    // The first group whose prefix equals the first two bytes of `word`
    // (the whole word when shorter), or a group with number 0.
    PrefixGroup findPrefixGroup(std::string_view word) const;

    // Position of the first entry equal to `word` within its prefix group, or 0.
    std::size_t findWord(std::string_view word) const;

    // Position of the first entry of `group`, in list order, that begins with
    // `start` (an entry equal to `start` counts), or 0. Gives the result of a
    // scan of the group from its first entry, faster when the group is in order.
    std::size_t firstWordStartingWith(const PrefixGroup& group, std::string_view start) const;

    // Inserts the upper-case form of `word` before the first entry whose sort
    // key is strictly greater; the index then is what a rebuild gives. Returns
    // that form.
    std::string addWord(std::string_view word);

    // Empties the first entry equal to `word`; positions and the index stay.
    // Returns whether an entry was emptied.
    bool deleteWord(std::string_view word);

private:
#pragma pack(push, 1)
    // Where an entry's letters lie in the buffer; a length of LongEntry (see
    // Dictionary.cpp) is kept in longLengths_.
    struct Span {
        Span() { } // left unset, so that room for a whole list is made without writing it
        Span(std::size_t offset, std::uint16_t length)
            : offset(static_cast<std::uint32_t>(offset))
            , length(length)
        {
        }
        std::uint32_t offset;
        std::uint16_t length;
    };
#pragma pack(pop)
    // The length of an entry of LongEntry letters or more, by its offset.
    struct LongLength {
        std::uint32_t offset;
        std::uint32_t length;
    };
    enum class Order : std::uint8_t { Unknown, Ordered, Unordered };
    struct GroupInfo {
        std::uint32_t start;
        std::array<char, 2> prefix;
        std::uint8_t prefixLength;
        mutable Order order; // of its non-empty entries, in byte order
        std::string_view prefixText() const { return std::string_view(prefix.data(), prefixLength); }
    };

    std::string_view entry(std::size_t index) const;
    std::string_view longEntry(Span span) const;
    GroupInfo groupOf(std::size_t index, std::string_view word) const;
    // The entries and groups of the fields in bytes_[from, to), which begins and ends at field ends, with room
    // made for `room` entries; positions and groups count from the part's start.
    struct Part {
        std::vector<Span> entries;
        std::vector<GroupInfo> groups;
        std::vector<LongLength> longLengths;
    };
    Part readPart(std::size_t from, std::size_t to, std::size_t room) const;
    void readEntries();
    Span appendLetters(std::string_view word);
    void indexFirstGroups();
    PrefixGroup groupNumbered(std::size_t number) const;
    bool ordered(std::size_t number) const;
    std::size_t insertionIndex(std::string_view word);
    bool insertIntoIndex(std::size_t index, std::string_view word);
    template <typename Below>
    std::size_t firstNotBelow(std::size_t begin, std::size_t end, Below below) const;

    QByteArray bytes_;
    // Position p (1..wordCount()) is entry p - 1; position 0 is always empty and not stored.
    std::vector<Span> entries_;
    std::vector<LongLength> longLengths_; // in the order of their offsets
    std::vector<GroupInfo> groups_;       // groups_[0] unused
    std::unordered_map<std::uint32_t, std::size_t> firstGroupByPrefix_;
    bool deletedSinceIndexed_ = false; // an entry emptied since the index was last built
};

} // namespace palitra
