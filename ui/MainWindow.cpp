#include "ui/MainWindow.h"

#include "core/game/Game.h"
#include "core/game/Typing.h"
#include "ui/AboutWindow.h"
#include "ui/BoardWordsWindow.h"
#include "ui/ControlNames.h"
#include "ui/OptionsDialog.h"
#include "ui/StatisticsWindow.h"
#include "ui/Style.h"
#include "ui/Texts.h"
#include "ui/ValidationWindow.h"
#include "ui/Version.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

namespace palitra {

using style::twipsRect;
namespace colour = style::colour;

namespace {

template <typename Widget>
Widget* placed(QWidget* parent, const QString& name, const QRect& place)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(place);
    return widget;
}

void paintTile(QPushButton* tile, const QColor& colour)
{
    QPalette palette = tile->palette();
    palette.setColor(QPalette::Button, colour);
    tile->setPalette(palette);
}

// Makes `list` show `entries`. Entries are only ever appended, rewritten in
// place or emptied all together, so the selection survives a refresh.
void showEntries(QListWidget* list, const QStringList& entries)
{
    const QSignalBlocker quiet(list);
    if (entries.size() < list->count())
        list->clear();
    for (int i = 0; i < entries.size(); ++i) {
        if (i == list->count())
            list->addItem(entries[i]);
        else if (list->item(i)->text() != entries[i])
            list->item(i)->setText(entries[i]);
    }
}

} // namespace

