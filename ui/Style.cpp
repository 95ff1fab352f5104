#include "ui/Style.h"

#include <QFontDatabase>
#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace palitra::style {

namespace {

QStringList familiesOf(Face face)
{
    switch (face) {
    case Face::Sans:
        return {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    case Face::Mono:
        return {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
    case Face::Arial:
        return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    case Face::ArialBlack:
        return {QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    }
    return {};
}

} // namespace

QFont font(Face face, double points, QFont::Weight weight)
{
    QFont font;
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : familiesOf(face)) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QFont defaultFont()
{
    return font(Face::Sans, 8.25);
}

void setColours(QWidget* widget, const QColor& back, const QColor& text)
{
    QPalette palette = widget->palette();
    if (back.isValid()) {
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Base, back);
        palette.setColor(QPalette::Button, back);
        widget->setAutoFillBackground(true);
    }
    // Only the enabled colour groups: a disabled control keeps the style's greyed text.
    if (text.isValid()) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::WindowText, text);
            palette.setColor(group, QPalette::Text, text);
            palette.setColor(group, QPalette::ButtonText, text);
        }
    }
    widget->setPalette(palette);
}

} // namespace palitra::style
