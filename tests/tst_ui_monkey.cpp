// A monkey plays the main window: thousands of random clicks, dialog answers
// and timer ticks, with the window's invariants checked after every action.
// PALITRA_MONKEY_SEEDS and PALITRA_MONKEY_ACTIONS raise the number of games
// and of actions per game.
#include <QLineEdit>
#include <QRadioButton>

#include "UiSupport.h"

#include <random>
#include <set>

using namespace palitra;
using namespace palitra::test;

namespace {

const QStringList Phases{QStringLiteral("Nuevo Juego"), QStringLiteral("Empezar"), QStringLiteral("Añadir"),
                         QStringLiteral("Mezclar"), QStringLiteral("Fin")};
const QString StruckOut = QStringLiteral(" (no válida)");

int countFromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

QByteArray fixtureWords()
{
    QFile file(QStringLiteral(PALITRA_TEST_DATA "/monkey_words.pal"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read monkey_words.pal");
    return file.readAll();
}

// Plays one game window at random. Everything it does depends on the seed
// alone, so a failing seed replays the same way.
class Monkey {
public:
    Monkey(Game& game, unsigned seed)
        : game_(game)
        , rng_(seed)
    {
        for (int cell = 0; cell < Form1::TileCount; ++cell)
            tiles_[cell] = game.tile(cell);
        mainButton_ = game.mainButton();
        label3_ = game.label(QStringLiteral("Label3"));
        scores_ = {game.label(QStringLiteral("Label2_0")), game.label(QStringLiteral("Label2_1"))};
        list1_ = game.list(QStringLiteral("List1"));
        list2_ = game.list(QStringLiteral("List2"));
        list3_ = game.list(QStringLiteral("List3"));
        timer1_ = game.timer(QStringLiteral("Timer1"));
        timer2_ = game.timer(QStringLiteral("Timer2"));

        game.random.fallback = SeededRandom(seed);
        game.prompts.onAsk = [this](const QString& question) { answer(question); };
        game.prompts.onInform = [this](const QString& message) {
            if (message == QStringLiteral("Se acabó el tiempo.")) {
                ++rounds_;
                computerWords_ += list2_->count();
                searchesDone_ += game_.form->walk().done();
            }
        };
        game.driver.handlers[QStringLiteral("Form2")] = [this](QDialog* dialog) { chooseOptions(dialog); };
        game.driver.handlers[QStringLiteral("Form4")] = [this](QDialog* dialog) { validate(dialog); };
    }

    // Plays `actions` actions; returns what broke, or an empty string.
    QString play(int actions)
    {
        for (action_ = 1; action_ <= actions; ++action_) {
            act();
            const QString broken = brokenInvariant();
            if (!broken.isEmpty())
                return QStringLiteral("after action %1: %2\nlast actions:\n  %3")
                    .arg(action_)
                    .arg(broken, trail_.join(QStringLiteral("\n  ")));
            if (game_.prompts.log.size() > 1000)
                game_.prompts.log.clear();
        }
        return {};
    }

    int rounds() const { return rounds_; }
    int computerWords() const { return computerWords_; }
    int searchesDone() const { return searchesDone_; }
    int endsUnderQuestion() const { return endsUnderQuestion_; }

private:
    enum class Action { Tile, MainButton, Arrow, NewMenu, ComputerWord, Deal, Tick, TickBurst };

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng_); }

    void note(const QString& what)
    {
        trail_ << QStringLiteral("#%1 %2").arg(action_).arg(what);
        if (trail_.size() > 60)
            trail_.removeFirst();
    }

    // Time between two ticks: mostly the pace of a level, now and then a
    // stall long enough to end the round.
    double tickGap()
    {
        const double roll = uniform(0.0, 1.0);
        if (roll < 0.6)
            return uniform(0.0, 0.01);
        if (roll < 0.96)
            return uniform(0.01, 1.0);
        if (roll < 0.99)
            return uniform(1.0, 10.0);
        return uniform(30.0, 300.0);
    }

    Action pick()
    {
        static constexpr std::array<std::pair<Action, int>, 8> weights{{{Action::Tile, 35},
                                                                        {Action::MainButton, 10},
                                                                        {Action::Arrow, 6},
                                                                        {Action::NewMenu, 1},
                                                                        {Action::ComputerWord, 4},
                                                                        {Action::Deal, 8},
                                                                        {Action::Tick, 36},
                                                                        {Action::TickBurst, 1}}};
        for (;;) {
            int roll = below(101);
            for (const auto& [action, weight] : weights) {
                if (roll < weight) {
                    const bool dealing = action == Action::Deal;
                    const bool ticking = action == Action::Tick || action == Action::TickBurst;
                    // Real timers only tick while they run.
                    if ((dealing && !timer1_->isActive()) || (ticking && !timer2_->isActive()))
                        break;
                    return action;
                }
                roll -= weight;
            }
        }
    }

    void act()
    {
        switch (pick()) {
        case Action::Tile: {
            const int cell = below(Form1::TileCount);
            note(QStringLiteral("tile %1").arg(cell));
            game_.form->Command1_Click(cell);
            break;
        }
        case Action::MainButton:
            note(QStringLiteral("main button \"%1\"").arg(mainButton_->text()));
            game_.form->Command2_Click();
            break;
        case Action::Arrow: {
            const int arrow = below(2);
            note(QStringLiteral("arrow %1").arg(arrow));
            game_.form->Command4_Click(arrow);
            break;
        }
        case Action::NewMenu:
            note(QStringLiteral("menu Nuevo"));
            game_.form->MnuNew_Click();
            break;
        case Action::ComputerWord: {
            const int row = list2_->count() > 0 ? below(list2_->count()) : -1;
            note(QStringLiteral("computer word %1 of %2").arg(row).arg(list2_->count()));
            list2_->setCurrentRow(row);
            game_.form->List2_Click();
            break;
        }
        case Action::Deal:
            note(QStringLiteral("deal"));
            game_.form->Timer1_Timer();
            break;
        case Action::Tick:
            tick();
            break;
        case Action::TickBurst: {
            const int ticks = 200 + below(3000);
            note(QStringLiteral("%1 ticks without time passing").arg(ticks));
            for (int i = 0; i < ticks && timer2_->isActive(); ++i)
                game_.form->Timer2_Timer();
            break;
        }
        }
    }

    void tick()
    {
        const double gap = tickGap();
        note(QStringLiteral("tick +%1 s").arg(gap, 0, 'f', 3));
        game_.clock.now += gap;
        game_.form->Timer2_Timer();
    }

    // Every question gets a random answer; while the word question or the
    // new-game question is open the round's timers may go on ticking, as
    // the toolkit delivers them under a message box.
    void answer(const QString& question)
    {
        const bool underBox = !question.startsWith(QStringLiteral("¿Quieres borrar"));
        if (underBox && depth_ == 0) {
            ++depth_;
            for (int ticks = below(4); ticks > 0; --ticks) {
                if (timer2_->isActive())
                    tick();
                else if (timer1_->isActive()) {
                    note(QStringLiteral("deal under the question"));
                    game_.form->Timer1_Timer();
                }
            }
            --depth_;
            endsUnderQuestion_ += !timer2_->isActive() && mainButton_->text() == QStringLiteral("Añadir");
        }
        const bool ok = chance(0.6);
        note(QStringLiteral("%1 to \"%2\"").arg(ok ? QStringLiteral("OK") : QStringLiteral("Cancel"),
                                                 QString(question).replace(u'\n', u' ')));
        game_.prompts.answers = {ok};
    }

    void chooseOptions(QDialog* dialog)
    {
        if (chance(0.1)) {
            note(QStringLiteral("options: close box"));
            dialog->close();
            return;
        }
        const int time = below(4);
        const int points = below(3);
        const int level = below(3);
        dialog->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(time))->click();
        dialog->findChild<QRadioButton*>(QStringLiteral("Option2_%1").arg(points))->click();
        dialog->findChild<QRadioButton*>(QStringLiteral("Option3_%1").arg(level))->click();
        QString typed = QStringLiteral("(option)");
        if (chance(0.3)) {
            static const QStringList texts{QString(), QStringLiteral("  "), QStringLiteral("abc"), QStringLiteral("0"),
                                           QStringLiteral("7"), QStringLiteral("20"), QStringLiteral("-5"),
                                           QStringLiteral("12x"), QStringLiteral("99999")};
            typed = texts[below(texts.size())];
            dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(typed);
        }
        note(QStringLiteral("options: time %1, points %2, level %3, target \"%4\", OK")
                 .arg(time)
                 .arg(points)
                 .arg(level)
                 .arg(typed));
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    }

