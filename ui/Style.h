#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace palitra::style {

// The windows are drawn in twips: 15 to a pixel at 96 dpi, rounded to the
// nearest pixel; Qt's high-DPI scaling does the rest.
constexpr int twips(int value)
{
    return (value + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

constexpr QSize twipsSize(int width, int height)
{
    return {twips(width), twips(height)};
}

// The faces of the drawing, each with the installed faces that stand in for it.
enum class Face { Sans, Mono, Arial, ArialBlack };

// The first installed family that stands for `face`, at `points`.
QFont font(Face face, double points, QFont::Weight weight = QFont::Normal);

// A dialog with a title and a close box, and nothing else in its frame.
constexpr Qt::WindowFlags ClosableDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The program's own font, the drawing's default for controls.
QFont defaultFont();

// The colours of the drawing.
namespace colour {
inline const QColor White{255, 255, 255};
inline const QColor Black{0, 0, 0};
inline const QColor LightGreen{0, 255, 0};
inline const QColor DarkGreen{0, 128, 0};
inline const QColor Yellow{255, 255, 0};
inline const QColor PaleYellow{255, 255, 128};
inline const QColor LightYellow{255, 255, 192};
inline const QColor LightGrey{192, 192, 192};
inline const QColor LinkBlue{51, 153, 255};
} // namespace colour

// Paints `widget`'s background (when `back` is valid) and text (when `text` is valid).
void setColours(QWidget* widget, const QColor& back, const QColor& text);

} // namespace palitra::style
