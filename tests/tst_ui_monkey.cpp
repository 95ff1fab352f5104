// A monkey plays the main window: thousands of random clicks, dialog answers
// and timer ticks, with the window's invariants checked after every action.
// PALITRA_MONKEY_SEEDS and PALITRA_MONKEY_ACTIONS raise the counts.
#include "UiSupport.h"

#include <QRadioButton>

#include <random>
#include <set>

using namespace palitra;
using namespace palitra::test;

namespace {

int countFromEnvironment(const char* name, int fallback)
{
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

QByteArray fixtureWords()
{
    QFile file(QStringLiteral(PALITRA_TEST_DATA "/monkey_words.pal"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList texts(const QListWidget* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text().remove(QStringLiteral(" (no válida)"));
    return entries;
}

bool holdsATwice(const QStringList& words)
{
    return std::set<QString>(words.begin(), words.end()).size() != std::size_t(words.size());
}

// Plays one window at random; a seed always replays the same game.
class Monkey {
public:
    Monkey(Game& game, unsigned seed)
        : game_(game)
        , rng_(seed)
    {
        game.random.fallback = SeededRandom(seed);
        game.prompts.onAsk = [this](const QString& question) { answer(question); };
        game.prompts.onInform = [this](const QString& message) { rounds += message.startsWith(u'S'); };
        game.driver.handlers[QStringLiteral("Form2")] = [this](QDialog* dialog) { chooseOptions(dialog); };
        game.driver.handlers[QStringLiteral("Form4")] = [this](QDialog* dialog) { validate(dialog); };
    }

    // Plays `actions` actions; returns what broke, or nothing.
    QString play(int actions)
    {
        for (int action = 1; action <= actions; ++action) {
            act();
            if (const QString broken = brokenInvariant(); !broken.isEmpty())
                return QStringLiteral("action %1 (%2): %3").arg(action).arg(last_, broken);
            game_.prompts.log.clear();
        }
        return {};
    }

    int rounds = 0;

private:
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    QTimer* timer(int n) const { return game_.timer(QStringLiteral("Timer%1").arg(n)); }

    // Mostly the pace of a level, now and then a stall long enough to end the round.
    void tick()
    {
        static constexpr std::array<double, 5> gaps{0.005, 0.1, 0.7, 5.0, 200.0};
        game_.clock.now += gaps[std::min(below(40), 4)] * (below(100) == 0 ? 50 : 1);
        game_.form->Timer2_Timer();
    }

    void act()
    {
        Form1& form = *game_.form;
        const int roll = below(100);
        last_ = QString::number(roll);
        if (roll < 35)
            form.Command1_Click(below(25));
        else if (roll < 45)
            form.Command2_Click();
        else if (roll < 51)
            form.Command4_Click(below(2));
        else if (roll < 52)
            form.MnuNew_Click();
        else if (roll < 56) {
            QListWidget* computer = game_.list(QStringLiteral("List2"));
            computer->setCurrentRow(computer->count() > 0 ? below(computer->count()) : -1);
            form.List2_Click();
        } else if (timer(1)->isActive())
            form.Timer1_Timer();
        else if (roll < 99 && timer(2)->isActive())
            tick();
        else // a burst with no time passing, so that the computer can finish the board
            for (int i = 200 + below(3000); i > 0 && timer(2)->isActive(); --i)
                form.Timer2_Timer();
    }

    // Random answers; under the word and new-game questions the timers go on
    // ticking, as the toolkit delivers them under a message box.
    void answer(const QString& question)
    {
        if (!question.startsWith(QStringLiteral("¿Quieres borrar")) && !underQuestion_) {
            underQuestion_ = true;
            for (int ticks = below(4); ticks > 0; --ticks) {
                if (timer(2)->isActive())
                    tick();
                else if (timer(1)->isActive())
                    game_.form->Timer1_Timer();
            }
            underQuestion_ = false;
        }
        game_.prompts.answers = {chance(0.6)};
    }

    void chooseOptions(QDialog* dialog)
    {
        if (chance(0.1))
            return dialog->close(), void();
        for (const auto& [group, count] : {std::pair{1, 4}, {2, 3}, {3, 3}})
            dialog->findChild<QRadioButton*>(QStringLiteral("Option%1_%2").arg(group).arg(below(count)))->click();
        static const QStringList typed{QString(), QStringLiteral("  "), QStringLiteral("abc"), QStringLiteral("7"),
                                       QStringLiteral("-5"), QStringLiteral("12x"), QStringLiteral("99999")};
        if (chance(0.3))
            dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(typed[below(typed.size())]);
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    }

    void validate(QDialog* dialog)
    {
        auto* words = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
        for (int clicks = below(4); clicks > 0 && words->count() > 0; --clicks)
            emit words->itemClicked(words->item(below(words->count())));
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    }

    QString brokenInvariant() const
    {
        static const QStringList phases{QStringLiteral("Nuevo Juego"), QStringLiteral("Empezar"),
                                        QStringLiteral("Añadir"), QStringLiteral("Mezclar"), QStringLiteral("Fin")};
        const QString caption = game_.caption();
        if (!phases.contains(caption))
            return QStringLiteral("the main button reads ") + caption;
        if (timer(1)->isActive() && timer(2)->isActive())
            return QStringLiteral("both timers run");
        if (timer(2)->isActive() != (caption == QStringLiteral("Añadir")))
            return QStringLiteral("the round's timer disagrees with ") + caption;
        if (game_.list(QStringLiteral("List2"))->count() != game_.list(QStringLiteral("List3"))->count())
            return QStringLiteral("computer words and paths differ in number");
        for (const char* score : {"Label2_0", "Label2_1"}) {
            bool whole = false;
            game_.label(QLatin1String(score))->text().toInt(&whole);
            if (!whole)
                return QStringLiteral("a score is not a whole number");
        }
        if (holdsATwice(texts(game_.list(QStringLiteral("List1"))))
            || holdsATwice(texts(game_.list(QStringLiteral("List2")))))
            return QStringLiteral("a list holds a word twice");
        const QString word = game_.label(QStringLiteral("Label3"))->text();
        if (caption != QStringLiteral("Añadir"))
            return word.isEmpty() ? QString() : QStringLiteral("a word outside a round");

        // During a round the green tiles are the word's tiles, and Label3 spells them.
        QList<int> path;
        QString spelled;
        for (const int cell : game_.form->playerPath()) {
            path << cell;
            spelled += game_.tile(cell)->text();
        }
        std::sort(path.begin(), path.end());
        if (game_.greenTiles() != path)
            return QStringLiteral("the green tiles are not the word's tiles");
        return word == spelled ? QString() : QStringLiteral("the word reads %1, its tiles %2").arg(word, spelled);
    }

    Game& game_;
    std::mt19937 rng_;
    QString last_;
    bool underQuestion_ = false;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void randomPlayKeepsTheWindowConsistent_data();
    void randomPlayKeepsTheWindowConsistent();
    void pathShownAfterMezclarStaysOutOfTheRound();
};

void TestMonkey::randomPlayKeepsTheWindowConsistent_data()
{
    QTest::addColumn<unsigned>("seed");
    for (int seed = 1; seed <= countFromEnvironment("PALITRA_MONKEY_SEEDS", 10); ++seed)
        QTest::addRow("seed %d", seed) << unsigned(seed);
}

void TestMonkey::randomPlayKeepsTheWindowConsistent()
{
    // Random play never breaks the phases, the timers, the lists, the scores or the word on the board.
    QFETCH(unsigned, seed);
    const int actions = countFromEnvironment("PALITRA_MONKEY_ACTIONS", 20'000);
    Game game(fixtureWords());
    QVERIFY(game.load());
    Monkey monkey(game, seed);
    const QString broken = monkey.play(actions);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QVERIFY2(monkey.rounds >= actions / 2000, "the monkey played too few rounds to stress them");
}

void TestMonkey::pathShownAfterMezclarStaysOutOfTheRound()
{
    // A computer word clicked after "Mezclar", before the first deal, paints no tile into the next round.
    Game game(fixtureWords());
    QVERIFY(game.load());
    game.driver.handlers[QStringLiteral("Form2")] = confirmOptions(QStringLiteral("1000"));
    game.startRound("CASASEROSAMESANOLIDOTARTE");
    for (int i = 0; i < 100'000 && !game.form->walk().done(); ++i)
        game.form->Timer2_Timer();
    game.runOutOfTime();
    QVERIFY(game.list(QStringLiteral("List2"))->count() > 0);

    game.form->Command2_Click();
    game.list(QStringLiteral("List2"))->setCurrentRow(0);
    game.form->List2_Click();
    game.form->Timer1_Timer();
    game.form->Command2_Click();
    QCOMPARE(game.caption(), QStringLiteral("Añadir"));
    QCOMPARE(game.greenTiles(), QList<int>());
}

QTEST_MAIN(TestMonkey)
#include "tst_ui_monkey.moc"