    void validate(QDialog* dialog)
    {
        auto* words = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
        for (int clicks = below(4); clicks > 0 && words->count() > 0; --clicks) {
            const int row = below(words->count());
            note(QStringLiteral("validation: click %1 \"%2\"").arg(row).arg(words->item(row)->text()));
            words->setCurrentRow(row);
            emit words->itemClicked(words->item(row));
        }
        if (chance(0.1)) {
            note(QStringLiteral("validation: close box"));
            dialog->close();
        } else {
            note(QStringLiteral("validation: Cerrar"));
            dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        }
    }

    static bool holdsATwice(const QStringList& words)
    {
        return std::set<QString>(words.begin(), words.end()).size() != static_cast<std::size_t>(words.size());
    }

    QStringList entries(const QListWidget* list, bool dropMarker) const
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) {
            QString text = list->item(i)->text();
            if (dropMarker && text.endsWith(StruckOut))
                text.chop(StruckOut.size());
            texts << text;
        }
        return texts;
    }

    QString brokenInvariant() const
    {
        const QString caption = mainButton_->text();
        if (!Phases.contains(caption))
            return QStringLiteral("the main button reads \"%1\"").arg(caption);
        if (timer1_->isActive() && timer2_->isActive())
            return QStringLiteral("both timers run");
        if (timer2_->isActive() != (caption == QStringLiteral("Añadir")))
            return QStringLiteral("the round's timer %1 under \"%2\"")
                .arg(timer2_->isActive() ? QStringLiteral("runs") : QStringLiteral("is stopped"), caption);
        if (caption == QStringLiteral("Empezar") && !timer1_->isActive())
            return QStringLiteral("\"Empezar\" without dealing");
        if (list2_->count() != list3_->count())
            return QStringLiteral("%1 computer words but %2 paths").arg(list2_->count()).arg(list3_->count());
        for (const QLabel* score : scores_) {
            bool whole = false;
            score->text().toInt(&whole);
            if (!whole)
                return QStringLiteral("the score reads \"%1\"").arg(score->text());
        }
        if (holdsATwice(entries(list1_, false)))
            return QStringLiteral("the player's list holds a word twice: %1").arg(entries(list1_, false).join(u','));
        if (holdsATwice(entries(list2_, true)))
            return QStringLiteral("the computer's list holds a word twice: %1").arg(entries(list2_, true).join(u','));
        if (caption != QStringLiteral("Añadir"))
            return label3_->text().isEmpty() ? QString()
                                             : QStringLiteral("a word \"%1\" outside a round").arg(label3_->text());
        return brokenWordInvariant();
    }

    // During a round the green tiles are the word's tiles and Label3 spells them.
    QString brokenWordInvariant() const
    {
        const std::vector<int> path = game_.form->playerPath();
        std::array<bool, Form1::TileCount> inPath{};
        QString spelled;
        for (const int cell : path) {
            if (cell < 0 || cell >= Form1::TileCount || inPath[cell])
                return QStringLiteral("the word's path repeats or leaves the board");
            inPath[cell] = true;
            spelled += tiles_[cell]->text();
        }
        for (int cell = 0; cell < Form1::TileCount; ++cell) {
            const bool green = tiles_[cell]->palette().color(QPalette::Button) == Form1::LightGreen;
            if (green != inPath[cell])
                return QStringLiteral("tile %1 is %2 but %3 the word's path")
                    .arg(cell)
                    .arg(green ? QStringLiteral("green") : QStringLiteral("white"),
                         inPath[cell] ? QStringLiteral("in") : QStringLiteral("not in"));
            if (!tiles_[cell]->isEnabled())
                return QStringLiteral("tile %1 is disabled during the round").arg(cell);
        }
        if (label3_->text() != spelled)
            return QStringLiteral("the word reads \"%1\", its tiles spell \"%2\"").arg(label3_->text(), spelled);
        if (!list2_->isHidden())
            return QStringLiteral("the computer's words show during the round");
        return {};
    }

    Game& game_;
    std::mt19937 rng_;
    std::array<QPushButton*, Form1::TileCount> tiles_{};
    QPushButton* mainButton_ = nullptr;
    QLabel* label3_ = nullptr;
    std::array<QLabel*, 2> scores_{};
    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    QListWidget* list3_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    QStringList trail_;
    int action_ = 0;
    int depth_ = 0;
    int rounds_ = 0;
    int computerWords_ = 0;
    int searchesDone_ = 0;
    int endsUnderQuestion_ = 0;
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
    const int seeds = countFromEnvironment("PALITRA_MONKEY_SEEDS", 10);
    for (int seed = 1; seed <= seeds; ++seed)
        QTest::addRow("seed %d", seed) << static_cast<unsigned>(seed);
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
    if (!broken.isEmpty())
        QFAIL(qPrintable(QStringLiteral("seed %1, %2").arg(seed).arg(broken)));
    // The monkey must have reached the parts of the game it is meant to stress.
    QVERIFY2(monkey.rounds() >= actions / 2000, qPrintable(QStringLiteral("%1 rounds").arg(monkey.rounds())));
    QVERIFY(monkey.computerWords() > 0);
    qInfo("seed %u: %d actions, %d rounds (%d ended under the word question), %d computer words, "
          "%d searches to the end",
          seed, actions, monkey.rounds(), monkey.endsUnderQuestion(), monkey.computerWords(), monkey.searchesDone());
}

