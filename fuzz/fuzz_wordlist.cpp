// libFuzzer target for the word-list core: arbitrary bytes are read as a
// word-list file, then the rest of the input drives lookups, insertions,
// deletions, index rebuilds and save-and-reload cycles. After every step the
// dictionary is compared with plain linear-scan references and the program
// aborts on the first disagreement.
//
// Input layout: two bytes (little-endian) give the length of the file part,
// which follows; every remaining byte pair or run decodes one operation.

#include "dictionary/Dictionary.h"
#include "dictionary/WordListFile.h"

#include <QBuffer>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using palitra::Dictionary;
using palitra::PrefixGroup;
using palitra::WordListFile;

[[noreturn]] void broken(const char* what, int line)
{
    std::fprintf(stderr, "fuzz_wordlist: invariant broken at line %d: %s\n", line, what);
    std::abort();
}

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            broken(#condition, __LINE__);                                                                              \
    } while (false)

constexpr std::size_t MaxOperations = 48;
// Per-entry lookups are checked on at most this many entries per step, spread over the list.
constexpr std::size_t MaxCheckedEntries = 400;

std::string_view prefixOf(std::string_view word)
{
    return word.substr(0, 2);
}

bool isBlank(std::string_view entry)
{
    return entry.find_first_not_of(" \t") == std::string_view::npos;
}

// The word-list order written out the long way: a leading Ñ (0xD1) reads as "NZ".
std::string referenceKey(std::string_view word)
{
    if (!word.empty() && static_cast<unsigned char>(word.front()) == 0xD1)
        return "NZ" + std::string(word.substr(1));
    return std::string(word);
}

// Whether the non-empty entries are in word-list order, with each prefix in
// one run: words beginning with "NZ" would share their key with those
// beginning with Ñ and could split the run.
bool inOrder(const std::vector<std::string>& words)
{
    const std::string* previous = nullptr;
    for (const std::string& entry : words) {
        if (entry.empty())
            continue;
        if (entry.starts_with("NZ"))
            return false;
        if (previous && referenceKey(*previous) > referenceKey(entry))
            return false;
        previous = &entry;
    }
    return true;
}

// Field splitting one byte at a time.
std::vector<std::string> referenceParse(std::string_view bytes)
{
    std::vector<std::string> entries;
    std::string field;
    bool open = false; // bytes seen since the last delimiter
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == ',' || c == '\r' || c == '\n') {
            entries.push_back(field);
            field.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            field += c;
            open = true;
        }
    }
    if (open)
        entries.push_back(field);
    return entries;
}

// The list as the dictionary should hold it (1-based, slot 0 empty), and the
// list as it stood at the last index rebuild: deletions empty slots without
// moving them, so the index must still describe that older list.
struct Model {
    std::vector<std::string> words{std::string()};
    std::vector<std::string> indexedWords{std::string()};

    std::size_t count() const { return words.size() - 1; }
    void rebuilt() { indexedWords = words; }
};

struct ExpectedIndex {
    std::vector<std::string> prefixes{std::string()};
    std::vector<std::size_t> starts{0};
};

// Groups are the runs of same-prefix words; empty slots are skipped.
ExpectedIndex referenceIndex(const std::vector<std::string>& words)
{
    ExpectedIndex index;
    std::string current;
    for (std::size_t position = 1; position < words.size(); ++position) {
        const std::string& entry = words[position];
        if (entry.empty() || prefixOf(entry) == current)
            continue;
        current = std::string(prefixOf(entry));
        index.prefixes.push_back(current);
        index.starts.push_back(position);
    }
    return index;
}

// First group of the dictionary's own index whose prefix is that of `word`, by a scan.
PrefixGroup scanForGroup(const Dictionary& dictionary, std::string_view word)
{
    const std::string_view wanted = prefixOf(word);
    const std::size_t count = dictionary.prefixCount();
    for (std::size_t k = 1; k <= count; ++k) {
        if (dictionary.prefix(k) == wanted) {
            const std::size_t last = k < count ? dictionary.prefixStart(k + 1) - 1 : dictionary.wordCount();
            return PrefixGroup{k, dictionary.prefixStart(k), last};
        }
    }
    return {};
}

std::size_t scanForWord(const Dictionary& dictionary, std::string_view word)
{
    const PrefixGroup group = scanForGroup(dictionary, word);
    for (std::size_t position = group.first; group.found() && position <= group.last; ++position) {
        if (dictionary.word(position) == word)
            return position;
    }
    return 0;
}

