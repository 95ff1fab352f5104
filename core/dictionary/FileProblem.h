#pragma once

#include <QString>

namespace palitra {

// Why the word-list file could not be read or saved; the windows turn it
// into the player's message.
struct FileProblem {
    enum class Kind {
        Missing,        // no file by that name
        NotAFile,       // a folder, a device, a pipe or a socket: only a regular file is read
        Unreadable,     // the system refused to read it
        Empty,          // 0 bytes
        TooLarge,       // 4 GB or more
        NoMemory,       // more than the memory the program can have
        Garbled,        // bytes that are not a word list, or not the player's changes
        NotSaved,       // the system refused to write it, or the writing stopped short
        NotAFileToSave, // a device, a pipe or a socket in the list's place: never replaced
    };

    Kind kind = Kind::Missing;
    QString path;        // the file, or the folder, that refused
    int systemError = 0; // errno, when the system said why
};

// A file of the player's that could not be used and was moved out of the
// way, so that the game starts all the same.
struct SetAside {
    FileProblem problem; // why, naming the file
    QString keptAs;      // its new name; empty when it could not be moved
};

} // namespace palitra
