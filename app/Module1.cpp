#include "app/Module1.h"

#include <QDir>

namespace palitra {

QString Module1::wordListPath() const
{
    return QDir(appPath).filePath(QStringLiteral("Palitra.pal"));
}

} // namespace palitra
