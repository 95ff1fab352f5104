#include "app/FormQuindaro.h"

#include "app/Platform.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {
// The pointing hand is kept in the program itself, so the links show it even
// where the resources are not linked in.
#include "assets/hand.xbm"
#include "assets/hand_mask.xbm"
} // namespace

namespace palitra {

namespace {

const QString kMail = QStringLiteral("palitra@quindaro.example");
const QString kWeb = QStringLiteral("www.quindaro.example");
const QString kDefaultTitle = QStringLiteral("Palitra 1.2");

// One line each, so that no line breaks inside the licence's name.
const QString kNotice = QStringLiteral(
    "Palitra versión 1.2. Software libre, sin garantía.\n"
    "Licencia: GPL-3.0-or-later.\n"
    "Lista de palabras tomada del diccionario\n"
    "hunspell-es (proyecto RLA-ES).");

const QColor kWhite(255, 255, 255);
const QColor kLightGrey(192, 192, 192);
const QColor kLinkBlue(51, 153, 255);
const QColor kLightYellow(255, 255, 192);

// Places are given in twips; the screen has 15 of them to a pixel.
int px(int twips) { return qRound(twips / 15.0); }

QRect twipsRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

QFont faceFont(const QStringList& families, qreal points, QFont::Weight weight = QFont::Normal)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QFont arialFont(qreal points)
{
    return faceFont({"Arial", "Liberation Sans", "DejaVu Sans"}, points);
}

// The labels without a face of their own use the classic dialog font.
QFont dialogFont()
{
    return faceFont({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"}, 8.25);
}

QCursor handCursor()
{
    const QBitmap ink = QBitmap::fromData(QSize(hand_width, hand_height), hand_bits, QImage::Format_MonoLSB);
    const QBitmap mask = QBitmap::fromData(QSize(hand_mask_width, hand_mask_height), hand_mask_bits,
                                           QImage::Format_MonoLSB);
    return QCursor(ink, mask, hand_x_hot, hand_y_hot);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

FormQuindaro::FormQuindaro(Shell& shell, QString appPath, const QWidget* mainWindow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint), // a plain border, no title bar
      shell_(shell),
      appPath_(std::move(appPath)),
      mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("FormQuindaro"));
    setWindowTitle(QString());
    setFixedSize(px(4260), px(6300));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    setMouseTracking(true);
    buildControls();
    placeCentred();
}

void FormQuindaro::fShow(Shell& shell, const QString& appPath, const QWidget* mainWindow)
{
    FormQuindaro window(shell, appPath, mainWindow);
    window.exec();
}

void FormQuindaro::buildControls()
{
    auto label = [this](QLabel*& member, const char* name, const QRect& place, const QColor& colour,
                        const QFont& font, const QString& text = {}) {
        member = new QLabel(text, this);
        member->setObjectName(QString::fromLatin1(name));
        member->setGeometry(place);
        member->setFont(font);
        member->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColour(member, colour);
        member->installEventFilter(this);
    };

    shpMarco = new QFrame(this);
    shpMarco->setObjectName(QStringLiteral("shpMarco"));
    shpMarco->setGeometry(twipsRect(0, 0, 4260, 6300));
    shpMarco->setFrameStyle(QFrame::Box | QFrame::Plain);
    shpMarco->setLineWidth(1);
    setTextColour(shpMarco, kWhite);
    shpMarco->setAttribute(Qt::WA_TransparentForMouseEvents);

    label(imgIcono, "imgIcono", twipsRect(349, 180, 480, 480), kWhite, font());
    label(lblTitulo, "lblTitulo", twipsRect(956, 180, 2955, 375), kWhite,
          faceFont({"Arial Black", "Liberation Sans", "DejaVu Sans"}, 12, QFont::Black));
    label(lblCreadoPor, "lblCreadoPor", twipsRect(956, 480, 2295, 255), kWhite, dialogFont(),
          QStringLiteral("Creado por Quindaro-Software"));
    label(imgLogo, "imgLogo", twipsRect(405, 810, 3450, 3435), kWhite, font());
    imgLogo->setPixmap(QPixmap(QStringLiteral(":/assets/logo.jpg")));
    label(lblTexEmail, "lblTexEmail", twipsRect(1080, 4365, 735, 255), kLightGrey, dialogFont(),
          QStringLiteral("Email: "));
    label(lblTexWeb, "lblTexWeb", twipsRect(1095, 4635, 615, 255), kLightGrey, dialogFont(),
          QStringLiteral("Web:"));
    // The addresses overlap the blank ends of "Email: " and "Web:", so they
    // come after them and lie on top.
    label(lblMail, "lblMail", twipsRect(1605, 4350, 1575, 240), kLinkBlue, arialFont(9.75), kMail);
    label(lblURL, "lblURL", twipsRect(1635, 4605, 1485, 240), kLinkBlue, arialFont(9.75), kWeb);
    label(lblTexto, "lblTexto", twipsRect(240, 4980, 4185, 1005), kLightGrey, arialFont(9), kNotice);
    lblTexto->setWordWrap(true);
    // The label runs past the window's right edge; wrap the text inside it.
    lblTexto->setContentsMargins(0, 0, px(240 + 4185 - 4260) + 4, 0);
    label(lblClick, "lblClick", twipsRect(2805, 5955, 1320, 210), kLightYellow, dialogFont(),
          QStringLiteral("[click para cerrar]"));
    lblClick->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    const QCursor hand = handCursor();
    for (QLabel* link : {lblMail, lblURL}) {
        // wide enough for the whole address whatever face stands in for Arial
        const int textWidth = link->fontMetrics().horizontalAdvance(link->text()) + 2;
        link->resize(qMax(link->width(), textWidth), link->height());
        link->setCursor(hand);
        link->setMouseTracking(true);
    }
}

void FormQuindaro::placeCentred()
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

void FormQuindaro::formActivate()
{
    const QString title = mainWindow_ ? mainWindow_->windowTitle() : kDefaultTitle;
    const QIcon icon = mainWindow_ ? mainWindow_->windowIcon() : QApplication::windowIcon();
    lblTitulo->setText(title);
    imgIcono->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(imgIcono->size()));
    setWindowIcon(icon);
}

bool FormQuindaro::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        formActivate();
    return QDialog::event(event);
}

void FormQuindaro::showEvent(QShowEvent* event)
{
    // Activation may come late or, off screen, not at all: fill in on showing too.
    formActivate();
    QDialog::showEvent(event);
}

bool FormQuindaro::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = qobject_cast<QLabel*>(watched);
    if (!control || control->parent() != this)
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true; // the click is the control's, not the window's
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !control->rect().contains(mouse->position().toPoint()))
            return true;
        if (control == lblMail)
            lblMailClick();
        else if (control == lblURL)
            lblURLClick();
        else
            accept();
        return true;
    }
    case QEvent::MouseMove:
        if (control == lblMail || control == lblURL) {
            underline(lblMail, control == lblMail);
            underline(lblURL, control == lblURL);
            return true; // not the window's move, which would clear the underline
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void FormQuindaro::lblMailClick()
{
    shell_.open(QStringLiteral("mailto:") + lblMail->text(), appPath_);
}

void FormQuindaro::lblURLClick()
{
    shell_.open(QStringLiteral("http://") + lblURL->text(), appPath_);
}

void FormQuindaro::underline(QLabel* label, bool on)
{
    QFont font = label->font();
    if (font.underline() == on)
        return;
    font.setUnderline(on);
    label->setFont(font);
}

void FormQuindaro::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty())
        accept();
    else
        QDialog::keyPressEvent(event);
}

void FormQuindaro::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void FormQuindaro::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        accept();
}

void FormQuindaro::mouseMoveEvent(QMouseEvent* event)
{
    underline(lblMail, false);
    underline(lblURL, false);
    event->accept();
}

} // namespace palitra
