#pragma once

#include <QString>

namespace palitra {

// Why the word-list file could not be read or saved; the windows turn it
// into the player's message.
struct FileProblem {
    enum class Kind {
        Missing,    // no file by that name
        NotAFile,   // a folder, a device, a pipe or a socket: only a regular file is read
        Unreadable, // the system refused to read it
        Empty,      // 0 bytes
        TooLarge,   // 4 GB or more
        NotSaved,   // the system refused to write it, or the writing stopped short
    };

    Kind kind = Kind::Missing;
    QString path;        // the file, or the folder, that refused
    int systemError = 0; // errno, when the system said why
};

} // namespace palitra
