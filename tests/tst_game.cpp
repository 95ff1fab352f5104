// The game model, played from scripts: phases, dealing, the word being
// built, submission, questions under a running clock, the end of a round,
// scoring, striking and paths, the computer's walk; and the rules it uses.
#include "Fakes.h"

#include "core/dictionary/DictionaryStore.h"
#include "core/game/Deal.h"
#include "core/game/Game.h"
#include "core/game/NumberReader.h"
#include "core/game/Scoring.h"
#include "core/game/Typing.h"

#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <random>
#include <set>

using namespace palitra;
using namespace palitra::test;

namespace {

QString latin(const std::string& letters)
{
    return QString::fromLatin1(letters.data(), qsizetype(letters.size()));
}

// A game on its own word list, played from a script of space-separated steps:
//   game[:S/T/L]  a game of S seconds to T points at level L (180/100/1)
//   shuffle deal start   the next shuffle, a deal of TestBoard (the computer to start at 0), the round
//   deal?         a deal from the seeded random numbers
//   0..24 < x     a tile; take back a letter; clear the word
//   submit menu   hand the word in; the menu's new game
//   yes no        the answer to the open question
//   +S            S seconds pass, then a tick of the round's clock
//   walk          the computer walks the board to its end
//   end strike:W score conclude reset show:W   the end of a round, step by step; a computer word's path
//   type:T        the characters of T typed
// Results go to `log`.
struct Play {
    QTemporaryDir folder;
    DictionaryStore words;
    FakeClock clock;
    ScriptedRandom random;
    Game game{words, random, clock};
    QStringList log;
    QString question;
    int steps = 0; // the computer's steps in "walk"

    Play()
    {
        const QString path = folder.filePath(QStringLiteral("Palitra.pal"));
        if (!writeFile(path, Words) || words.load(path))
            qFatal("the fixture list did not load");
    }

    int indexOf(const QString& word) const
    {
        const auto& found = game.computerWords();
        for (std::size_t i = 0; i < found.size(); ++i)
            if (latin(found[i].word) == word)
                return int(i);
        return word.toInt();
    }

    void note(const char* entry, const QString& asked = {}) { log << entry, question = asked; }
    void tick(const RoundTick& tick)
    {
        if (tick.clockChanged)
            log << QString::number(*game.secondsShown());
        log << QStringList{tick.timeUp ? "up" : "", tick.endRound ? "end" : ""}.filter(QRegularExpression("."));
    }

    void run(const QString& script)
    {
        static const char* submissions[] = {"NothingBuilt", "AlreadyListed", "TooShort", "Unknown", "Accepted"};
        const std::map<QString, std::function<void(const QString&)>> steps{
            {"game", [&](const QString& a) { game.startGame(options(a.isEmpty() ? "180/100/1" : a)); }},
            {"shuffle", [&](auto&) { game.startShuffle(); }},
            {"deal", [&](auto&) { random.values = drawsDealing(TestBoard) << drawOfCell(0), game.deal(); }},
            {"deal?", [&](auto&) { game.deal(); }},
            {"start", [&](auto&) { game.startRound(); }},
            {"<", [&](auto&) { game.takeBackLetter(); }},
            {"x", [&](auto&) { game.clearWord(); }},
            {"submit",
             [&](auto&) {
                 const int r = int(game.submitWord());
                 note(submissions[r], r == 3 ? "word" : "");
             }},
            {"menu", [&](auto&) { game.requestNewGame() ? note("ask", "menu") : note("reset"); }},
            {"yes", [&](auto&) { answer(true); }},
            {"no", [&](auto&) { answer(false); }},
            {"walk",
             [&](auto&) {
                 for (; !game.walk().done(); ++this->steps)
                     game.tick();
             }},
            {"end", [&](auto&) { log << (game.endRound() ? "validate" : "no-words"); }},
            {"strike", [&](const QString& a) { log << (game.strikeComputerWord(indexOf(a)) ? "struck" : "kept"); }},
            {"score",
             [&](auto&) {
                 const auto w = game.scoreRound();
                 log << (!w ? "goes-on" : w == Winner::Player ? "Player" : "Computer");
             }},
            {"conclude", [&](auto&) { game.concludeGame(); }},
            {"reset", [&](auto&) { game.reset(); }},
            {"show", [&](const QString& a) { game.showComputerPath(indexOf(a)); }},
            {"type", [&](const QString& a) {
                 std::for_each(a.begin(), a.end(), [&](QChar c) { game.typeLetter(typedLetter(c.unicode())); });
             }}};
        for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
            bool isCell = false;
            const int cell = step.toInt(&isCell);
            if (step.startsWith('+'))
                clock.now += step.mid(1).toDouble(), tick(game.tick());
            else if (isCell)
                game.pressTile(cell);
            else
                steps.at(step.section(':', 0, 0))(step.section(':', 1));
        }
    }

