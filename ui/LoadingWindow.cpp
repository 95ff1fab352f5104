#include "ui/LoadingWindow.h"

#include "ui/ControlNames.h"
#include "ui/Style.h"

#include <QLabel>
#include <QTimer>
#include <QWindow>

namespace palitra {

LoadingWindow::LoadingWindow(const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(names::loadingWindow);
    setWindowTitle(caption);
    setFixedSize(style::twipsSize(3315, 1095));

    auto* label = new QLabel(QStringLiteral("Cargando Diccionario..."), this);
    label->setObjectName(names::loadingLabel);
    label->setGeometry(style::twipsRect(60, 300, 3195, 255));
    label->setAlignment(Qt::AlignCenter);

    readTimer_ = new QTimer(this);
    readTimer_->setObjectName(names::loadTimer);
    readTimer_->setInterval(1);
    readTimer_->setSingleShot(true);
    connect(readTimer_, &QTimer::timeout, this, &LoadingWindow::announceReady);
}

void LoadingWindow::finish()
{
    finished_ = true;
    accept();
}

void LoadingWindow::reject()
{
    if (finished_)
        QDialog::reject();
}

void LoadingWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Where a window is never painted (none is on screen), the list is read all the same.
    QTimer::singleShot(1000, this, &LoadingWindow::announceReady);
}

// The list is read once the window is on the screen with its text: the timer
// ticks after this painting has reached the screen.
void LoadingWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!announced_ && windowHandle() && windowHandle()->isExposed())
        readTimer_->start();
}

void LoadingWindow::announceReady()
{
    if (std::exchange(announced_, true))
        return;
    emit readyToRead();
}

} // namespace palitra
