// The game model, played from scripts: phases, dealing, the word being
// built, submission, questions under a running clock, the end of a round,
// scoring, striking and paths, the computer's walk; and the rules it uses.
#include "Fakes.h"

#include "core/game/Deal.h"
#include "core/game/Game.h"
#include "core/game/GameRecord.h"
#include "core/game/NumberReader.h"
#include "core/game/Scoring.h"
#include "core/game/Typing.h"

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

const char* const Prompts[] = {"",         "Options", "Unknown", "StartOver", "TimeUp",
                               "Validate", "Winner",  "About",   "Board",     "Statistics"};

// A game on its own word list, played from a script of space-separated steps:
//   game[:S/T/L]  the main button and options of S seconds to T points at level L (180/100/1)
//   act           the main button; also as start, shuffle, and submit, which logs what became of the word
//   deal deal?    a tick of the dealing timer: a deal of TestBoard (the computer to start at 0), or a random one
//   0..24 < x     a tile; take back a letter; clear the word
//   menu about    the menu's new game, logged as reset when nothing is asked; the about window
//   pause min     the menu's pause; the window minimized
//   board light:N stats   the board's words; the path of the Nth; the record
//   quit          the program ends
//   yes no ok     the answer to the prompt (ok: yes)
//   +S            S seconds pass, then a tick of the round's clock, logging the clock shown and "up"
//   walk[:M]      ticks M ms apart (default 1 at Difícil's pace, else 0) until the computer has walked the board
//   common all    the list gets common words (SOL and CASA); the computer knows all the words
//   strike:W show:W   strike a computer word out; light its path
//   type:T        the characters of T typed
// Each prompt is logged as it comes up, and a decided game by its winner.
struct Play {
    MemoryWordList words{Words};
    FakeClock clock;
    ScriptedRandom random;
    GameRecord record;
    Game game{words, random, clock, record};
    QStringList log;
    int steps = 0;       // the round timer's ticks in "walk"
    QStringList foundAt; // ms from the start of the first round at which "walk" saw each computer word

    int indexOf(const QString& word) const
    {
        const auto& found = game.computerWords();
        for (std::size_t i = 0; i < found.size(); ++i)
            if (latin(found[i].word) == word)
                return int(i);
        return word.toInt();
    }

    void tick(const RoundTick& tick)
    {
        if (tick.clockChanged)
            log << QString::number(*game.secondsShown());
        if (tick.timeUp)
            log << "up";
    }

    void submit()
    {
        const std::size_t listed = game.playerWords().size();
        const bool built = !game.playerPath().empty();
        game.pressAction();
        if (game.prompt() == Prompt::None)
            log << (game.playerWords().size() > listed           ? "Accepted"
                        : game.notice() == Notice::TooShort      ? "TooShort"
                        : game.notice() == Notice::AlreadyListed ? "AlreadyListed"
                        : built                                  ? "Refused"
                                                                 : "NothingBuilt");
    }

