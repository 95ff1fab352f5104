#include "core/dictionary/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>

#include <climits>

#include <fcntl.h>
#include <unistd.h>

namespace palitra {

QString programFolder(QByteArray executable)
{
    if (executable.isEmpty()) {
        char link[PATH_MAX];
        const ssize_t length = ::readlink("/proc/self/exe", link, sizeof link);
        if (length <= 0 || length == sizeof link) // no /proc: Qt's own guess
            return QCoreApplication::applicationDirPath();
        executable = QByteArray(link, length);
    }
    const qsizetype slash = executable.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? executable.left(slash) : QByteArray("/");
    const QString name = QFile::decodeName(folder);
    if (QFile::encodeName(name) == folder)
        return name;
    const int descriptor = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC); // never closed
    return descriptor < 0 ? QString() : QStringLiteral("/proc/%1/fd/%2").arg(::getpid()).arg(descriptor);
}

} // namespace palitra
