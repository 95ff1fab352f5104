#pragma once

#include "core/game/Clock.h"

#include <QString>

namespace palitra {

// Message boxes. They show the title "Palitra" and Spanish buttons.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual bool ask(const QString& question) = 0;   // question icon, OK/Cancel; true unless Cancel
    virtual void inform(const QString& message) = 0; // information icon, OK
    virtual void warn(const QString& message) = 0;   // exclamation icon, OK
    virtual void error(const QString& message) = 0;  // critical icon, OK
};

// Opens a file (relative to `workingDirectory`) or an address with the
// desktop's handler. Failures are ignored.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString& target, const QString& workingDirectory) = 0;
};

// What the windows need from the desktop, so that tests can replace it: the
// clock paces the shuffle's repaints (the game's own draws and clock are
// given to the game).
struct Platform {
    Prompts& prompts;
    Shell& shell;
    Clock& clock;
};

} // namespace palitra