    static GameOptions options(const QString& text)
    {
        const QStringList o = text.split('/');
        return {o[0].toInt(), o[1].toInt(), o[2].toInt()};
    }

    void answer(bool yes)
    {
        if (question == "menu" ? game.answerNewGame(yes) : game.answerUnknownWord(yes))
            log << "end";
    }

    // What the game shows under `key` (see the rows).
    QString shows(const QString& key) const
    {
        static const char* phases[] = {"NoGame", "Dealing", "Round", "BetweenRounds", "Over"};
        static const char* notices[] = {"None", "AlreadyListed", "TooShort"};
        const auto number = [](int n) { return QString::number(n); };
        const auto yes = [](bool b) { return QString(b ? "yes" : "no"); };
        const QString arg = key.section(':', 1);
        std::vector<int> lit;
        for (int cell = 0; cell < CellCount; ++cell)
            if (game.tileLit(cell))
                lit.push_back(cell);
        const Board& board = game.board();
        const std::map<QString, std::function<QString()>> state{
            {"phase", [&] { return phases[int(game.phase())]; }},
            {"game", [&] { return yes(game.inProgress()); }},
            {"timers", [&] { return game.shuffling()        ? "deal"
                                 : game.roundClockRunning() ? "round"
                                                            : "none"; }},
            {"tiles", [&] { return game.tilesEnabled() ? "on" : "off"; }},
            {"shown", [&] { return yes(game.computerWordsShown()); }},
            {"pace", [&] { return game.computerStepInterval() ? number(*game.computerStepInterval()) : "none"; }},
            {"board", [&] { return board == Board{} ? "" : latin(std::string(board.begin(), board.end())); }},
            {"path", [&] { return joined(game.playerPath(), number); }},
            {"word", [&] { return latin(game.playerWord()); }},
            {"lit", [&] { return joined(lit, number); }},
            {"notice", [&] { return notices[int(game.notice())]; }},
            {"words", [&] { return joined(game.playerWords(), latin); }},
            {"computer",
             [&] {
                 return joined(game.computerWords(), [](auto& w) { return (w.struck ? "*" : "") + latin(w.word); });
             }},
            {"score", [&] { return number(game.playerScore()) + ':' + number(game.computerScore()); }},
            {"clock", [&] { return game.secondsShown() ? number(*game.secondsShown()) : "-"; }},
            {"log", [&] { return log.join(','); }},
            {"changed", [&] { return yes(words.changed()); }},
            {"knows", [&] { return yes(words.dictionary().findWord(arg.toLatin1().toStdString()) != 0); }},
            {"route", [&] { return joined(game.computerWords()[indexOf(arg)].path, number); }},
            {"steps", [&] { return number(this->steps); }}};
        return state.at(key.section(':', 0, 0))();
    }
};

