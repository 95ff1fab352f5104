#pragma once

#include <QString>

namespace palitra {

// Why the word-list file could not be read or saved; the windows turn it
// into the player's message.
struct FileProblem {
    enum class Kind { Missing, Unreadable, Empty, NotSaved };

    Kind kind = Kind::Missing;
    QString path;   // the file concerned
    QString reason; // the system's explanation; empty when a write stopped short
};

} // namespace palitra
