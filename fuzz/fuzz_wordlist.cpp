// libFuzzer target for the word-list core. The input's first two bytes (little-
// endian, 15 bits) give the length of a word-list file that follows, whose
// bytes are a pattern for a list of up to 2 MB when the top bit is set (see
// expand; PALITRA_FUZZ_SMALL_LISTS in the environment passes over such inputs);
// the rest drives lookups, insertions, deletions, rebuilds and saves.
// After every step the dictionary is held against plain references (a byte-at-
// a-time parse, a list kept alongside, scans of its groups) and the first
// disagreement aborts.
#include "core/dictionary/Dictionary.h"
#include "core/dictionary/WordListFile.h"

#include <QBuffer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace palitra;
using Words = std::vector<std::string>; // words[i] is position i + 1

#define CHECK(condition)                                                                                               \
    ((condition) ? void() : (std::fprintf(stderr, "line %d: %s\n", __LINE__, #condition), std::abort()))

// The list a pattern makes: 0x01 k lengthens the field begun, by repeats of its
// last letter (A for none), to 65,532 + k % 8 + k / 8 * 65,536 letters; 0x02 n
// puts in its place (n % 32 + 1) * 1,024 fields, its letters and four more
// counting up (AAAA, AAAB, ...), each with CR LF. Any other byte stays.
std::string expand(std::string_view pattern)
{
    constexpr std::size_t Largest = 2 << 20;
    std::string out;
    for (std::size_t i = 0; i < pattern.size() && out.size() < Largest; ++i) {
        if ((pattern[i] != '\x01' && pattern[i] != '\x02') || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        const auto k = static_cast<unsigned char>(pattern[i + 1]);
        const std::size_t begun = out.find_last_of(",\r\n") + 1, letters = out.size() - begun; // npos + 1 is 0
        const std::string stem = out.substr(begun);
        if (pattern[i++] == '\x01') {
            const std::size_t length = std::min(Largest, 65532 + k % 8 + k / 8 * std::size_t(65536));
            out.append(std::max(length, letters) - letters, letters == 0 ? 'A' : out.back());
            continue;
        }
        out.resize(begun);
        for (std::size_t n = 0; n < (k % 32 + 1) * 1024u && out.size() < Largest; ++n)
            out += stem + char('A' + n / 17576 % 26) + char('A' + n / 676 % 26) + char('A' + n / 26 % 26)
                + char('A' + n % 26) + "\r\n";
    }
    return out;
}

Words referenceParse(std::string_view bytes)
{
    Words entries;
    std::string field;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue; // the LF ends the field
        if (bytes[i] == ',' || bytes[i] == '\r' || bytes[i] == '\n')
            entries.push_back(std::exchange(field, std::string()));
        else
            field += bytes[i];
    }
    if (!field.empty())
        entries.push_back(field);
    return entries;
}

// The index: the runs of same-prefix entries of the list as it stood at the last
// rebuild (deletions empty slots in place), empty slots skipped.
void checkIndex(const Dictionary& dictionary, const Words& words, const Words& indexed)
{
    CHECK(dictionary.wordCount() == words.size() && dictionary.word(0).empty());
    for (std::size_t position = 1; position <= words.size(); ++position)
        CHECK(dictionary.word(position) == words[position - 1]);
    std::size_t groups = 0;
    std::string current;
    for (std::size_t position = 1; position <= indexed.size(); ++position) {
        const std::string prefix = indexed[position - 1].substr(0, 2);
        if (prefix.empty() || prefix == current)
            continue;
        current = prefix;
        CHECK(++groups <= dictionary.prefixCount());
        CHECK(dictionary.prefix(groups) == current && dictionary.prefixStart(groups) == position);
    }
    CHECK(dictionary.prefixCount() == groups);
}

// The lookups against scans of the word's group, found by a scan of the index.
void checkLookups(const Dictionary& d, const std::string& word)
{
    PrefixGroup group;
    for (std::size_t n = 1; n <= d.prefixCount() && !group.found(); ++n)
        if (d.prefix(n) == word.substr(0, 2))
            group = {n, d.prefixStart(n), n < d.prefixCount() ? d.prefixStart(n + 1) - 1 : d.wordCount()};
    const auto scan = [&](auto match) -> std::size_t {
        for (std::size_t p = group.first; group.found() && p <= group.last; ++p)
            if (!d.word(p).empty() && match(d.word(p)))
                return p;
        return 0;
    };
    const PrefixGroup found = d.findPrefixGroup(word);
    CHECK(found.number == group.number && found.first == group.first && found.last == group.last);
    CHECK(d.findWord(word) == scan([&](std::string_view e) { return e == word; }));
    for (const std::string& start : {word, word.substr(0, word.empty() ? 0 : word.size() - 1)})
        CHECK(d.firstWordStartingWith(group, start) == scan([&](std::string_view e) { return e.starts_with(start); }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::size_t header = size < 2 ? 0 : 2;
    const std::size_t fileSize = size < 2 ? size : std::min<std::size_t>(size - 2, data[0] | (data[1] & 0x7F) << 8);
    const std::string_view pattern(reinterpret_cast<const char*>(data) + header, fileSize);
    const bool large = size >= 2 && data[1] & 0x80;
    static const bool smallOnly = std::getenv("PALITRA_FUZZ_SMALL_LISTS") != nullptr;
    if (large && smallOnly)
        return 0;
    const std::string file = large ? expand(pattern) : std::string(pattern);
    Words words = referenceParse(file);
    Words indexed = words;
    Dictionary dictionary = Dictionary::fromWordList(QByteArray(file.data(), qsizetype(file.size())));
    const std::uint8_t* next = data + header + pattern.size();
    const auto byte = [&] { return next < data + size ? *next++ : std::uint8_t(0); };
    // An entry, whole or cut short, lengthened, or made of letters (and now and then another byte).
    const auto someWord = [&] {
        std::string made = words.empty() || byte() % 3 == 0
            ? std::string()
            : words[(byte() << 16 | byte() << 8 | byte()) % words.size()];
        const std::size_t cut = byte() % 12;
        made.resize(cut == 11 ? made.size() : std::min<std::size_t>(made.size(), cut));
        for (int extra = byte() % 4; extra > 0; --extra) {
            const std::uint8_t b = byte();
            made += b < 0xE0 ? "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xD1"[b % 27] : b == 0xE0 ? '\xF1' : char(b);
        }
        return made;
    };
    for (int step = 0; step <= 48; ++step) {
        checkIndex(dictionary, words, indexed);
        const std::size_t samples = words.size() > 4096 ? 4 : 200; // a large list's groups take long to scan
        for (std::size_t i = 0; i < words.size(); i += 1 + words.size() / samples)
            checkLookups(dictionary, words[i]);
        if (next == data + size)
            return 0;
        std::string word = someWord();
        switch (byte() % 6) {
        case 0: checkLookups(dictionary, word); break;
        case 1: { // upper-cased, before the first non-empty entry whose key (a leading Ñ read as NZ) is greater
            std::replace_if(
                word.begin(), word.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; }, 'A');
            const std::string stored = dictionary.addWord(word);
            for (std::size_t i = 0; i < word.size(); ++i) {
                const auto b = static_cast<unsigned char>(word[i]);
                const bool lower = (b >= 'a' && b <= 'z') || (b >= 0xE0 && b != 0xF7 && b != 0xFF);
                CHECK(static_cast<unsigned char>(stored[i]) == (lower ? b - 0x20 : b));
            }
            const auto key = [](const std::string& w) { return !w.empty() && w[0] == '\xD1' ? "NZ" + w.substr(1) : w; };
            words.insert(std::find_if(words.begin(), words.end(),
                                      [&](const std::string& e) { return !e.empty() && key(e) > key(stored); }),
                         stored);
            indexed = words;
            break;
        }
        case 2: { // only the first equal entry is emptied
            const auto first = word.empty() ? words.end() : std::find(words.begin(), words.end(), word);
            CHECK(dictionary.deleteWord(word) == (first != words.end()));
            if (first != words.end())
                first->clear();
            break;
        }
        case 3:
            dictionary.buildPrefixIndex();
            indexed = words;
            break;
        default: { // saved: the entries neither empty nor blank, each with CR LF; read back in order
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            CHECK(WordListFile::writeTo(buffer, dictionary));
            std::erase_if(words, [](const std::string& e) { return e.find_first_not_of(" \t") == std::string::npos; });
            std::string expected;
            for (const std::string& entry : words)
                expected += entry + "\r\n";
            CHECK(buffer.data().toStdString() == expected);
            dictionary = Dictionary::fromWordList(buffer.data()); // read back: the same entries
            indexed = words;
        }
        }
    }
    return 0;
}