std::size_t scanForStart(const Dictionary& dictionary, const PrefixGroup& group, std::string_view start)
{
    for (std::size_t position = group.first; position <= group.last; ++position) {
        const std::string& entry = dictionary.word(position);
        if (!entry.empty() && entry.starts_with(start))
            return position;
    }
    return 0;
}

void checkSameGroup(const PrefixGroup& actual, const PrefixGroup& expected)
{
    CHECK(actual.number == expected.number);
    if (expected.found()) {
        CHECK(actual.first == expected.first);
        CHECK(actual.last == expected.last);
    }
}

void checkLookups(const Dictionary& dictionary, std::string_view word)
{
    checkSameGroup(dictionary.findPrefixGroup(word), scanForGroup(dictionary, word));
    CHECK(dictionary.findWord(word) == scanForWord(dictionary, word));
    const PrefixGroup group = scanForGroup(dictionary, word);
    if (group.found() && !word.empty()) {
        CHECK(dictionary.firstWordStartingWith(group, word) == scanForStart(dictionary, group, word));
        const std::string_view shorter = word.substr(0, std::max<std::size_t>(1, word.size() - 1));
        CHECK(dictionary.firstWordStartingWith(group, shorter) == scanForStart(dictionary, group, shorter));
    }
}

void checkIndex(const Dictionary& dictionary, const Model& model)
{
    const std::size_t count = dictionary.wordCount();
    CHECK(count == model.count());
    CHECK(dictionary.entries().size() == count);
    CHECK(dictionary.word(0).empty());
    for (std::size_t position = 1; position <= count; ++position) {
        CHECK(dictionary.word(position) == model.words[position]);
        CHECK(dictionary.entries()[position - 1] == model.words[position]);
    }

    const ExpectedIndex expected = referenceIndex(model.indexedWords);
    const std::size_t groups = dictionary.prefixCount();
    CHECK(groups == expected.starts.size() - 1);
    for (std::size_t k = 1; k <= groups; ++k) {
        CHECK(dictionary.prefix(k) == expected.prefixes[k]);
        CHECK(dictionary.prefixStart(k) == expected.starts[k]);
        CHECK(dictionary.prefixStart(k) >= 1 && dictionary.prefixStart(k) <= count);
        if (k > 1) {
            CHECK(dictionary.prefixStart(k - 1) < dictionary.prefixStart(k));
            CHECK(dictionary.prefix(k - 1) != dictionary.prefix(k));
        }
    }

    // Every word lies in a group named after its prefix.
    std::size_t k = 0;
    for (std::size_t position = 1; position <= count; ++position) {
        while (k < groups && dictionary.prefixStart(k + 1) <= position)
            ++k;
        const std::string& entry = model.words[position];
        if (!entry.empty()) {
            CHECK(k >= 1);
            CHECK(dictionary.prefix(k) == prefixOf(entry));
        }
    }
}

void checkEntryLookups(const Dictionary& dictionary, const Model& model)
{
    const std::size_t count = model.count();
    const std::size_t step = std::max<std::size_t>(1, count / MaxCheckedEntries);
    for (std::size_t position = 1; position <= count; position += step) {
        const std::string& entry = model.words[position];
        if (entry.empty())
            continue;
        checkLookups(dictionary, entry);
        // A word is found, at its first copy, unless an earlier group holds its prefix.
        const std::size_t found = dictionary.findWord(entry);
        CHECK(found == 0 || (found <= position && dictionary.word(found) == entry));
    }
    CHECK(dictionary.findWord(std::string_view()) == 0);
    CHECK(!dictionary.findPrefixGroup(std::string_view()).found());
}

std::vector<std::string> nonBlankEntries(const Model& model)
{
    std::vector<std::string> kept;
    for (std::size_t position = 1; position <= model.count(); ++position) {
        if (!isBlank(model.words[position]))
            kept.push_back(model.words[position]);
    }
    return kept;
}

// Reads operations and their words from the bytes after the file part.
class OperationReader {
public:
    OperationReader(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }

    bool done() const { return offset_ >= size_; }
    std::uint8_t byte() { return offset_ < size_ ? data_[offset_++] : 0; }