    void step(const QString& step)
    {
        const QString arg = step.section(':', 1);
        const std::map<QString, std::function<void()>> steps{
            {"game",
             [&] {
                 game.pressAction();
                 game.answerOptions(options(arg.isEmpty() ? "180/100/1" : arg));
                 random.fallback = SeededRandom{12345}; // the draws after the first deal as before it
             }},
            {"act", [&] { game.pressAction(); }},
            {"start", [&] { game.pressAction(); }},
            {"shuffle", [&] { game.pressAction(); }},
            {"submit", [&] { submit(); }},
            {"deal",
             [&] {
                 random.values = drawsDealing(TestBoard) << drawOfCell(0);
                 game.dealTick();
             }},
            {"deal?", [&] { game.dealTick(); }},
            {"<", [&] { game.takeBackLetter(); }},
            {"x", [&] { game.clearWord(); }},
            {"menu",
             [&] {
                 game.chooseNewGame();
                 if (game.prompt() == Prompt::None)
                     log << "reset";
             }},
            {"about", [&] { game.openAbout(); }},
            {"pause", [&] { game.togglePause(); }},
            {"min", [&] { game.pause(); }},
            {"board", [&] { game.openBoardWords(); }},
            {"stats", [&] { game.openStatistics(); }},
            {"quit", [&] { game.quit(); }},
            {"light", [&] { game.showBoardWordPath(arg.toInt()); }},
            {"yes", [&] { game.answer(true); }},
            {"ok", [&] { game.answer(true); }},
            {"no", [&] { game.answer(false); }},
            {"walk",
             [&] {
                 const double ms = arg.isEmpty() ? game.computerStepInterval() == 1 : arg.toDouble();
                 for (; !game.walk().done() && game.phase() == Phase::Round; ++this->steps) {
                     clock.now += ms / 1000;
                     for (game.roundTick(); foundAt.size() < qsizetype(game.computerWords().size());)
                         foundAt << QString::number(std::lround((clock.now - 5000) * 1000));
                 }
             }},
            {"common", [&] { words.common = Dictionary::fromWordList("CASA\r\nSOL\r\n"); }},
            {"all", [&] { game.setComputerKnowsAll(true); }},
            {"strike", [&] { log << (game.strikeComputerWord(indexOf(arg)) ? "struck" : "kept"); }},
            {"show", [&] { game.showComputerPath(indexOf(arg)); }},
            {"type", [&] {
                 for (const QChar c : arg)
                     game.typeLetter(typedLetter(c.unicode()));
             }}};
        bool isCell = false;
        const int cell = step.toInt(&isCell);
        if (step.startsWith('+')) {
            clock.now += step.mid(1).toDouble();
            tick(game.roundTick());
        } else if (isCell) {
            game.pressTile(cell);
        } else {
            steps.at(step.section(':', 0, 0))();
        }
    }

    void run(const QString& script)
    {
        for (const QString& each : script.split(' ', Qt::SkipEmptyParts)) {
            const Prompt before = game.prompt();
            step(each);
            if (game.prompt() == before || game.prompt() == Prompt::None)
                continue;
            log << (game.prompt() != Prompt::Winner       ? Prompts[int(game.prompt())]
                        : game.winner() == Winner::Player ? "Player"
                                                          : "Computer");
        }
    }

    static GameOptions options(const QString& text)
    {
        const QStringList o = text.split('/');
        return {o[0].toInt(), o[1].toInt(), o[2].toInt()};
    }

    // What the game shows under `key` (see the rows).
    QString shows(const QString& key) const
    {
        static const char* phases[] = {"NoGame", "Shuffling",  "Round",         "Paused",
                                       "TimeUp", "Validating", "BetweenRounds", "Over"};
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
            {"prompt", [&] { return game.prompt() == Prompt::None ? "None" : Prompts[int(game.prompt())]; }},
            {"game", [&] { return yes(game.inProgress()); }},
            {"timers", [&] { return game.shuffling()        ? "deal"
                                 : game.roundClockRunning() ? "round"
                                                            : "none"; }},
            {"tiles", [&] { return game.tilesEnabled() ? "on" : "off"; }},
            {"shown", [&] { return yes(game.computerWordsShown()); }},
            {"pace", [&] { return game.computerStepInterval() ? number(*game.computerStepInterval()) : "none"; }},
            {"interval", [&] { return number(game.roundTimerInterval()); }},
            {"found", [&] { return foundAt.join(','); }},
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
            {"changed", [&] { return yes(words.changed); }},
            {"knows", [&] { return yes(words.contains(arg.toLatin1().toStdString())); }},
            {"route", [&] { return joined(game.computerWords()[indexOf(arg)].path, number); }},
            {"steps", [&] { return number(this->steps); }},
            {"letters", [&] { return yes(game.lettersShown()) + '/' + yes(game.actionEnabled()); }},
            {"menus", [&] { return yes(game.canPause()) + '/' + yes(game.canReviewBoard()); }},
            {"review",
             [&] {
                 return joined(game.boardWords(),
                               [](const BoardWord& w) { return latin(w.word) + ':' + "-PCS"[int(w.foundBy)]; });
             }},
            {"record", [&] {
                 const LevelRecord& r = record.level(arg.toInt());
                 return QStringList{number(r.played()),
                                    number(r.won),
                                    number(r.lost),
                                    number(r.abandoned),
                                    number(r.rounds),
                                    number(int(r.points)),
                                    number(r.bestFound) + '/' + number(r.bestHeld),
                                    latin(r.bestWord) + '@' + r.bestWordDate.toString(Qt::ISODate)}
                     .join('/');
             }}};
        return state.at(key.section(':', 0, 0))();
    }
};

