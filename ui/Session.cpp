#include "ui/Session.h"

#include "core/dictionary/DictionaryStore.h"
#include "core/game/GameRecord.h"
#include "ui/AboutWindow.h"
#include "ui/LoadingWindow.h"
#include "ui/Texts.h"
#include "ui/Version.h"

#include <QDir>
#include <QStandardPaths>

namespace palitra {

Session::Session(DictionaryStore& words, GameRecord& record, Platform platform, QString programFolder)
    : words_(words)
    , record_(record)
    , platform_(platform)
    , programFolder_(std::move(programFolder))
{
}

bool Session::start()
{
    AboutWindow::showModal(platform_.shell, programFolder_, nullptr);

    // The user's own copy of the list, where a list that cannot be written beside the program is saved.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString besideProgram = QDir(programFolder_).filePath(QStringLiteral("Palitra.pal"));
    const QString userCopy =
        dataFolder.isEmpty() ? QString() : QDir(dataFolder).filePath(QStringLiteral("Palitra.pal"));
    std::optional<FileProblem> problem;
    LoadingWindow loading(QString::fromLatin1(version::caption));
    QObject::connect(&loading, &LoadingWindow::readyToRead, &loading, [&] {
        problem = words_.load(besideProgram, userCopy);
        // Without the common words the computer knows every word, as in the classic game.
        if (!problem)
            words_.loadCommon(QDir(programFolder_).filePath(QStringLiteral("Comunes.pal")));
        loading.finish();
    });
    loading.exec();
    if (!problem) {
        if (const auto& aside = words_.setAside())
            platform_.prompts.warn(texts::setAside(*aside));
        // A damaged record is set aside and a new one started; the player is told once.
        if (record_.load(dataFolder, platform_.clock.today()) == GameRecord::Loaded::SetAside)
            platform_.prompts.inform(texts::recordSetAside(record_.setAsidePath()));
        return true;
    }
    platform_.prompts.error(texts::problem(*problem));
    exitStatus_ = 1;
    return false;
}

bool Session::mayQuit()
{
    if (!words_.changed() || !platform_.prompts.ask(texts::saveQuestion()))
        return true;
    const std::optional<FileProblem> problem = words_.save();
    if (!problem)
        return true;
    platform_.prompts.error(texts::problem(*problem));
    if (!platform_.prompts.ask(texts::quitUnsavedQuestion()))
        return false;
    exitStatus_ = 1;
    return true;
}

} // namespace palitra
