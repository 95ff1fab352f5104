#include "core/dictionary/DictionaryStore.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace palitra {

std::optional<FileProblem> DictionaryStore::load(const QString& besideProgram, const QString& userCopy)
{
    const QString path = !userCopy.isEmpty() && QFileInfo::exists(userCopy) ? userCopy : besideProgram;
    WordListFile::ReadResult read = WordListFile::read(path);
    if (read.problem)
        return read.problem;
    path_ = path;
    userCopy_ = userCopy;
    stamp_ = read.stamp;
    dictionary_ = std::move(read.dictionary);
    changes_.clear();
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

QString DictionaryStore::savePath() const
{
    const QFileInfo read(path_);
    const bool writable = read.isWritable() && QFileInfo(read.absolutePath()).isWritable();
    return writable || userCopy_.isEmpty() ? path_ : userCopy_;
}

std::optional<FileProblem> DictionaryStore::save()
{
    const QString target = savePath();
    if (target != path_) // a failure shows when the list is written there
        QDir().mkpath(QFileInfo(target).absolutePath());
    // Another copy of the program saved the list since it was read: this
    // run's changes go onto what is there now.
    const std::optional<FileStamp> now = WordListFile::stamp(target);
    if (now && (target != path_ || *now != stamp_)) {
        WordListFile::ReadResult current = WordListFile::read(target);
        if (current.ok()) {
            for (const Change& change : changes_) {
                if (!change.added)
                    current.dictionary.deleteWord(change.word);
                else if (current.dictionary.findWord(change.word) == 0)
                    current.dictionary.addWord(change.word);
            }
            return WordListFile::write(target, current.dictionary);
        }
    }
    return WordListFile::write(target, dictionary_);
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