// Each row: what it shows | a script | what the game shows after it (key=value). In scripts, R is a round on
// TestBoard ("game deal start"), T the end of the round's time, read ("+181 ok"), and W the player's four words
// for 6 points: SOL, CASA, PUÑAL and SOLAR, added.
const char* const Scripts = R"(
before any game                  |                             | phase=NoGame game=no timers=none tiles=on shown=yes board= score=0:0 prompt=None
the options first                | act                         | phase=NoGame prompt=Options game=no timers=none
a game shuffles a deal at once   | game                        | phase=Shuffling prompt=None game=yes timers=deal tiles=off board=EHONNDAIAAHÑTEAEUUSNJTUYI
a deal                           | game deal                   | phase=Shuffling timers=deal board=SOLARCASENOTEMIPUÑALBERAZ
the round starts on the last deal| game deal? deal start       | phase=Round timers=round tiles=on shown=no pace=100 interval=100 board=SOLARCASENOTEMIPUÑALBERAZ
Fácil's pace                     | game:180/100/0              | pace=200
Difícil's pace                   | game:180/100/2 deal start +0.1 | pace=1 interval=16
a level without a pace           | game:180/100/7              | pace=none
the options closed: as they were | game:120/50/2 menu yes act ok | pace=1 phase=Shuffling
time up                          | R 0 1 +181                  | log=-1,up,TimeUp timers=none phase=TimeUp clock=-1 path=0,1 tiles=on
end of the round                 | R 0 1 +181 ok               | log=-1,up,TimeUp phase=BetweenRounds tiles=off shown=yes clock=- path= lit= game=yes prompt=None
the next shuffle                 | R T shuffle                 | phase=Shuffling timers=deal tiles=off
the game decided                 | game:180/0/1 deal start 0 1 2 submit T | log=Accepted,-1,up,TimeUp,Player phase=BetweenRounds game=yes score=1:0
... and over once read           | game:180/0/1 deal start 0 1 2 submit T ok | phase=Over game=no prompt=None
reset after the game             | game:180/0/1 deal start 0 1 2 submit T ok act | phase=NoGame score=0:0 words= board= timers=none
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
no tiles after a round           | R 0 +181 2 ok 2             | path= lit=
no tiles, keys or take-back under a question | R 0 1 2 3 4 submit 9 type:n < x | path=0,1,2,3,4 prompt=Unknown
typing a word                    | R type:sol                  | path=0,1,2 word=SOL
case, accents and ñ folded       | R type:uÑá                  | path=16,17,18
ü is U                           | R type:ü                    | path=16
several tiles fit: one is shown  | R type:s                    | path=0
a later letter switches paths    | R type:se                   | path=7,8
a letter no path can take        | R type:solq                 | path=0,1,2
a tile is not used twice         | R type:lal                  | path=2,3
back a letter, the others kept   | R type:sol < < type:e       | path=7,8
back a letter: every path again  | R type:aa < type:c          | path=6,5
back to nothing: any tile again  | R type:so < < type:c        | path=5
typing goes on from clicks       | R 5 type:a                  | path=5,6
clicks go on from the path shown | R type:sol 3                | path=0,1,2,3
no typing outside a round        | game deal type:sol          | path=
nothing built                    | R submit                    | log=NothingBuilt notice=None
two letters, refused             | R 0 1 submit +1             | log=TooShort,179 notice=TooShort path=0,1
the notice goes with a take-back | R 0 1 submit <              | notice=None
the notice goes with a letter    | R 0 1 submit 2              | notice=None
twice in a round                 | R 0 1 2 submit 0 1 2 submit | log=Accepted,AlreadyListed notice=AlreadyListed words=SOL path=0,1,2
known words, in order            | R 5 6 7 3 submit 16 17 18 submit | log=Accepted,Accepted words=CASA,UÑA path= lit= notice=None changed=no
unknown, added                   | R 0 1 2 3 4 submit yes      | log=Unknown words=SOLAR knows:SOLAR=yes changed=yes path= prompt=None
unknown, not added               | R 0 1 2 3 4 submit no       | log=Unknown words= knows:SOLAR=no changed=no path=0,1,2,3,4
added words known next round     | R 0 1 2 3 4 submit yes T shuffle deal start 0 1 2 3 4 submit | log=Unknown,-1,up,TimeUp,Accepted words=SOLAR
time up under the word question  | R 0 1 2 3 4 submit +500     | log=Unknown,-320,up phase=TimeUp timers=none prompt=Unknown
... answered Cancel              | R 0 1 2 3 4 submit +500 no  | log=Unknown,-320,up,TimeUp words= knows:SOLAR=no phase=TimeUp
... answered OK                  | R 0 1 2 3 4 submit +500 yes | log=Unknown,-320,up,TimeUp words= knows:SOLAR=yes
time up under the new-game one   | R 0 1 menu +500 no          | log=StartOver,-320,up,TimeUp path=0,1
... answered OK                  | R 0 1 menu +500 yes         | log=StartOver,-320,up phase=NoGame prompt=None
time up under the about window   | R about +500 ok             | log=About,-320,up,TimeUp phase=TimeUp
an answer in time: nothing pends | R 0 1 2 3 4 submit no submit no | log=Unknown,Unknown prompt=None phase=Round
new game before any game         | menu                        | log=reset phase=NoGame
new game in a round, Cancel      | R 0 1 menu no               | log=StartOver phase=Round timers=round path=0,1
new game in a round, OK          | R 0 1 menu yes              | phase=NoGame timers=none game=no path= board=
new game while shuffling asks    | game menu no                | log=StartOver phase=Shuffling timers=deal
new game between rounds asks     | R T menu no                 | log=-1,up,TimeUp,StartOver game=yes
new game after the game          | game:180/0/1 deal start 0 1 2 submit T ok menu | log=Accepted,-1,up,TimeUp,Player,reset score=0:0
3 min.: whole seconds left       | R +0.2 +1 +0.5 +177.1 +0.5  | log=179,178,1,0,up,TimeUp
2 min.                           | game:120/100/1 deal start +0.001 +118.5 +0.6 | log=119,1,0,up,TimeUp
0 s                              | game:0/100/1 deal start +0  | log=up,TimeUp clock=-
the computer's words and paths   | R walk                      | computer=SOL,SOLA,MESA,COSA,CASA,PUÑAL,UÑA route:SOL=0,1,2 route:CASA=5,6,7,3 shown=no steps=504
Difícil: a step a millisecond    | game:180/100/2 deal start walk | computer=SOL,SOLA,MESA,COSA,CASA,PUÑAL,UÑA found=6,9,82,160,208,268,414 interval=497 steps=504
... taken a frame's worth at once | game:180/100/2 deal start walk:16 | computer=SOL,SOLA,MESA,COSA,CASA,PUÑAL,UÑA found=16,16,96,160,208,272,416 interval=489 steps=32
Normal walks the common words    | common R walk               | computer=SOL,CASA
... and Fácil                    | common game:180/100/0 deal start walk | computer=SOL,CASA
Difícil the whole list           | common game:180/100/2 deal start walk | computer=SOL,SOLA,MESA,COSA,CASA,PUÑAL,UÑA
... and every level when it knows all | common all R walk | computer=SOL,SOLA,MESA,COSA,CASA,PUÑAL,UÑA
... from the round's start on   | common R all walk           | computer=SOL,CASA
the player's words: the whole list | common R 16 17 18 submit | log=Accepted
... gone at the next round       | R walk T ok shuffle deal start | computer= words=
... walked again in the next     | R walk T ok shuffle deal start walk | computer=SOL,SOLA,PUÑAL,UÑA,MESA,COSA,CASA steps=1008
the player only                  | R W 10 11 T                 | score=6:0 log=Accepted,Accepted,Accepted,Unknown,-1,up,TimeUp phase=BetweenRounds
both                             | R walk W T ok               | score=6:8 log=Accepted,Accepted,Accepted,Unknown,-1,up,TimeUp,Validate
the validation before the score  | R walk W T                  | score=0:0 phase=Validating prompt=Validate tiles=off shown=yes
struck words score nothing       | R walk W +181 ok strike:SOL strike:SOLA strike:COSA strike:CASA strike:MESA strike:UÑA strike:PUÑAL strike:PUÑAL ok | score=6:0 computer=*SOL,*SOLA,*MESA,*COSA,*CASA,*PUÑAL,*UÑA knows:PUÑAL=no knows:COSA=no changed=yes
equal to the target goes on      | game:180/6/1 deal start W T | log=Accepted,Accepted,Accepted,Unknown,-1,up,TimeUp phase=BetweenRounds
past the target                  | game:180/5/1 deal start W T | log=Accepted,Accepted,Accepted,Unknown,-1,up,TimeUp,Player prompt=Winner
the computer higher              | game:180/5/1 deal start walk W T ok | score=6:8 log=Accepted,Accepted,Accepted,Unknown,-1,up,TimeUp,Validate,Computer
a tie goes to the computer       | game:180/5/1 deal start walk W +181 ok strike:SOL strike:UÑA ok | score=6:6 log=Accepted,Accepted,Accepted,Unknown,-1,up,TimeUp,Validate,struck,struck,Computer
0 to 0 past -1                   | game:180/-1/1 deal start T  | score=0:0 log=-1,up,TimeUp,Computer
scores carry over rounds         | game:180/2/1 deal start 0 1 2 submit T shuffle deal start 0 1 2 submit T shuffle deal start 5 6 7 3 submit T | score=3:0 log=Accepted,-1,up,TimeUp,Accepted,-1,up,TimeUp,Accepted,-1,up,TimeUp,Player
struck words may come back       | R walk +181 ok strike:PUÑAL ok shuffle deal start 15 16 17 18 19 submit yes | log=-1,up,TimeUp,Validate,struck,Unknown words=PUÑAL knows:PUÑAL=yes
no computer path in a round      | R walk 10 11 show:SOL       | lit=10,11
a path in the validation         | R walk +181 ok show:CASA    | lit=3,5,6,7
one path at a time               | R walk +181 ok ok show:CASA show:SOL | lit=0,1,2
no row keeps it                  | R walk +181 ok ok show:SOL show:-1 | lit=0,1,2
a row past the list clears it    | R walk +181 ok ok show:SOL show:99 | lit=
clearing the word clears it      | R walk +181 ok ok show:SOL x | lit=
the shuffle clears it            | R walk +181 ok ok show:SOL shuffle | lit=
none once a shuffle starts       | R walk +181 ok ok shuffle show:SOL deal show:SOL | lit=
a round is scored once           | game:180/100/1 deal start 0 1 2 submit T ok ok yes act | score=1:0 phase=Shuffling
no striking outside the validation | R walk strike:SOL +181 ok ok strike:SOL | log=kept,-1,up,TimeUp,Validate,kept computer=SOL,SOLA,MESA,COSA,CASA,PUÑAL,UÑA
no round before a deal           | act act start               | phase=NoGame prompt=Options tiles=on board=
no shuffle in a round            | R 0 1 2 3 shuffle deal?     | phase=Round board=SOLARCASENOTEMIPUÑALBERAZ words=SOLA
ticks out of their phase         | deal? +9 R deal? T deal? +9 | board=SOLARCASENOTEMIPUÑALBERAZ log=-1,up,TimeUp timers=none
answers with nothing asked       | R 0 1 yes no ok             | path=0,1 phase=Round prompt=None
a pause keeps the time left      | R +10 pause +500 pause +1   | log=170,169 phase=Round
a paused round: no letters, no walk, no main button | R +1 0 1 pause +0.001 +0.001 | phase=Paused letters=no/no computer= clock=179 lit=0,1 menus=yes/no
a paused round takes no keys or buttons | R 0 1 pause type:l act < x | path=0,1 phase=Paused prompt=None
a click on the board goes on     | R 0 1 pause 7 +1            | phase=Round path=0,1 letters=yes/yes log=179
minimized, it stays paused       | R min min +5 min            | phase=Paused log=
no pause outside a round         | pause game pause deal pause R T pause | phase=BetweenRounds menus=no/yes
no pause under a question        | R 0 1 2 3 4 submit pause min | phase=Round prompt=Unknown
a paused round asks to start over| R pause menu no             | phase=Paused log=StartOver
the board's words after the round| R walk 16 17 18 submit T ok board | prompt=Board review=PUÑAL:C,CASA:C,COSA:C,MESA:C,SOLA:C,SOL:C,UÑA:P
... struck and lit               | R walk +181 ok strike:CASA ok board light:1 | review=PUÑAL:C,CASA:S,COSA:C,MESA:C,SOLA:C,SOL:C,UÑA:C lit=3,5,6,7
... and what nobody found        | game deal start 0 1 2 submit T board | review=PUÑAL:-,CASA:-,COSA:-,MESA:-,SOLA:-,SOL:P,UÑA:- menus=no/no
... until the next deal          | R T board ok shuffle board  | prompt=None menus=no/no
... not in a round               | R board                     | prompt=None menus=yes/no
the record: a game won           | game:180/0/1 deal start 0 1 2 submit T ok | record:1=1/1/0/0/1/1/1/7/SOL@2026-12-07
... lost, at another level       | game:180/-1/0 deal start T ok | record:0=1/0/1/0/1/0/0/7/@ record:1=0/0/0/0/0/0/0/0/@
... abandoned by a new game      | R 0 1 2 submit T menu yes    | record:1=1/0/0/1/1/1/1/7/SOL@2026-12-07
... and by the end of the program| game quit quit               | record:1=1/0/0/1/0/0/0/0/@ phase=NoGame
... but not after it             | game:180/0/1 deal start 0 1 2 submit T ok quit | record:1=1/1/0/0/1/1/1/7/SOL@2026-12-07
the record opens in any phase    | R stats +500 ok             | log=Statistics,-320,up,TimeUp
the main button under a prompt   | R 0 1 2 3 4 submit act menu about | prompt=Unknown phase=Round words=
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
            script.replace(" R ", " game deal start ").replace(" T ", " +181 ok ");
            script.replace(" W ", " 0 1 2 submit 5 6 7 3 submit 15 16 17 18 19 submit 0 1 2 3 4 submit yes ");
            QTest::newRow(row[0].trimmed().toUtf8().constData()) << script.replace(" T ", " +181 ok ") << row[2];
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
        // Any command in any phase, at random: the shuffle and the round's clock never run together, the word is
        // distinct touching tiles, lit, and only in a round; a listed word has three letters or more and is listed
        // once; a computer word is its path's; a prompt waits only where its phase has it; scores only grow; the
        // board's words are there from the round's end to the next deal.
        std::mt19937 rng(2024);
        const auto below = [&rng](int bound) { return int(rng() % unsigned(bound)); };
        const auto number = [&below](int bound) { return QString::number(below(bound)); };
        const QStringList commands{"act", "deal", "deal?", "<",     "x",   "menu",  "about", "yes",
                                   "no",  "ok",   "walk",  "pause", "min", "board", "stats", "light:2"};
        std::multimap<Phase, Prompt> asked{{Phase::NoGame, Prompt::ChooseOptions},
                                           {Phase::NoGame, Prompt::About},
                                           {Phase::Shuffling, Prompt::StartOver},
                                           {Phase::Shuffling, Prompt::About},
                                           {Phase::Round, Prompt::AddUnknownWord},
                                           {Phase::Round, Prompt::StartOver},
                                           {Phase::Round, Prompt::About},
                                           {Phase::TimeUp, Prompt::AddUnknownWord},
                                           {Phase::TimeUp, Prompt::StartOver},
                                           {Phase::TimeUp, Prompt::About},
                                           {Phase::TimeUp, Prompt::TimeUp},
                                           {Phase::Validating, Prompt::ValidateWords},
                                           {Phase::BetweenRounds, Prompt::Winner},
                                           {Phase::BetweenRounds, Prompt::StartOver},
                                           {Phase::BetweenRounds, Prompt::About},
                                           {Phase::Over, Prompt::About},
                                           {Phase::Paused, Prompt::StartOver},
                                           {Phase::Paused, Prompt::About},
                                           {Phase::BetweenRounds, Prompt::BoardWords},
                                           {Phase::Over, Prompt::BoardWords}};
        for (const Phase phase : {Phase::NoGame, Phase::Shuffling, Phase::Round, Phase::Paused, Phase::TimeUp,
                                  Phase::BetweenRounds, Phase::Over})
            asked.emplace(phase, Prompt::Statistics);
        Play play;
        const Game& game = play.game;
        int scores = 0;
        for (int action = 0; action < 40'000; ++action) {
            const int roll = below(100);
            const QString options = QString::number(below(3) * 60) + "/20/" + number(3);
            play.step(roll < 25            ? commands[below(int(commands.size()))]
                          : roll < 27      ? "game:" + options
                          : roll < 55      ? number(25)
                          : roll < 60      ? "type:" + QString("ASOLEÑ").mid(below(6), 1)
                          : roll < 63      ? "strike:" + number(8)
                          : roll < 66      ? "show:" + number(9)
                          : below(200) > 0 ? "+0.001"
                                           : "+30");
            QVERIFY(!(game.shuffling() && game.roundClockRunning()));
            const auto pairs = asked.equal_range(game.phase());
            QVERIFY(game.prompt() == Prompt::None
                    || std::any_of(pairs.first, pairs.second, [&](auto& p) { return p.second == game.prompt(); }));
            QVERIFY(game.playerScore() + game.computerScore() >= scores || game.phase() == Phase::NoGame);
            scores = game.playerScore() + game.computerScore();
            const std::vector<int>& path = game.playerPath();
            QVERIFY(game.phase() == Phase::Round || game.phase() == Phase::Paused || game.phase() == Phase::TimeUp
                    || path.empty());
            QVERIFY(game.boardWords().empty() || game.phase() == Phase::Validating
                    || game.phase() == Phase::BetweenRounds || game.phase() == Phase::Over);
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
                        && (game.phase() == Phase::Shuffling || std::ranges::equal(word, path, spelled)));
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
            for (const char letter : dealBoard(bag, random)) {
                dealt += letter;
                everDealt.insert(letter);
            }
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
