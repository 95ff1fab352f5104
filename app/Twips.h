#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace palitra {

// The windows are drawn in twips, 15 to a pixel at 96 dpi; Qt's high-DPI
// scaling does the rest.
constexpr int twips(int value) { return value / 15; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

inline QSize twipsSize(int width, int height) { return {twips(width), twips(height)}; }

// The first installed family of `families`, at `points`.
QFont nearestFont(const QStringList& families, double points, bool bold);

} // namespace palitra
