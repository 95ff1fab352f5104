#pragma once

#include <QByteArray>
#include <QString>

namespace palitra {

// The folder of the program at `executable` (by default the running one, from
// /proc/self/exe), as a name that Qt can open. Qt reads file names as UTF-8, so
// a folder named in another encoding (Latin-1 "caf\xe9") has no QString name:
// it is then reached through a descriptor kept open for the program's life,
// as /proc/<pid>/fd/<n>, which other programs of the player's (the browser
// showing the help page) can follow too. Empty when there is no such folder.
QString programFolder(QByteArray executable = {});

} // namespace palitra