MainWindow::MainWindow(Game& game, Platform platform, QString programFolder, QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , game_(game)
    , platform_(platform)
    , programFolder_(std::move(programFolder))
{
    setObjectName(names::mainWindow);
    setWindowTitle(QString::fromLatin1(version::caption));
    setWindowIcon(QIcon(QStringLiteral(":/assets/palitra.png")));
    buildControls();
    buildMenus();
    setFixedSize(sizeHint());
    // Keys reach the game first, whichever control has the focus.
    for (QWidget* control : centralWidget()->findChildren<QWidget*>())
        control->installEventFilter(this);
    render();
    placeCentred();
}

void MainWindow::buildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(style::twipsSize(7575, 4185));
    setCentralWidget(client);

    style::setColours(placed<QFrame>(client, names::panel, twipsRect(120, 120, 7370, 3975)), colour::DarkGreen, {});
    style::setColours(placed<QFrame>(client, names::boardBack, twipsRect(240, 240, 3735, 3735)), colour::Black, {});

    const QFont tileFont = style::font(style::Face::Sans, 24.0, QFont::Bold);
    for (int cell = 0; cell < CellCount; ++cell) {
        QPushButton* tile = placed<QPushButton>(
            client, names::tile(cell), twipsRect(360 + cell % BoardSide * 720, 360 + cell / BoardSide * 720, 615, 615));
        tile->setFont(tileFont);
        tile->setFocusPolicy(Qt::TabFocus);
        style::setColours(tile, colour::White, colour::Black);
        connect(tile, &QPushButton::clicked, this, [this, cell] { play([this, cell] { game_.pressTile(cell); }); });
        tiles_[cell] = tile;
    }

    actionButton_ = placed<QPushButton>(client, names::actionButton, twipsRect(4080, 240, 1335, 495));
    actionButton_->setText(QStringLiteral("Empezar"));
    actionButton_->setDefault(true);
    connect(actionButton_, &QPushButton::clicked, this, [this] { play([this] { game_.pressAction(); }); });

    takeBackButton_ = placed<QPushButton>(client, names::takeBackButton, twipsRect(4200, 840, 495, 375));
    takeBackButton_->setIcon(QIcon(QStringLiteral(":/assets/back.png")));
    takeBackButton_->setToolTip(QStringLiteral("Quitar la última letra"));
    connect(takeBackButton_, &QPushButton::clicked, this, [this] { play([this] { game_.takeBackLetter(); }); });
    clearButton_ = placed<QPushButton>(client, names::clearButton, twipsRect(4800, 840, 495, 375));
    clearButton_->setIcon(QIcon(QStringLiteral(":/assets/clear.png")));
    clearButton_->setToolTip(QStringLiteral("Borrar la palabra"));
    connect(clearButton_, &QPushButton::clicked, this, [this] { play([this] { game_.clearWord(); }); });
    for (QPushButton* button : {takeBackButton_, clearButton_}) {
        button->setIconSize(button->size() - QSize(8, 6));
        button->setFocusPolicy(Qt::TabFocus);
    }

    clockLabel_ = placed<QLabel>(client, names::clockLabel, twipsRect(5640, 720, 1695, 495));
    style::setColours(clockLabel_, colour::Black, colour::LightGreen);
    clockLabel_->setFont(style::font(style::Face::Mono, 21.75, QFont::Bold));
    clockLabel_->setAlignment(Qt::AlignCenter);
    clockLabel_->setFrameStyle(QFrame::Box | QFrame::Plain);

    wordLabel_ = placed<QLabel>(client, names::wordLabel, twipsRect(4080, 1320, 3255, 375));
    style::setColours(wordLabel_, colour::LightYellow, colour::Black);
    wordLabel_->setFont(style::font(style::Face::Sans, 12.0, QFont::Bold));

    messageLabel_ = placed<QLabel>(client, names::messageLabel, twipsRect(5760, 2520, 1575, 975));
    style::setColours(messageLabel_, colour::DarkGreen, colour::Yellow);
    messageLabel_->setWordWrap(true);
    messageLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const QFont scoreFont = style::font(style::Face::Sans, 9.75, QFont::Bold);
    const auto scoreLine = [&](const char* nameOfName, const QString& name, QRect namePlace, const char* nameOfScore,
                               int top) {
        // Right-aligned names grow leftwards when the installed font is wider than the drawing's.
        namePlace.setLeft(
            std::min(namePlace.left(), namePlace.right() - client->fontMetrics().horizontalAdvance(name) - 2));
        QLabel* nameLabel = placed<QLabel>(client, nameOfName, namePlace);
        nameLabel->setText(name);
        nameLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        style::setColours(nameLabel, colour::DarkGreen, colour::PaleYellow);
        QLabel* score = placed<QLabel>(client, nameOfScore, twipsRect(6840, top, 615, 255));
        score->setFont(scoreFont);
        style::setColours(score, colour::DarkGreen, colour::Yellow);
        return score;
    };
    playerScoreLabel_ = scoreLine(names::playerNameLabel, QStringLiteral("JUGADOR:"), twipsRect(5880, 240, 855, 255),
                                  names::playerScoreLabel, 240);
    computerScoreLabel_ = scoreLine(names::computerNameLabel, QStringLiteral("ORDENADOR:"),
                                    twipsRect(5640, 480, 1095, 255), names::computerScoreLabel, 480);

    playerWords_ = placed<QListWidget>(client, names::playerWordsList, twipsRect(4080, 1920, 1575, 2010));
    style::setColours(playerWords_, colour::LightYellow, colour::Black);
    computerWords_ = placed<QListWidget>(client, names::computerWordsList, twipsRect(5760, 1920, 1575, 2010));
    connect(computerWords_, &QListWidget::itemClicked, this, &MainWindow::computerWordSelected);
    connect(computerWords_, &QListWidget::currentRowChanged, this, &MainWindow::computerWordSelected);
    computerPaths_ = placed<QListWidget>(client, names::computerPathsList, twipsRect(6000, 2880, 855, 645));
    computerPaths_->setVisible(false);
    computerPaths_->setAttribute(Qt::WA_DontShowOnScreen);

    dealTimer_ = new QTimer(this);
    dealTimer_->setObjectName(names::dealTimer);
    dealTimer_->setInterval(1);
    dealTimer_->setTimerType(Qt::PreciseTimer);
    connect(dealTimer_, &QTimer::timeout, this, &MainWindow::dealTick);
    roundTimer_ = new QTimer(this);
    roundTimer_->setObjectName(names::roundTimer);
    connect(roundTimer_, &QTimer::timeout, this, &MainWindow::roundTick);
}

void MainWindow::buildMenus()
{
    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("&Juego"));
    gameMenu->setObjectName(names::gameMenu);
    newGameAction_ = gameMenu->addAction(QStringLiteral("&Nuevo"));
    newGameAction_->setObjectName(names::newGameAction);
    newGameAction_->setShortcut(Qt::Key_F2);
    connect(newGameAction_, &QAction::triggered, this, [this] {
        play([this] { game_.chooseNewGame(); });
        if (game_.phase() == Phase::NoGame)
            actionButton_->setFocus();
    });
    buildKnowsAllAction(gameMenu);

    gameMenu->addSeparator();
    pauseAction_ = gameMenu->addAction(QStringLiteral("&Pausa"));
    pauseAction_->setObjectName(names::pauseAction);
    pauseAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_P), QKeySequence(Qt::Key_Pause)});
    connect(pauseAction_, &QAction::triggered, this, [this] { play([this] { game_.togglePause(); }); });
    boardWordsAction_ = gameMenu->addAction(QStringLiteral("Palabras del &tablero"));
    boardWordsAction_->setObjectName(names::boardWordsAction);
    boardWordsAction_->setShortcut(Qt::Key_F4);
    connect(boardWordsAction_, &QAction::triggered, this, [this] { play([this] { game_.openBoardWords(); }); });
    statisticsAction_ = gameMenu->addAction(QStringLiteral("&Estadísticas"));
    statisticsAction_->setObjectName(names::statisticsAction);
    connect(statisticsAction_, &QAction::triggered, this, [this] { play([this] { game_.openStatistics(); }); });

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Ayuda"));
    helpMenu->setObjectName(names::helpMenu);
    howToPlayAction_ = helpMenu->addAction(QStringLiteral("&Como Jugar"));
    howToPlayAction_->setObjectName(names::howToPlayAction);
    connect(howToPlayAction_, &QAction::triggered, this, &MainWindow::howToPlayChosen);
    aboutAction_ = helpMenu->addAction(QStringLiteral("Acerca &de..."));
    aboutAction_->setObjectName(names::aboutAction);
    connect(aboutAction_, &QAction::triggered, this, [this] { play([this] { game_.openAbout(); }); });
}