    // A word: mostly letters of the list's alphabet, sometimes an existing
    // entry or a variant of one, now and then raw bytes.
    std::string word(const Model& model)
    {
        const std::uint8_t mode = byte();
        const std::uint8_t length = byte() % 12;
        if (mode % 4 != 0 && model.count() > 0) {
            std::size_t position = (static_cast<std::size_t>(byte()) << 8 | byte()) % model.count() + 1;
            std::string entry = model.words[position];
            if (mode % 4 == 2)
                entry.resize(std::min<std::size_t>(entry.size(), length));
            else if (mode % 4 == 3)
                entry += letter(byte());
            return entry;
        }
        std::string generated;
        for (std::uint8_t i = 0; i < length; ++i)
            generated += letter(byte());
        return generated;
    }

private:
    static char letter(std::uint8_t b)
    {
        static constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xD1";
        if (b < 0xC0)
            return alphabet[b % alphabet.size()];
        return static_cast<char>(b == 0xC0 ? 'a' : b == 0xC1 ? '\xF1' : b == 0xC2 ? ' ' : b);
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

// Added words never hold the file's delimiters: the game only adds letters,
// and a comma or line end in an entry could not survive a save.
std::string withoutDelimiters(std::string word)
{
    for (char& c : word) {
        if (c == ',' || c == '\r' || c == '\n')
            c = 'A';
    }
    return word;
}

void addWord(Dictionary& dictionary, Model& model, const std::string& word)
{
    const std::string stored = dictionary.addWord(word);
    CHECK(stored.size() == word.size());
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto in = static_cast<unsigned char>(word[i]);
        const auto out = static_cast<unsigned char>(stored[i]);
        if (in >= 'a' && in <= 'z')
            CHECK(out == in - 0x20);
        else if (in == 0xF1)
            CHECK(out == 0xD1);
        else if (in < 0x80)
            CHECK(out == in);
    }
    // Before the first entry whose key is strictly greater; empty entries never are.
    const std::string key = referenceKey(stored);
    std::size_t position = 1;
    while (position <= model.count() && referenceKey(model.words[position]) <= key)
        ++position;
    model.words.insert(model.words.begin() + static_cast<std::ptrdiff_t>(position), stored);
    model.rebuilt();
    CHECK(dictionary.word(position) == stored);
    // In a list in order a new word is findable at once (at an earlier copy if there is one).
    if (!stored.empty() && inOrder(model.words)) {
        const std::size_t found = dictionary.findWord(stored);
        CHECK(found != 0 && found <= position);
    }
}

void deleteWord(Dictionary& dictionary, Model& model, const std::string& word)
{
    std::size_t position = 1;
    while (position <= model.count() && (word.empty() || model.words[position] != word))
        ++position;
    const bool present = position <= model.count();
    CHECK(dictionary.deleteWord(word) == present);
    if (present)
        model.words[position].clear();
}

void saveAndReload(Dictionary& dictionary, Model& model)
{
    const std::string content = WordListFile::serialize(dictionary);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CHECK(WordListFile::writeTo(buffer, dictionary));
    CHECK(buffer.data() == QByteArray::fromRawData(content.data(), static_cast<qsizetype>(content.size())));

    const std::vector<std::string> reloaded = WordListFile::parse(content);
    CHECK(reloaded == nonBlankEntries(model));
    dictionary = Dictionary(reloaded);
    model.words.assign(1, std::string());
    model.words.insert(model.words.end(), reloaded.begin(), reloaded.end());
    model.rebuilt();
}

void runOperation(Dictionary& dictionary, Model& model, OperationReader& reader)
{
    const std::uint8_t operation = reader.byte() % 8;
    switch (operation) {
    case 0:
    case 1:
    case 2:
        checkLookups(dictionary, reader.word(model));
        break;
    case 3:
    case 4:
        addWord(dictionary, model, withoutDelimiters(reader.word(model)));
        break;
    case 5:
        deleteWord(dictionary, model, reader.word(model));
        break;
    case 6:
        dictionary.buildPrefixIndex();
        model.rebuilt();
        break;
    case 7:
        saveAndReload(dictionary, model);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::size_t fileSize = size;
    std::size_t header = 0;
    if (size >= 2) {
        header = 2;
        fileSize = std::min<std::size_t>(size - 2, data[0] | static_cast<std::size_t>(data[1]) << 8);
    }
    const std::string_view file(reinterpret_cast<const char*>(data) + header, fileSize);

    const std::vector<std::string> entries = WordListFile::parse(file);
    CHECK(entries == referenceParse(file));

    Model model;
    model.words.insert(model.words.end(), entries.begin(), entries.end());
    model.rebuilt();
    Dictionary dictionary(entries);
    checkIndex(dictionary, model);
    checkEntryLookups(dictionary, model);

    OperationReader reader(data + header + fileSize, size - header - fileSize);
    for (std::size_t done = 0; done < MaxOperations && !reader.done(); ++done) {
        runOperation(dictionary, model, reader);
        checkIndex(dictionary, model);
        checkEntryLookups(dictionary, model);
    }
    return 0;
}
