#include "core/dictionary/DictionaryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

namespace palitra {

namespace {

using Change = DictionaryStore::Change;

const QString ChangesName = QStringLiteral("Palitra.cambios");

// An upper-case letter of Windows-1252, which every word of a list is made of.
bool isWordLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A || c == 0x8C || c == 0x8E
        || c == 0x9F;
}

bool isWord(std::string_view letters)
{
    return !letters.empty() && std::all_of(letters.begin(), letters.end(), isWordLetter);
}

std::string_view withoutTrailingBlanks(std::string_view entry)
{
    while (!entry.empty() && (entry.back() == ' ' || entry.back() == '\t'))
        entry.remove_suffix(1);
    return entry;
}

// Whether a whole list holds words and nothing else: random bytes, UTF-8
// text or a list of blank lines are not the player's list.
bool isWordList(const Dictionary& list)
{
    bool any = false;
    for (std::size_t position = 1; position <= list.wordCount(); ++position) {
        const std::string_view entry = withoutTrailingBlanks(list.word(position));
        if (!entry.empty() && !isWord(entry))
            return false;
        any = any || !entry.empty();
    }
    return any;
}

// The lines of a changes file, in order; none when one is not "+WORD" or "-WORD".
std::optional<std::vector<Change>> changesOf(const Dictionary& lines)
{
    std::vector<Change> changes;
    for (std::size_t position = 1; position <= lines.wordCount(); ++position) {
        const std::string_view line = lines.word(position);
        if (line.empty())
            continue;
        if ((line[0] != '+' && line[0] != '-') || !isWord(line.substr(1)))
            return std::nullopt;
        changes.push_back(Change{line[0] == '+', std::string(line.substr(1))});
    }
    return changes.empty() ? std::nullopt : std::optional(std::move(changes));
}

// An added word goes in once; a struck-out word leaves its first entry.
void applyChanges(Dictionary& list, const std::vector<Change>& changes)
{
    for (const Change& change : changes) {
        if (!change.added)
            list.deleteWord(change.word);
        else if (list.findWord(change.word) == 0)
            list.addWord(change.word);
    }
}

// The changes that turn `from` into `to`: what `to` holds that `from` lacks is
// added, and the reverse struck out.
std::vector<Change> difference(const Dictionary& from, const Dictionary& to)
{
    std::vector<Change> changes;
    for (const auto& [list, other, added] : {std::tuple{&from, &to, false}, std::tuple{&to, &from, true}})
        for (std::size_t position = 1; position <= list->wordCount(); ++position) {
            const std::string_view word = withoutTrailingBlanks(list->word(position));
            if (!word.empty() && other->findWord(word) == 0)
                changes.push_back(Change{added, std::string(word)});
        }
    return changes;
}

bool exists(const QString& path) // whatever it is, a link to nothing included
{
    struct stat info { };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Moves `path` (a file, a link or a folder) to the first free name of
// `path` + `suffix`, then with -2, -3…; the new name, or empty if it stays.
QString moveAside(const QString& path, const QString& suffix)
{
    for (int number = 1; number < 100; ++number) {
        const QString name = path + suffix + (number > 1 ? '-' + QString::number(number) : QString());
        const QByteArray from = QFile::encodeName(path), to = QFile::encodeName(name);
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0
            || (errno == EINVAL && !exists(name) && ::rename(from.constData(), to.constData()) == 0))
            return name;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

bool isWritable(const QString& list)
{
    const QFileInfo info(list);
    return info.isWritable() && QFileInfo(info.absolutePath()).isWritable();
}

} // namespace

std::optional<FileProblem> DictionaryStore::load(const QString& besideProgram, const QString& userCopy)
{
    WordListFile::ReadResult read = WordListFile::read(besideProgram);
    if (read.problem)
        return read.problem;
    path_ = savePath_ = besideProgram;
    stamp_ = read.stamp;
    dictionary_ = std::move(read.dictionary);
    carried_.clear();
    changes_.clear();
    setAside_.reset();
    if (userCopy.isEmpty() || isWritable(besideProgram))
        return std::nullopt;
    savePath_ = QFileInfo(userCopy).dir().filePath(ChangesName);
    if (exists(savePath_))
        applyChanges(dictionary_, playersChanges());
    else if (exists(userCopy))
        takeOverWholeCopy(userCopy);
    return std::nullopt;
}

std::optional<FileProblem> DictionaryStore::loadCommon(const QString& path)
{
    common_.reset();
    WordListFile::ReadResult read = WordListFile::read(path);
    if (read.problem)
        return read.problem;
    // A word struck out of the list in an earlier run is not walked.
    std::vector<std::string> kept;
    for (std::size_t position = 1; position <= read.dictionary.wordCount(); ++position) {
        const std::string_view word = read.dictionary.word(position);
        if (!word.empty() && dictionary_.findWord(word) != 0)
            kept.emplace_back(word);
    }
    common_.emplace(kept);
    return std::nullopt;
}

// The player's changes as the file holds them now; a file that cannot be read
// or makes no sense is set aside, and counts as none.
std::vector<Change> DictionaryStore::playersChanges()
{
    if (!exists(savePath_))
        return {};
    WordListFile::ReadResult read = WordListFile::read(savePath_);
    std::optional<std::vector<Change>> changes;
    if (read.ok() && !(changes = changesOf(read.dictionary)))
        read.problem = FileProblem{FileProblem::Kind::Garbled, savePath_};
    if (read.problem)
        setAside_ = SetAside{*read.problem, moveAside(savePath_, QStringLiteral(".ilegible"))};
    return changes.value_or(std::vector<Change>{});
}

void DictionaryStore::takeOverWholeCopy(const QString& userCopy)
{
    WordListFile::ReadResult old = WordListFile::read(userCopy);
    if (old.ok() && !isWordList(old.dictionary))
        old.problem = FileProblem{FileProblem::Kind::Garbled, userCopy};
    if (old.problem) {
        setAside_ = SetAside{*old.problem, moveAside(userCopy, QStringLiteral(".ilegible"))};
        return;
    }
    carried_ = difference(dictionary_, old.dictionary);
    applyChanges(dictionary_, carried_);
    // Kept where it is until its changes are on the disk: else they go with the next save.
    if (!carried_.empty() && addChanges(carried_))
        return;
    carried_.clear();
    moveAside(userCopy, QStringLiteral(".anterior"));
}

std::optional<FileProblem> DictionaryStore::save()
{
    if (savePath_ == path_)
        return WordListFile::underLock(path_, [this] { return saveList(); });
    std::vector<Change> changes = carried_;
    changes.insert(changes.end(), changes_.begin(), changes_.end());
    return addChanges(changes);
}

// Another copy of the program saved the list since it was read: this run's
// changes go onto what is there now.
std::optional<FileProblem> DictionaryStore::saveList()
{
    const std::optional<FileStamp> now = WordListFile::stamp(path_);
    if (now && *now != stamp_) {
        WordListFile::ReadResult current = WordListFile::read(path_);
        if (current.ok()) {
            applyChanges(current.dictionary, changes_);
            return WordListFile::write(path_, current.dictionary);
        }
    }
    return WordListFile::write(path_, dictionary_);
}

// Appends `changes` to the player's file, after what another copy may have
// written there meanwhile.
std::optional<FileProblem> DictionaryStore::addChanges(const std::vector<Change>& changes)
{
    if (auto problem = WordListFile::makeFolder(QFileInfo(savePath_).absolutePath()))
        return problem;
    return WordListFile::underLock(savePath_, [&] {
        std::vector<Change> all = playersChanges();
        all.insert(all.end(), changes.begin(), changes.end());
        QByteArray lines;
        for (const Change& change : all)
            if (isWord(change.word)) // none other can be told in the file
                lines.append(change.added ? '+' : '-')
                    .append(change.word.data(), qsizetype(change.word.size()))
                    .append("\r\n");
        return WordListFile::writeAtomically(savePath_,
                                             [&](QIODevice& file) { return file.write(lines) == lines.size(); });
    });
}

std::string DictionaryStore::addWord(std::string_view word)
{
    std::string added = dictionary_.addWord(word);
    changes_.push_back(Change{true, added});
    return added;
}

void DictionaryStore::strikeWord(std::string_view word)
{
    changes_.push_back(Change{false, std::string(word)});
    dictionary_.deleteWord(word);
    if (common_)
        common_->deleteWord(word);
}

} // namespace palitra
