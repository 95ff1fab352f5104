#include "ui/DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace palitra {

void DesktopShell::open(const QString& target, const QString& workingDirectory)
{
    const QUrl address(target);
    const bool hasScheme = address.isValid() && address.scheme().size() > 1;
    QDesktopServices::openUrl(hasScheme ? address
                                        : QUrl::fromLocalFile(QDir(workingDirectory).absoluteFilePath(target)));
}

} // namespace palitra
