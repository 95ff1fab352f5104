#pragma once
// Fakes of the platform seams and helpers shared by the window tests.

#include "app/Form1.h"
#include "app/Module1.h"
#include "app/Platform.h"
#include "dictionary/LetterBag.h"
#include "game/Random.h"
#include "game/SeededRandom.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>

namespace palitra::test {

// Records every message box and answers questions from a script (OK when the
// script is exhausted). `onAsk` runs while a question is "open".
class ScriptedPrompts final : public Prompts {
public:
    QStringList log; // "ask: …", "inform: …", "warn: …", "error: …"
    QList<bool> answers;
    std::function<void(const QString&)> onAsk;
    std::function<void(const QString&)> onInform;

    bool ask(const QString& question) override
    {
        log << QStringLiteral("ask: ") + question;
        if (onAsk)
            onAsk(question);
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void inform(const QString& message) override
    {
        log << QStringLiteral("inform: ") + message;
        if (onInform)
            onInform(message);
    }
    void warn(const QString& message) override { log << QStringLiteral("warn: ") + message; }
    void error(const QString& message) override { log << QStringLiteral("error: ") + message; }

    QStringList of(const QString& kind) const
    {
        QStringList texts;
        const QString prefix = kind + QStringLiteral(": ");
        for (const QString& entry : log)
            if (entry.startsWith(prefix))
                texts << entry.mid(prefix.size());
        return texts;
    }
};

class FakeClock final : public Clock {
public:
    double now = 5000.0;
    double seconds() override { return now; }
};

// Gives scripted values first, then a seeded sequence.
class ScriptedRandom final : public Random {
public:
    QList<double> values;
    SeededRandom fallback{12345};
    double next() override { return values.isEmpty() ? fallback.next() : values.takeFirst(); }
};

class RecordingShell final : public Shell {
public:
    QList<QPair<QString, QString>> calls;
    void open(const QString& target, const QString& workingDirectory) override
    {
        calls.append({target, workingDirectory});
    }
};

// Acts on every modal dialog that opens while it lives: the handler for its
// objectName runs, or the dialog is simply closed. The loading window is
// left to close itself.
class ModalDriver {
public:
    std::map<QString, std::function<void(QDialog*)>> handlers;
    QStringList opened;

    ModalDriver()
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

private:
    void poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog->property("driven").toBool()
            || dialog->objectName() == QLatin1String("Form3"))
            return;
        dialog->setProperty("driven", true);
        opened << dialog->objectName();
        const auto handler = handlers.find(dialog->objectName());
        if (handler != handlers.end())
            handler->second(dialog);
        if (dialog->isVisible())
            dialog->reject();
    }

    QTimer timer_;
};

// Random values that deal `letters` (25 of A–Z and Ñ, one per tile) from the bag.
inline QList<double> drawsDealing(const QByteArray& letters)
{
    const LetterBag bag;
    std::array<bool, LetterBag::Size + 1> used{};
    QList<double> draws;
    for (const char letter : letters) {
        for (int position = 1; position <= LetterBag::Size; ++position) {
            if (!used[position] && bag.at(position) == letter) {
                used[position] = true;
                draws << (position - 1 + 0.5) / LetterBag::Size;
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

// A main window started on a word list of its own, with fake seams.
struct Game {
    QTemporaryDir folder;
    ScriptedPrompts prompts;
    FakeClock clock;
    ScriptedRandom random;
    RecordingShell shell;
    Module1 module;
    std::unique_ptr<Form1> form;
    ModalDriver driver;

    explicit Game(const QByteArray& wordList)
    {
        writeWordList(wordList);
        form = std::make_unique<Form1>(module, Platform{prompts, clock, random, shell});
    }

    bool load() { return form->Form_Load(folder.path()); }

    QString listPath() const { return folder.filePath(QStringLiteral("Palitra.pal")); }

    void writeWordList(const QByteArray& content)
    {
        QFile file(listPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray readWordList() const
    {
        QFile file(listPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    template <typename T>
    T* control(const QString& name) const
    {
        auto* found = form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    QPushButton* tile(int cell) const { return control<QPushButton>(QStringLiteral("Command1_%1").arg(cell)); }
    QPushButton* mainButton() const { return control<QPushButton>(QStringLiteral("Command2")); }
    QLabel* label(const QString& name) const { return control<QLabel>(name); }
    QListWidget* list(const QString& name) const { return control<QListWidget>(name); }
    QTimer* timer(const QString& name) const { return control<QTimer>(name); }
    QString caption() const { return mainButton()->text(); }

    bool isGreen(int cell) const { return tile(cell)->palette().color(QPalette::Button) == Form1::LightGreen; }
    QList<int> greenTiles() const
    {
        QList<int> cells;
        for (int cell = 0; cell < 25; ++cell)
            if (isGreen(cell))
                cells << cell;
        return cells;
    }
    QString boardLetters() const
    {
        QString letters;
        for (int cell = 0; cell < 25; ++cell)
            letters += tile(cell)->text();
        return letters;
    }
    QStringList items(const QString& listName) const
    {
        QStringList texts;
        const QListWidget* widget = list(listName);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }

    // Starts a game with the options dialog confirmed as it opens, deals
    // `letters` and starts the round with the computer starting at `startCell`.
    void startRound(const QByteArray& letters, int startCell = 0)
    {
        if (caption().startsWith(u'N'))
            form->Command2_Click();
        random.values = drawsDealing(letters);
        random.values << drawOfCell(startCell);
        form->Timer1_Timer();
        form->Command2_Click();
    }

    // Runs the round's clock past its end.
    void runOutOfTime()
    {
        clock.now += module.options.roundSeconds + 1;
        form->Timer2_Timer();
    }

    void spell(std::initializer_list<int> cells)
    {
        for (const int cell : cells)
            form->Command1_Click(cell);
    }
};

// Clicks "OK" in the options dialog, after setting its target text to `target`.
inline std::function<void(QDialog*)> confirmOptions(const QString& target = QStringLiteral("100"))
{
    return [target](QDialog* dialog) {
        if (auto* text = dialog->findChild<QLineEdit*>(QStringLiteral("Text1")))
            text->setText(target);
        if (auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("Command1")))
            ok->click();
    };
}

} // namespace palitra::test
