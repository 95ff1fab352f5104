#include "app/Form1.h"

#include "app/FormQuindaro.h"
#include "app/Module1.h"
#include "app/Twips.h"
#include "dictionary/Form3.h"
#include "dictionary/WordListFile.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace palitra {

const QColor Form1::White{255, 255, 255};
const QColor Form1::LightGreen{0, 255, 0};

namespace {

const QColor DarkGreen{0, 128, 0};
const QColor LightYellow{255, 255, 192};
const QColor PaleYellow{255, 255, 128};
const QColor Yellow{255, 255, 0};

void setColours(QWidget* widget, const QColor& back, const QColor& text)
{
    QPalette palette = widget->palette();
    if (back.isValid()) {
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Base, back);
        palette.setColor(QPalette::Button, back);
        widget->setAutoFillBackground(true);
    }
    if (text.isValid()) {
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::ButtonText, text);
    }
    widget->setPalette(palette);
}

template <typename Widget>
Widget* placed(QWidget* parent, const QString& name, const QRect& place)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(place);
    return widget;
}

QString arrayName(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

} // namespace

Form1::Form1(Module1& module, Platform platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint)
    , module_(module)
    , platform_(platform)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Palitra 1.2"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/palitra.png")));
    buildControls();
    buildMenus();
    setFixedSize(sizeHint());
}

void Form1::paintTile(QPushButton* tile, const QColor& colour)
{
    QPalette palette = tile->palette();
    palette.setColor(QPalette::Button, colour);
    tile->setPalette(palette);
}

QColor Form1::tileColour(const QPushButton* tile)
{
    return tile->palette().color(QPalette::Button);
}

void Form1::buildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsSize(7575, 4185));
    setCentralWidget(client);

    Shape1 = placed<QFrame>(client, QStringLiteral("Shape1"), twipsRect(120, 120, 7370, 3975));
    setColours(Shape1, DarkGreen, {});
    Shape2 = placed<QFrame>(client, QStringLiteral("Shape2"), twipsRect(240, 240, 3735, 3735));
    setColours(Shape2, Qt::black, {});

    const QFont tileFont = nearestFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                        QStringLiteral("DejaVu Sans")},
                                       24.0, true);
    for (int i = 0; i < TileCount; ++i) {
        auto* tile = placed<QPushButton>(client, arrayName("Command1", i),
                                         twipsRect(360 + (i % 5) * 720, 360 + (i / 5) * 720, 615, 615));
        tile->setFont(tileFont);
        tile->setFocusPolicy(Qt::TabFocus);
        setColours(tile, White, Qt::black);
        connect(tile, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1[i] = tile;
    }

    Command2 = placed<QPushButton>(client, QStringLiteral("Command2"), twipsRect(4080, 240, 1335, 495));
    Command2->setText(QStringLiteral("Empezar"));
    Command2->setDefault(true);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);

    const std::array<QString, 2> arrowIcons{QStringLiteral(":/assets/back.png"), QStringLiteral(":/assets/clear.png")};
    const std::array<QString, 2> arrowTips{QStringLiteral("Quitar la última letra"),
                                           QStringLiteral("Borrar la palabra")};
    for (int i = 0; i < 2; ++i) {
        auto* button = placed<QPushButton>(client, arrayName("Command4", i), twipsRect(4200 + i * 600, 840, 495, 375));
        button->setIcon(QIcon(arrowIcons[i]));
        button->setIconSize(button->size() - QSize(8, 6));
        button->setToolTip(arrowTips[i]);
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, i] { Command4_Click(i); });
        Command4[i] = button;
    }

    Label1 = placed<QLabel>(client, QStringLiteral("Label1"), twipsRect(5640, 720, 1695, 495));
    setColours(Label1, Qt::black, LightGreen);
    Label1->setFont(nearestFont({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                                 QStringLiteral("DejaVu Sans Mono")},
                                21.75, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFrameStyle(QFrame::Box | QFrame::Plain);

    Label3 = placed<QLabel>(client, QStringLiteral("Label3"), twipsRect(4080, 1320, 3255, 375));
    setColours(Label3, LightYellow, Qt::black);
    Label3->setFont(nearestFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                 QStringLiteral("DejaVu Sans")},
                                12.0, true));

    Label4 = placed<QLabel>(client, QStringLiteral("Label4"), twipsRect(5760, 2520, 1575, 975));
    setColours(Label4, DarkGreen, Yellow);
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const std::array<QString, 2> scoreNames{QStringLiteral("JUGADOR:"), QStringLiteral("ORDENADOR:")};
    const std::array<QRect, 2> scoreNamePlaces{twipsRect(5880, 240, 855, 255), twipsRect(5640, 480, 1095, 255)};
    const QFont scoreFont = nearestFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                         QStringLiteral("DejaVu Sans")},
                                        9.75, true);
    for (int i = 0; i < 2; ++i) {
        // Right-aligned names grow leftwards when the installed font is wider than the drawing's.
        QRect namePlace = scoreNamePlaces[i];
        namePlace.setLeft(std::min(namePlace.left(),
                                   namePlace.right() - client->fontMetrics().horizontalAdvance(scoreNames[i]) - 2));
        Label5[i] = placed<QLabel>(client, arrayName("Label5", i), namePlace);
        Label5[i]->setText(scoreNames[i]);
        Label5[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setColours(Label5[i], DarkGreen, PaleYellow);

        Label2[i] = placed<QLabel>(client, arrayName("Label2", i), twipsRect(6840, 240 + i * 240, 615, 255));
        Label2[i]->setFont(scoreFont);
        setColours(Label2[i], DarkGreen, Yellow);
    }

    List1 = placed<QListWidget>(client, QStringLiteral("List1"), twipsRect(4080, 1920, 1575, 2010));
    setColours(List1, LightYellow, Qt::black);
    List2 = placed<QListWidget>(client, QStringLiteral("List2"), twipsRect(5760, 1920, 1575, 2010));
    connect(List2, &QListWidget::itemClicked, this, &Form1::List2_Click);
    connect(List2, &QListWidget::currentRowChanged, this, &Form1::List2_Click);
    List3 = placed<QListWidget>(client, QStringLiteral("List3"), twipsRect(6000, 2880, 855, 645));
    List3->setVisible(false);
    List3->setAttribute(Qt::WA_DontShowOnScreen);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
}

