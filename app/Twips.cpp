#include "app/Twips.h"

#include <QFontDatabase>

namespace palitra {

QFont nearestFont(const QStringList& families, double points, bool bold)
{
    QFont font;
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace palitra
