#pragma once

#include "ui/Platform.h"

#include <QString>

namespace palitra {

class DictionaryStore;
class GameRecord;

// The program's run around the main window: at start-up the about window, the
// word list with its common words, read while the loading window shows, and
// the record of games; at exit the question
// whether to save a changed list, the save, and what follows a failed one.
class Session {
public:
    Session(DictionaryStore& words, GameRecord& record, Platform platform, QString programFolder);

    // The about window, then the list. False when the list could not be read:
    // the problem has been reported and the program must end with exitStatus().
    bool start();

    // The main window is being closed: asks whether to save a changed list and
    // saves it. When the save fails, the player may stay (false) to free room
    // or fix the folder and close again, or quit without saving.
    bool mayQuit();

    // 1 when the word list could not be read, or was left unsaved after a failure; else 0.
    int exitStatus() const { return exitStatus_; }
    const QString& programFolder() const { return programFolder_; }

private:
    DictionaryStore& words_;
    GameRecord& record_;
    Platform platform_;
    QString programFolder_;
    int exitStatus_ = 0;
};

} // namespace palitra
