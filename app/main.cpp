#include "app/DesktopShell.h"
#include "app/Form1.h"
#include "app/MessageBoxPrompts.h"
#include "app/Module1.h"
#include "app/MonotonicClock.h"
#include "app/Twips.h"
#include "game/SeededRandom.h"

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
    QApplication::setFont(palitra::nearestFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                       QStringLiteral("DejaVu Sans")},
                                      8.25, false));

    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    palitra::MessageBoxPrompts prompts;
    palitra::MonotonicClock clock;
    palitra::SeededRandom random(clockSeed());
    palitra::DesktopShell shell;
    palitra::Module1 module;

    palitra::Form1 form(module, palitra::Platform{prompts, clock, random, shell});
    if (!form.Form_Load(QApplication::applicationDirPath()))
        return form.exitStatus();
    form.show();
    const int status = QApplication::exec();
    return status != 0 ? status : form.exitStatus();
}