// Checked, every level walks the whole list; remembered between runs. Without
// common words it is checked and greyed.
void MainWindow::buildKnowsAllAction(QMenu* gameMenu)
{
    knowsAllAction_ = gameMenu->addAction(QStringLiteral("El ordenador conoce todas las palabras"));
    knowsAllAction_->setObjectName(names::knowsAllAction);
    knowsAllAction_->setCheckable(true);
    const QString key = QStringLiteral("computerKnowsAll");
    QSettings settings(QStringLiteral("Palitra"), QStringLiteral("Palitra"));
    game_.setComputerKnowsAll(settings.value(key, false).toBool());
    knowsAllAction_->setChecked(game_.computerKnowsAll() || !game_.hasCommonWords());
    knowsAllAction_->setEnabled(game_.hasCommonWords());
    connect(knowsAllAction_, &QAction::toggled, this, [this, key](bool all) {
        game_.setComputerKnowsAll(all);
        QSettings(QStringLiteral("Palitra"), QStringLiteral("Palitra")).setValue(key, all);
    });
}

void MainWindow::placeCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place = frameGeometry();
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
}

// The timers stop while the player is asked whether to save; a window that
// stays open goes on where it was.
void MainWindow::closeEvent(QCloseEvent* event)
{
    dealTimer_->stop();
    roundTimer_->stop();
    if (mayClose_()) {
        game_.quit();
        event->accept();
        return;
    }
    event->ignore();
    renderTimers();
}

// A round pauses by itself when the window is minimized.
void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        play([this] { game_.pause(); });
}

void MainWindow::play(const std::function<void()>& command)
{
    command();
    showPrompts();
    render();
}

void MainWindow::showPrompts()
{
    if (showingPrompts_)
        return;
    showingPrompts_ = true;
    while (game_.prompt() != Prompt::None) {
        render();
        showPrompt(game_.prompt());
    }
    showingPrompts_ = false;
}

void MainWindow::showPrompt(Prompt prompt)
{
    Prompts& prompts = platform_.prompts;
    switch (prompt) {
    case Prompt::None: break;
    case Prompt::ChooseOptions: {
        GameOptions options = game_.options();
        OptionsDialog dialog(options, prompts, this);
        dialog.exec();
        game_.answerOptions(options);
        break;
    }
    case Prompt::AddUnknownWord: game_.answer(prompts.ask(texts::unknownWordQuestion(game_.unknownWord()))); break;
    case Prompt::StartOver: game_.answer(prompts.ask(texts::startOverQuestion())); break;
    case Prompt::TimeUp:
        prompts.inform(texts::timeUp());
        game_.answer();
        break;
    case Prompt::ValidateWords: {
        ValidationWindow validation(game_, prompts, this);
        connect(&validation, &ValidationWindow::wordStruck, this, &MainWindow::renderComputerWords);
        validation.exec();
        game_.answer();
        break;
    }
    case Prompt::Winner:
        prompts.inform(texts::winner(game_.winner().value_or(Winner::Computer)));
        game_.answer();
        break;
    case Prompt::About:
        AboutWindow::showModal(platform_.shell, programFolder_, this);
        game_.answer();
        break;
    case Prompt::BoardWords: {
        BoardWordsWindow review(game_.boardWords(), this);
        connect(&review, &BoardWordsWindow::wordChosen, this, [this](int index) {
            game_.showBoardWordPath(index);
            renderBoard();
        });
        review.exec();
        game_.answer();
        break;
    }
    case Prompt::Statistics:
        StatisticsWindow::showModal(game_.record(), prompts, this);
        game_.answer();
        break;
    }
}

void MainWindow::computerWordSelected()
{
    game_.showComputerPath(computerWords_->currentRow());
    renderBoard();
}

