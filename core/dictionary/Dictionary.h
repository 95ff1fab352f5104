#pragma once

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
class Dictionary {
public:
    Dictionary();
    // Entries in file order become positions 1..entries.size(); the index is built.
    explicit Dictionary(std::vector<std::string> entries);

    std::size_t wordCount() const;
    // Entry at `position` (0..wordCount()); an empty string for a deleted entry.
    const std::string& word(std::size_t position) const;

    std::size_t prefixCount() const;
    // Prefix and first position of group `number` (1..prefixCount()).
    const std::string& prefix(std::size_t number) const;
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

    // Inserts the upper-case form of `word` before the first entry whose
    // sort key is strictly greater, rebuilds the index and returns that form.
    std::string addWord(std::string_view word);

    // Empties the first entry equal to `word`; positions and the index stay.
    // Returns whether an entry was emptied.
    bool deleteWord(std::string_view word);

    // All entries 1..wordCount(), in order, deleted ones as empty strings.
    const std::vector<std::string>& entries() const;

private:
    struct GroupInfo {
        std::size_t start;
        bool ordered; // its non-empty entries are in ascending byte order
    };

    PrefixGroup groupNumbered(std::size_t number) const;
    std::size_t insertionIndex(std::string_view word) const;

    // Position p (1..wordCount()) is words_[p - 1]; position 0 is always empty
    // and not stored, so the list read from the file is kept without moving it.
    std::vector<std::string> words_;
    std::vector<std::string> prefixes_; // prefixes_[0] unused
    std::vector<GroupInfo> groups_;     // groups_[0] unused
    std::unordered_map<std::uint32_t, std::size_t> firstGroupByPrefix_;
    bool sorted_ = true; // the non-empty entries were in sortKey order at the last rebuild
};

} // namespace palitra
