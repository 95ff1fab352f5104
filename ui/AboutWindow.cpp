#include "ui/AboutWindow.h"

#include "ui/ControlNames.h"
#include "ui/Platform.h"
#include "ui/Style.h"
#include "ui/Version.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include <utility>

namespace {
// The pointing hand is kept in the program itself, so the links show it even
// where the resources are not linked in.
#include "assets/hand.xbm"
#include "assets/hand_mask.xbm"
} // namespace

namespace palitra {

using style::twips;
using style::twipsRect;
namespace colour = style::colour;

namespace {

const QString kMail = QStringLiteral("palitra@quindaro.example");
const QString kWeb = QStringLiteral("www.quindaro.example");
const QString kDefaultTitle = QString::fromLatin1(version::caption);

// One line each, so that no line breaks inside the licence's name.
const QString kNotice = QStringLiteral("Palitra versión 1.2. Software libre, sin garantía.\n"
                                       "Licencia: GPL-3.0-or-later.\n"
                                       "Lista de palabras tomada del diccionario\n"
                                       "hunspell-es (proyecto RLA-ES).");

QCursor handCursor()
{
    const QBitmap ink = QBitmap::fromData(QSize(hand_width, hand_height), hand_bits, QImage::Format_MonoLSB);
    const QBitmap mask =
        QBitmap::fromData(QSize(hand_mask_width, hand_mask_height), hand_mask_bits, QImage::Format_MonoLSB);
    return QCursor(ink, mask, hand_x_hot, hand_y_hot);
}

} // namespace

AboutWindow::AboutWindow(Shell& shell, QString appPath, const QWidget* mainWindow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint)
    , // a plain border, no title bar
    shell_(shell)
    , appPath_(std::move(appPath))
    , mainWindow_(mainWindow)
{
    setObjectName(names::aboutWindow);
    setWindowTitle(QString());
    setFixedSize(style::twipsSize(4260, 6300));
    style::setColours(this, colour::Black, {});
    setMouseTracking(true);
    buildControls();
    placeCentred();
}

void AboutWindow::showModal(Shell& shell, const QString& appPath, const QWidget* mainWindow)
{
    AboutWindow window(shell, appPath, mainWindow);
    window.exec();
}

void AboutWindow::buildControls()
{
    auto label = [this](const char* name, const QRect& place, const QColor& colour, const QFont& font,
                        const QString& text = {}) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(place);
        label->setFont(font);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        style::setColours(label, {}, colour);
        label->installEventFilter(this);
        return label;
    };

    auto* frame = new QFrame(this);
    frame->setObjectName(names::aboutFrame);
    frame->setGeometry(twipsRect(0, 0, 4260, 6300));
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    style::setColours(frame, {}, colour::White);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);

    const QFont plain = style::defaultFont();
    icon_ = label(names::aboutIcon, twipsRect(349, 180, 480, 480), colour::White, font());
    title_ = label(names::aboutTitle, twipsRect(956, 180, 2955, 375), colour::White,
                   style::font(style::Face::ArialBlack, 12, QFont::Black));
    label(names::aboutMaker, twipsRect(956, 480, 2295, 255), colour::White, plain,
          QStringLiteral("Creado por Quindaro-Software"));
    label(names::aboutLogo, twipsRect(405, 810, 3450, 3435), colour::White, font())
        ->setPixmap(QPixmap(QStringLiteral(":/assets/logo.jpg")));
    label(names::aboutMailCaption, twipsRect(1080, 4365, 735, 255), colour::LightGrey, plain,
          QStringLiteral("Email: "));
    label(names::aboutWebCaption, twipsRect(1095, 4635, 615, 255), colour::LightGrey, plain, QStringLiteral("Web:"));
    // The addresses overlap the blank ends of "Email: " and "Web:", so they
    // come after them and lie on top.
    const QFont address = style::font(style::Face::Arial, 9.75);
    mail_ = label(names::aboutMail, twipsRect(1605, 4350, 1575, 240), colour::LinkBlue, address, kMail);
    web_ = label(names::aboutWeb, twipsRect(1635, 4605, 1485, 240), colour::LinkBlue, address, kWeb);
    QLabel* notice = label(names::aboutNotice, twipsRect(240, 4980, 4185, 1005), colour::LightGrey,
                           style::font(style::Face::Arial, 9), kNotice);
    notice->setWordWrap(true);
    // The label runs past the window's right edge; wrap the text inside it.
    notice->setContentsMargins(0, 0, twips(240 + 4185 - 4260) + 4, 0);
    label(names::aboutCloseHint, twipsRect(2805, 5955, 1320, 210), colour::LightYellow, plain,
          QStringLiteral("[click para cerrar]"))
        ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    const QCursor hand = handCursor();
    for (QLabel* link : {mail_, web_}) {
        // wide enough for the whole address whatever face stands in for Arial
        const int textWidth = link->fontMetrics().horizontalAdvance(link->text()) + 2;
        link->resize(qMax(link->width(), textWidth), link->height());
        link->setCursor(hand);
        link->setMouseTracking(true);
    }
}

void AboutWindow::placeCentred()
{
    QRect area;
    if (mainWindow_ && mainWindow_->isVisible())
        area = mainWindow_->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    QRect place(QPoint(), size());
    place.moveCenter(area.center());
    move(place.topLeft());
}

void AboutWindow::takeTitleAndIcon()
{
    const QString title = mainWindow_ ? mainWindow_->windowTitle() : kDefaultTitle;
    const QIcon icon = mainWindow_ ? mainWindow_->windowIcon() : QApplication::windowIcon();
    title_->setText(title);
    icon_->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(icon_->size()));
    setWindowIcon(icon);
}

bool AboutWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        takeTitleAndIcon();
    return QDialog::event(event);
}

void AboutWindow::showEvent(QShowEvent* event)
{
    // Activation may come late or, off screen, not at all: fill in on showing too.
    takeTitleAndIcon();
    QDialog::showEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = qobject_cast<QLabel*>(watched);
    if (!control || control->parent() != this)
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress: return true; // the click is the control's, not the window's
    case QEvent::MouseButtonDblClick:
        secondClick_ = true; // a double-click opens an address once
        return true;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (std::exchange(secondClick_, false) || mouse->button() != Qt::LeftButton
            || !control->rect().contains(mouse->position().toPoint()))
            return true;
        if (control == mail_)
            openMail();
        else if (control == web_)
            openWeb();
        else
            accept();
        return true;
    }
    case QEvent::MouseMove:
        if (control == mail_ || control == web_) {
            underline(mail_, control == mail_);
            underline(web_, control == web_);
            return true; // not the window's move, which would clear the underline
        }
        break;
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::openMail()
{
    shell_.open(QStringLiteral("mailto:") + mail_->text(), appPath_);
}

void AboutWindow::openWeb()
{
    shell_.open(QStringLiteral("http://") + web_->text(), appPath_);
}

void AboutWindow::underline(QLabel* label, bool on)
{
    QFont font = label->font();
    if (font.underline() == on)
        return;
    font.setUnderline(on);
    label->setFont(font);
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty())
        accept();
    else
        QDialog::keyPressEvent(event);
}

void AboutWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void AboutWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        accept();
}

void AboutWindow::mouseMoveEvent(QMouseEvent* event)
{
    underline(mail_, false);
    underline(web_, false);
    event->accept();
}

} // namespace palitra