void MainWindow::howToPlayChosen()
{
    platform_.shell.open(QStringLiteral("Instrucciones.htm"), programFolder_);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (!keyPressed(*event))
        QMainWindow::keyPressEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && keyPressed(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// During a round a letter extends the word, Backspace takes a letter back,
// Escape clears the word and Return hands it in; other keys are the controls'.
bool MainWindow::keyPressed(const QKeyEvent& key)
{
    if (game_.phase() != Phase::Round || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    switch (key.key()) {
    case Qt::Key_Backspace: play([this] { game_.takeBackLetter(); }); return true;
    case Qt::Key_Escape: play([this] { game_.clearWord(); }); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: play([this] { game_.pressAction(); }); return true;
    default: break;
    }
    const QString text = key.text();
    const char letter = text.size() == 1 ? typedLetter(text.front().unicode()) : 0;
    if (letter == 0)
        return false;
    play([this, letter] { game_.typeLetter(letter); });
    return true;
}

// A deal on every tick; the tiles show one deal a screen frame, which is all
// the eye takes in, so that the shuffle does not keep a processor busy.
void MainWindow::dealTick()
{
    game_.dealTick();
    const double now = platform_.clock.seconds();
    if (now - boardShownAt_ < FrameSeconds)
        return;
    boardShownAt_ = now;
    renderLetters(); // nothing else changes from one deal to the next
}

void MainWindow::roundTick()
{
    const RoundTick tick = game_.roundTick();
    if (tick.clockChanged)
        renderClock();
    if (tick.wordFound)
        renderComputerWords();
    if (tick.timeUp)
        renderTimers();
    else if (roundTimer_->isActive() && roundTimer_->interval() != game_.roundTimerInterval())
        roundTimer_->setInterval(game_.roundTimerInterval()); // a Difícil walk done: the clock alone

    if (game_.prompt() != Prompt::None) {
        showPrompts();
        render();
    }
}

void MainWindow::render()
{
    renderBoard();
    renderLabels();
    renderComputerWords();
    renderTimers();
    renderMenus();
}

void MainWindow::renderMenus()
{
    pauseAction_->setEnabled(game_.canPause());
    boardWordsAction_->setEnabled(game_.canReviewBoard());
}

void MainWindow::renderBoard()
{
    renderLetters();
    for (int cell = 0; cell < CellCount; ++cell) {
        paintTile(tiles_[cell], game_.tileLit(cell) ? colour::LightGreen : colour::White);
        tiles_[cell]->setEnabled(game_.tilesEnabled());
    }
}

void MainWindow::renderLetters()
{
    for (int cell = 0; cell < CellCount; ++cell) {
        const char letter = game_.lettersShown() ? game_.board()[cell] : 0;
        tiles_[cell]->setText(letter == 0 ? QString() : QString(QChar::fromLatin1(letter)));
    }
}

void MainWindow::renderLabels()
{
    actionButton_->setText(texts::caption(game_.phase()));
    actionButton_->setEnabled(game_.actionEnabled());
    wordLabel_->setText(game_.lettersShown() ? texts::word(game_.playerWord()) : QString());
    messageLabel_->setText(texts::notice(game_.notice()));
    playerScoreLabel_->setText(QString::number(game_.playerScore()));
    computerScoreLabel_->setText(QString::number(game_.computerScore()));
    renderClock();
    QStringList words;
    for (const std::string& word : game_.playerWords())
        words << texts::word(word);
    showEntries(playerWords_, words);
}

void MainWindow::renderClock()
{
    const std::optional<int> seconds = game_.secondsShown();
    clockLabel_->setText(seconds ? QString::number(*seconds) : QString());
}

void MainWindow::renderComputerWords()
{
    QStringList words;
    QStringList paths;
    for (const ComputerWord& found : game_.computerWords()) {
        words << texts::computerEntry(found);
        paths << texts::pathText(found.path);
    }
    showEntries(computerWords_, words);
    showEntries(computerPaths_, paths);
    computerWords_->setVisible(game_.computerWordsShown());
}

void MainWindow::renderTimers()
{
    if (game_.shuffling() != dealTimer_->isActive())
        game_.shuffling() ? dealTimer_->start() : dealTimer_->stop();
    if (game_.roundClockRunning() == roundTimer_->isActive())
        return;
    if (!game_.roundClockRunning()) {
        roundTimer_->stop();
        return;
    }
    roundTimer_->setInterval(game_.roundTimerInterval());
    roundTimer_->setTimerType(game_.computerStepInterval() == 1 ? Qt::PreciseTimer : Qt::CoarseTimer);
    roundTimer_->start();
}

} // namespace palitra
