#include "core/dictionary/DictionaryStore.h"

#include "core/dictionary/WordListFile.h"

#include <utility>

namespace palitra {

std::optional<FileProblem> DictionaryStore::load(const QString& path)
{
    WordListFile::ReadResult read = WordListFile::read(path);
    if (read.problem)
        return read.problem;
    path_ = path;
    dictionary_ = Dictionary(std::move(read.entries));
    changed_ = false;
    return std::nullopt;
}

std::optional<FileProblem> DictionaryStore::save() const
{
    return WordListFile::write(path_, dictionary_);
}

std::string DictionaryStore::addWord(std::string_view word)
{
    changed_ = true;
    return dictionary_.addWord(word);
}

void DictionaryStore::strikeWord(std::string_view word)
{
    changed_ = true;
    dictionary_.deleteWord(word);
}

} // namespace palitra
