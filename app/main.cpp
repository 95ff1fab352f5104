#include "core/dictionary/DictionaryStore.h"
#include "core/dictionary/ProgramFolder.h"
#include "core/game/Game.h"
#include "core/game/SeededRandom.h"
#include "ui/DesktopShell.h"
#include "ui/Form1.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/MonotonicClock.h"
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

    palitra::MessageBoxPrompts prompts;
    palitra::DesktopShell shell;
    palitra::MonotonicClock clock;
    palitra::SeededRandom random(clockSeed());
    palitra::DictionaryStore words;
    palitra::Game game(words, random, clock);

    palitra::Form1 window(game, words, palitra::Platform{prompts, shell, clock});
    if (!window.start(palitra::programFolder()))
        return window.exitStatus();
    window.show();
    const int status = QApplication::exec();
    return status != 0 ? status : window.exitStatus();
}