void Form1::buildMenus()
{
    MnuGame = menuBar()->addMenu(QStringLiteral("&Juego"));
    MnuGame->setObjectName(QStringLiteral("MnuGame"));
    MnuNew = MnuGame->addAction(QStringLiteral("&Nuevo"));
    MnuNew->setObjectName(QStringLiteral("MnuNew"));
    MnuNew->setShortcut(Qt::Key_F2);
    connect(MnuNew, &QAction::triggered, this, &Form1::MnuNew_Click);

    MnuHelpp = menuBar()->addMenu(QStringLiteral("&Ayuda"));
    MnuHelpp->setObjectName(QStringLiteral("MnuHelpp"));
    MnuHow = MnuHelpp->addAction(QStringLiteral("&Como Jugar"));
    MnuHow->setObjectName(QStringLiteral("MnuHow"));
    connect(MnuHow, &QAction::triggered, this, &Form1::MnuHow_Click);
    MnuInfo = MnuHelpp->addAction(QStringLiteral("Acerca &de..."));
    MnuInfo->setObjectName(QStringLiteral("MnuInfo"));
    connect(MnuInfo, &QAction::triggered, this, &Form1::MnuInfo_Click);
}

bool Form1::Form_Load(const QString& programFolder)
{
    module_.appPath = programFolder;
    FormQuindaro::fShow(platform_.shell, module_.appPath, nullptr);
    module_.dictionaryChanged = false;

    Form3 loading(module_, windowTitle());
    loading.exec();
    if (!loading.loaded()) {
        platform_.prompts.error(loading.errorMessage());
        exitStatus_ = 1;
        return false;
    }

    ResetBoard();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place = frameGeometry();
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
    return true;
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    Timer1->stop();
    Timer2->stop();
    if (module_.dictionaryChanged
        && platform_.prompts.ask(QStringLiteral("¿Quieres guardar las modificaciones del diccionario?"))) {
        QString error;
        if (!WordListFile::write(module_.wordListPath(), module_.dictionary, &error)) {
            platform_.prompts.error(error);
            exitStatus_ = 1;
        }
    }
}

void Form1::MnuHow_Click()
{
    platform_.shell.open(QStringLiteral("Instrucciones.htm"), module_.appPath);
}

void Form1::MnuInfo_Click()
{
    FormQuindaro::fShow(platform_.shell, module_.appPath, this);
}

} // namespace palitra