void TestMonkey::pathShownAfterMezclarStaysOutOfTheRound()
{
    // A computer word clicked after "Mezclar", before the first deal, paints no tile into the next round.
    Game game(fixtureWords());
    QVERIFY(game.load());
    game.driver.handlers[QStringLiteral("Form2")] = confirmOptions(QStringLiteral("1000"));
    game.startRound("CASAS"
                    "EROSA"
                    "MESAN"
                    "OLIDO"
                    "TARTE");
    for (int i = 0; i < 100'000 && !game.form->walk().done(); ++i)
        game.form->Timer2_Timer();
    game.runOutOfTime();
    QVERIFY(game.list(QStringLiteral("List2"))->count() > 0);
    QCOMPARE(game.caption(), QStringLiteral("Mezclar"));

    game.form->Command2_Click();
    game.list(QStringLiteral("List2"))->setCurrentRow(0);
    game.form->List2_Click();
    QCOMPARE(game.greenTiles(), QList<int>());
    game.form->Timer1_Timer();
    game.form->Command2_Click();
    QCOMPARE(game.caption(), QStringLiteral("Añadir"));
    QCOMPARE(game.greenTiles(), QList<int>());
    game.form->Command1_Click(0);
    QCOMPARE(game.greenTiles(), QList<int>{0});
}

QTEST_MAIN(TestMonkey)
#include "tst_ui_monkey.moc"
