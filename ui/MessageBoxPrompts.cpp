#include "ui/MessageBoxPrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace palitra {

namespace {

QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QStringLiteral("Palitra"), text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.standardButton(box.clickedButton());
}

} // namespace

bool MessageBoxPrompts::ask(const QString& question)
{
    return show(QMessageBox::Question, question, QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Cancel;
}

void MessageBoxPrompts::inform(const QString& message)
{
    show(QMessageBox::Information, message, QMessageBox::Ok);
}

void MessageBoxPrompts::warn(const QString& message)
{
    show(QMessageBox::Warning, message, QMessageBox::Ok);
}

void MessageBoxPrompts::error(const QString& message)
{
    show(QMessageBox::Critical, message, QMessageBox::Ok);
}

} // namespace palitra