// Each row: what it shows | a script | what the game shows after it (key=value). In scripts, R is a round on
// TestBoard ("game deal start"), T the end of the round's time ("+181 end score") and W the player's four words
// for 6 points: SOL, CASA, PUÑAL and SOLAR, added.
const char* const Scripts = R"(
before any game                  |                             | phase=NoGame game=no timers=none tiles=on shown=yes board= score=0:0
a game shuffles first            | game                        | phase=NoGame game=yes timers=deal tiles=off
a deal                           | game deal                   | phase=Dealing timers=deal board=SOLARCASENOTEMIPUÑALBERAZ
the round starts on the last deal| game deal? deal start       | phase=Round timers=round tiles=on shown=no pace=100 board=SOLARCASENOTEMIPUÑALBERAZ
Fácil's pace                     | game:180/100/0              | pace=200
Difícil's pace                   | game:180/100/2              | pace=1
a level without a pace           | game:180/100/7              | pace=none
time up                          | R 0 1 +181                  | log=-1,up,end timers=none phase=Round clock=-1 path=0,1
end of the round                 | R 0 1 +181 end              | log=-1,up,end,no-words phase=BetweenRounds tiles=off shown=yes clock=- path= lit= game=yes
a shuffle deals new letters later| R T shuffle                 | phase=BetweenRounds timers=deal tiles=off board=SOLARCASENOTEMIPUÑALBERAZ
the game decided                 | game:180/0/1 deal start 0 1 2 submit T conclude | log=Accepted,-1,up,end,no-words,Player phase=Over game=no score=1:0
reset after the game             | game:180/0/1 deal start T conclude reset | phase=NoGame score=0:0 words= board= timers=none
letters in order                 | R 0 1 2 3                   | path=0,1,2,3 word=SOLA lit=0,1,2,3
the last tile again takes it back| R 0 1 2 2 1                 | path=0 lit=0
an earlier tile does nothing     | R 0 1 2 1 0                 | path=0,1,2
take back                        | R 0 1 < 6                   | path=0,6 word=SA
take back on no word             | R < < 3                     | path=3
clear                            | R 5 6 7 x 3                 | path=3 lit=3
off the board                    | R 0 25 -1                   | path=0
the eight directions             | R 12 6 1 2 8 13 17 16 15 11 | path=12,6,1,2,8,13,17,16,15,11
never across the board's edges   | R 4 5 10 9 20 14 15 19      | path=4,9,14,19
all 25 tiles, the last again     | R 0 1 2 3 4 9 8 7 6 5 10 11 12 13 14 19 18 17 16 15 20 21 22 23 24 24 24 < | path=0,1,2,3,4,9,8,7,6,5,10,11,12,13,14,19,18,17,16,15,20,21,22,23
no tiles outside a round         | 0 game 0 deal 0             | path= lit=
no tiles after a round           | R 0 +181 end 2              | path= lit=
typing a word                    | R type:sol                  | path=0,1,2 word=SOL
case, accents and ñ folded       | R type:uÑá                  | path=16,17,18
ü is U                           | R type:ü                    | path=16
several tiles fit: one is shown  | R type:s                    | path=0
a later letter switches paths    | R type:se                   | path=7,8
a letter no path can take        | R type:solq                 | path=0,1,2
a tile is not used twice         | R type:lal                  | path=2,3
back a letter, the others kept   | R type:sol < < type:e       | path=7,8
typing goes on from clicks       | R 5 type:a                  | path=5,6
clicks go on from the path shown | R type:sol 3                | path=0,1,2,3
no typing outside a round        | game deal type:sol          | path=
nothing built                    | R submit                    | log=NothingBuilt notice=None
two letters, refused             | R 0 1 submit +1             | log=TooShort,179 notice=TooShort path=0,1
the notice goes with a take-back | R 0 1 submit <              | notice=None
the notice goes with a letter    | R 0 1 submit 2              | notice=None
twice in a round                 | R 0 1 2 submit 0 1 2 submit | log=Accepted,AlreadyListed notice=AlreadyListed words=SOL path=0,1,2
known words, in order            | R 5 6 7 3 submit 16 17 18 submit | log=Accepted,Accepted words=CASA,UÑA path= lit= notice=None changed=no
unknown, added                   | R 0 1 2 3 4 submit yes      | log=Unknown words=SOLAR knows:SOLAR=yes changed=yes path=
unknown, not added               | R 0 1 2 3 4 submit no       | log=Unknown words= knows:SOLAR=no changed=no path=0,1,2,3,4
added words known next round     | R 0 1 2 3 4 submit yes T shuffle deal start 0 1 2 3 4 submit | log=Unknown,-1,up,end,no-words,goes-on,Accepted words=SOLAR
time up under the word question  | R 0 1 2 3 4 submit +500 no  | log=Unknown,-320,up,end words= knows:SOLAR=no phase=Round timers=none
... answered OK                  | R 0 1 2 3 4 submit +500 yes | log=Unknown,-320,up,end words= knows:SOLAR=yes
time up under the new-game one   | R 0 1 menu +500 no          | log=ask,-320,up,end path=0,1
... answered OK                  | R 0 1 menu +500 yes         | log=ask,-320,up phase=NoGame
an answer in time: nothing pends | R 0 1 2 3 4 submit no submit no | log=Unknown,Unknown
new game before any game         | menu                        | log=reset phase=NoGame
new game in a round, Cancel      | R 0 1 menu no               | log=ask phase=Round timers=round path=0,1
new game in a round, OK          | R 0 1 menu yes              | phase=NoGame timers=none game=no path= board=
new game between rounds asks     | R T menu no                 | log=-1,up,end,no-words,goes-on,ask game=yes
new game after the game          | game:180/0/1 deal start 0 1 2 submit T conclude menu | log=Accepted,-1,up,end,no-words,Player,reset score=0:0
3 min.: whole seconds left       | R +0.2 +1 +0.5 +177.1 +0.5  | log=179,178,1,0,up,end
2 min.                           | game:120/100/1 deal start +0.001 +118.5 +0.6 | log=119,1,0,up,end
0 s                              | game:0/100/1 deal start +0  | log=up,end clock=-
the computer's words and paths   | R walk                      | computer=SOL,SOLA,MESA,COSA,CASA,PUÑAL,UÑA route:SOL=0,1,2 route:CASA=5,6,7,3 shown=no steps=504
... gone at the next round       | R walk T shuffle deal start | computer= words=
the player only                  | R W 10 11 T                 | score=6:0 log=Accepted,Accepted,Accepted,Unknown,-1,up,end,no-words,goes-on
both                             | R walk W T                  | score=6:8 log=Accepted,Accepted,Accepted,Unknown,-1,up,end,validate,goes-on
struck words score nothing       | R walk W +181 end strike:SOL strike:SOLA strike:COSA strike:CASA strike:MESA strike:UÑA strike:PUÑAL strike:PUÑAL score | score=6:0 computer=*SOL,*SOLA,*MESA,*COSA,*CASA,*PUÑAL,*UÑA knows:PUÑAL=no knows:COSA=no changed=yes
equal to the target goes on      | game:180/6/1 deal start W T | log=Accepted,Accepted,Accepted,Unknown,-1,up,end,no-words,goes-on
past the target                  | game:180/5/1 deal start W T | log=Accepted,Accepted,Accepted,Unknown,-1,up,end,no-words,Player
the computer higher              | game:180/5/1 deal start walk W T | score=6:8 log=Accepted,Accepted,Accepted,Unknown,-1,up,end,validate,Computer
a tie goes to the computer       | game:180/5/1 deal start walk W +181 end strike:SOL strike:UÑA score | score=6:6 log=Accepted,Accepted,Accepted,Unknown,-1,up,end,validate,struck,struck,Computer
0 to 0 past -1                   | game:180/-1/1 deal start T  | score=0:0 log=-1,up,end,no-words,Computer
scores carry over rounds         | game:180/2/1 deal start 0 1 2 submit T shuffle deal start 0 1 2 submit T shuffle deal start 5 6 7 3 submit T | score=3:0 log=Accepted,-1,up,end,no-words,goes-on,Accepted,-1,up,end,no-words,goes-on,Accepted,-1,up,end,no-words,Player
struck words may come back       | R walk +181 end strike:PUÑAL score shuffle deal start 15 16 17 18 19 submit yes | log=-1,up,end,validate,struck,goes-on,Unknown words=PUÑAL knows:PUÑAL=yes
no computer path in a round      | R walk 10 11 show:SOL       | lit=10,11
a path after the round           | R walk +181 end show:CASA   | lit=3,5,6,7
one path at a time               | R walk +181 end show:CASA show:SOL | lit=0,1,2
no row keeps it                  | R walk +181 end show:SOL show:-1 | lit=0,1,2
a row past the list clears it    | R walk +181 end show:SOL show:99 | lit=
clearing the word clears it      | R walk +181 end show:SOL x  | lit=
the shuffle clears it            | R walk +181 end show:SOL shuffle | lit=
none once a shuffle starts       | R walk +181 end shuffle show:SOL | lit=
none while dealing               | R walk +181 end shuffle deal show:SOL | lit=
)";

