#pragma once
// Fakes of the seams and small helpers shared by the test programs.

#include "core/board/Random.h"
#include "core/board/SeededRandom.h"
#include "core/dictionary/Dictionary.h"
#include "core/dictionary/WordList.h"
#include "core/game/Clock.h"
#include "core/game/LetterBag.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace palitra::test {

// Row by row: SOLAR on top, CASA down and back up, PUÑAL and UÑA on the fourth row ("\321" is Ñ).
inline const QByteArray TestBoard = "SOLARCASENOTEMIPU\321ALBERAZ";
inline const QByteArray Words = "CASA\r\nCOSA\r\nES\r\nMESA\r\nPU\321AL\r\nSOL\r\nSOLA\r\nU\321A\r\n";

// A word list in memory.
class MemoryWordList final : public WordList {
public:
    explicit MemoryWordList(const QByteArray& bytes)
        : dictionary_(Dictionary::fromWordList(bytes))
    {
    }
    const Dictionary& dictionary() const override { return dictionary_; }
    const Dictionary* commonWords() const override { return common ? &*common : nullptr; }
    std::string addWord(std::string_view word) override
    {
        changed = true;
        return dictionary_.addWord(word);
    }
    void strikeWord(std::string_view word) override
    {
        changed = true;
        dictionary_.deleteWord(word);
        if (common)
            common->deleteWord(word);
    }
    bool changed = false;
    std::optional<Dictionary> common;

private:
    Dictionary dictionary_;
};

class FakeClock final : public Clock {
public:
    double now = 5000.0;
    QDate date{2026, 12, 7};
    double seconds() override { return now; }
    QDate today() override { return date; }
};

// Gives the scripted values first, then a seeded sequence.
class ScriptedRandom final : public Random {
public:
    QList<double> values;
    SeededRandom fallback{12345};
    double next() override { return values.isEmpty() ? fallback.next() : values.takeFirst(); }
};

// Random values that deal `letters` (25 of A-Z and Ñ, row by row) from the bag.
inline QList<double> drawsDealing(const QByteArray& letters)
{
    const LetterBag bag;
    std::array<bool, LetterBag::Size + 1> used{};
    QList<double> draws;
    for (const char letter : letters) {
        for (int position = 1; position <= LetterBag::Size; ++position) {
            if (!used[position] && bag.at(position) == letter) {
                used[position] = true;
                draws << (position - 0.5) / LetterBag::Size;
                break;
            }
        }
    }
    return draws;
}

// The random value that makes the computer start at `cell`.
inline double drawOfCell(int cell)
{
    return (cell + 0.5) / 25.0;
}

// A dictionary's entries, in order.
inline std::vector<std::string> entriesOf(const Dictionary& dictionary)
{
    std::vector<std::string> entries;
    for (std::size_t position = 1; position <= dictionary.wordCount(); ++position)
        entries.emplace_back(dictionary.word(position));
    return entries;
}

// The items shown one by one, joined with commas.
template <typename Items, typename Show>
QString joined(const Items& items, Show show)
{
    QStringList parts;
    for (const auto& item : items)
        parts << std::invoke(show, item);
    return parts.join(',');
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Runs `check` as the user nobody when the tests run as root, who writes any file or folder, else as it is.
// Returns what `check` returns: what went wrong, or nothing.
inline QString asAUser(const std::function<QString()>& check)
{
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const QString wrong = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0
            ? check()
            : QStringLiteral("root could not become nobody");
        ::_exit(wrong.isEmpty() ? 0 : (qWarning("%s", qPrintable(wrong)), 1));
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0
        ? QString()
        : QStringLiteral("the check as nobody failed");
}

} // namespace palitra::test
