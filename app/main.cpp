#include "core/board/SeededRandom.h"
#include "core/dictionary/DictionaryStore.h"
#include "core/dictionary/ProgramFolder.h"
#include "core/game/Game.h"
#include "core/game/GameRecord.h"
#include "ui/DesktopShell.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/MonotonicClock.h"
#include "ui/Session.h"
#include "ui/Style.h"

#include <QApplication>
#include <QDateTime>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include <chrono>

namespace {

std::uint64_t clockSeed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(now) ^ static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palitra"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/palitra.png")));
    QApplication::setFont(palitra::style::defaultFont());

    // Message boxes show their standard buttons in Spanish.
    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    palitra::MonotonicClock clock;
    palitra::MessageBoxPrompts prompts(clock);
    palitra::DesktopShell shell;
    palitra::SeededRandom random(clockSeed());
    palitra::DictionaryStore words;
    palitra::GameRecord record;
    palitra::Game game(words, random, clock, record);

    const palitra::Platform platform{prompts, shell, clock};

    palitra::Session session(words, record, platform, palitra::programFolder());
    if (!session.start())
        return session.exitStatus();
    palitra::MainWindow window(game, platform, session.programFolder());
    window.setCloseCheck([&session] { return session.mayQuit(); });
    window.show();
    const int status = QApplication::exec();
    return status != 0 ? status : session.exitStatus();
}