// The bag's 95 letters in order (Spanish frequencies; "\321" is Ñ).
const std::string BagLetters =
    "AAAAAAAAAAAABBCCCCDDDDDEEEEEEEEEEEEFGGHHIIIIIIJLLLLMMNNNNN\321OOOOOOOOOPPQRRRRRSSSSSSTTTTUUUUUVXYZ";

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void scripts_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        for (const QString& line : QString::fromUtf8(Scripts).split('\n', Qt::SkipEmptyParts)) {
            const QStringList row = line.split('|');
            QString script = ' ' + row[1] + ' ';
            script.replace(" R ", " game deal start ").replace(" T ", " +181 end score ");
            script.replace(" W ", " 0 1 2 submit 5 6 7 3 submit 15 16 17 18 19 submit 0 1 2 3 4 submit yes ");
            QTest::newRow(row[0].trimmed().toUtf8().constData()) << script.replace(" T ", " +181 end score ") << row[2];
        }
    }

    void scripts()
    {
        // Each script leaves the game showing what its row expects.
        QFETCH(QString, script);
        QFETCH(QString, expected);
        Play play;
        play.run(script);
        for (const QString& pair : expected.split(' ', Qt::SkipEmptyParts)) {
            const QString key = pair.section('=', 0, 0);
            QCOMPARE(key + '=' + play.shows(key), pair);
        }
    }

    void randomPlayKeepsTheGameConsistent()
    {
        // Random steps, as the windows allow them: the word stays distinct touching tiles, lit, and only in a
        // round; a listed word has three letters or more and is listed once; a computer word is its path's.
        std::mt19937 rng(2024);
        const auto below = [&rng](int bound) { return int(rng() % unsigned(bound)); };
        const auto number = [&below](int bound) { return QString::number(below(bound)); };
        Play play;
        const Game& game = play.game;
        for (int action = 0; action < 40'000; ++action) {
            const QStringList buttons{"game:" + QString::number(below(3) * 60) + "/20/" + number(3), "start", "submit",
                                      "shuffle", "reset"};
            const int roll = below(100);
            play.log.clear();
            play.run(roll < 10       ? buttons[int(game.phase())]
                         : roll < 20 ? (game.shuffling() ? (roll % 2 ? "deal" : "deal?") : "")
                         : roll < 55 ? number(25)
                         : roll < 60 ? "type:" + QString("ASOLEÑ").mid(below(6), 1)
                         : roll < 68 ? (roll % 2 ? "<" : "x")
                         : roll < 69 ? "menu"
                         : roll < 73 ? "show:" + number(9)
                                     : (below(200) ? "+0.001" : "+30"));
            if (play.log.contains("Unknown") || play.log.contains("ask"))
                play.run(roll % 3 ? "no" : "yes");
            if (play.log.contains("end")
                && (play.run("end strike:" + number(8) + " score"), play.log.last() != "goes-on"))
                play.run("conclude");
            const std::vector<int>& path = game.playerPath();
            QVERIFY(!(game.shuffling() && game.roundClockRunning()) && (game.phase() == Phase::Round || path.empty()));
            for (std::size_t i = 1; i < path.size(); ++i)
                QVERIFY(std::count(path.begin(), path.end(), path[i]) == 1
                        && std::abs(path[i] / 5 - path[i - 1] / 5) < 2 && std::abs(path[i] % 5 - path[i - 1] % 5) < 2);
            for (int cell = 0; cell < CellCount && game.phase() == Phase::Round; ++cell)
                QCOMPARE(game.tileLit(cell), std::count(path.begin(), path.end(), cell) == 1);
            for (std::set<std::string> listed; const std::string& word : game.playerWords())
                QVERIFY(word.size() >= 3 && listed.insert(word).second);
            const auto spelled = [&game](char letter, int cell) { return game.board()[cell] == letter; };
            for (const auto& [word, path, struck] : game.computerWords())
                QVERIFY(word.size() >= 3
                        && (game.phase() == Phase::Dealing || std::ranges::equal(word, path, spelled)));
        }
    }

    void letterBagAndDeal()
    {
        // The bag holds its letters at the positions the deal draws; deals take 25 of them without return.
        const LetterBag bag;
        for (int position = 0; position <= 96; ++position)
            QCOMPARE(bag.at(position), position == 0 || position == 96 ? '\0' : BagLetters[position - 1]);
        std::set<char> everDealt;
        SeededRandom random(20240611);
        for (int deal = 0; deal < 2000; ++deal) {
            std::string dealt;
            for (const char letter : dealBoard(bag, random))
                dealt += letter, everDealt.insert(letter);
            for (const char letter : dealt)
                QVERIFY(std::count(dealt.begin(), dealt.end(), letter)
                        <= std::count(BagLetters.begin(), BagLetters.end(), letter));
        }
        QCOMPARE(everDealt.size(), 25u);
        // A position already dealt is drawn again; stray numbers land on the ends (-0.25 and NaN on 1, 1.0 on 95).
        ScriptedRandom scripted;
        scripted.values = {-0.25, std::numeric_limits<double>::quiet_NaN(), 1.0};
        for (const int position :
             {13, 59, 1, 24, 36, 47, 71, 92, 93, 94, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16})
            scripted.values << (position - 0.5) / LetterBag::Size;
        const Board board = dealBoard(bag, scripted);
        QCOMPARE(std::string(board.begin(), board.end()),
                 "AZB\xD1"
                 "EFJQVXY"
                     + std::string(11, 'A') + "BCC");
        QVERIFY(scripted.values.isEmpty());
    }

    void targetNumberAndWordPoints()
    {
        // The target reads as its leading number, blanks ignored, rounded half to even and clamped; words score by
        // length.
        const QString targets =
            "100=100|150 =150| 1 2 3 =123|\t4\t2=42|- 7=-7|75abc=75|abc=0|=0|-=0|.=0|+-5=0|+7=7|007=7|"
            "12.5=12|13.5=14|-0.5=0|-2.5=-2|-3.5=-4|2.5000001=3|2.50000=2|2.4999999=2|.7=1|3.2.1=3|"
            "1e5=1|32767.5=32767|99999999=32767|-99999999=-32768";
        for (const QString& pair : targets.split('|'))
            QCOMPARE(readTargetNumber(pair.section('=', 0, 0).toStdString()), pair.section('=', 1).toInt());
        QVERIFY(readTargetNumber(std::string(1000, '9')) == 32767
                && readTargetNumber(std::string(1000, '0') + "42") == 42);
        for (const auto& [letters, points] :
             std::map<std::size_t, int>{{2, 10}, {3, 1}, {4, 1}, {5, 2}, {6, 4}, {7, 6}, {8, 10}, {15, 10}})
            QCOMPARE(wordPoints(letters), points);
    }
};

QTEST_GUILESS_MAIN(TestGame)
#include "tst_game.moc"
