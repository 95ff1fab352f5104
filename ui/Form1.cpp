#include "ui/Form1.h"

#include "core/dictionary/DictionaryStore.h"
#include "core/game/Game.h"
#include "core/game/Typing.h"
#include "core/opponent/PathText.h"
#include "ui/ControlNames.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Form4.h"
#include "ui/FormQuindaro.h"
#include "ui/Style.h"
#include "ui/Texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardPaths>
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

Form1::Form1(Game& game, DictionaryStore& words, Platform platform, QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , game_(game)
    , words_(words)
    , platform_(platform)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Palitra 1.2"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/palitra.png")));
    buildControls();
    buildMenus();
    setFixedSize(sizeHint());
    // Keys reach the game first, whichever control has the focus.
    for (QWidget* control : centralWidget()->findChildren<QWidget*>())
        control->installEventFilter(this);
}

void Form1::buildControls()
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
        connect(tile, &QPushButton::clicked, this, [this, cell] { tilePressed(cell); });
        tiles_[cell] = tile;
    }

    actionButton_ = placed<QPushButton>(client, names::actionButton, twipsRect(4080, 240, 1335, 495));
    actionButton_->setText(QStringLiteral("Empezar"));
    actionButton_->setDefault(true);
    connect(actionButton_, &QPushButton::clicked, this, &Form1::actionPressed);

    takeBackButton_ = placed<QPushButton>(client, names::takeBackButton, twipsRect(4200, 840, 495, 375));
    takeBackButton_->setIcon(QIcon(QStringLiteral(":/assets/back.png")));
    takeBackButton_->setToolTip(QStringLiteral("Quitar la última letra"));
    connect(takeBackButton_, &QPushButton::clicked, this, &Form1::takeBackPressed);
    clearButton_ = placed<QPushButton>(client, names::clearButton, twipsRect(4800, 840, 495, 375));
    clearButton_->setIcon(QIcon(QStringLiteral(":/assets/clear.png")));
    clearButton_->setToolTip(QStringLiteral("Borrar la palabra"));
    connect(clearButton_, &QPushButton::clicked, this, &Form1::clearPressed);
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
    connect(computerWords_, &QListWidget::itemClicked, this, &Form1::computerWordSelected);
    connect(computerWords_, &QListWidget::currentRowChanged, this, &Form1::computerWordSelected);
    computerPaths_ = placed<QListWidget>(client, names::computerPathsList, twipsRect(6000, 2880, 855, 645));
    computerPaths_->setVisible(false);
    computerPaths_->setAttribute(Qt::WA_DontShowOnScreen);

    dealTimer_ = new QTimer(this);
    dealTimer_->setObjectName(names::dealTimer);
    dealTimer_->setInterval(1);
    dealTimer_->setTimerType(Qt::PreciseTimer);
    connect(dealTimer_, &QTimer::timeout, this, &Form1::dealTick);
    roundTimer_ = new QTimer(this);
    roundTimer_->setObjectName(names::roundTimer);
    connect(roundTimer_, &QTimer::timeout, this, &Form1::roundTick);
}

void Form1::buildMenus()
{
    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("&Juego"));
    gameMenu->setObjectName(names::gameMenu);
    newGameAction_ = gameMenu->addAction(QStringLiteral("&Nuevo"));
    newGameAction_->setObjectName(names::newGameAction);
    newGameAction_->setShortcut(Qt::Key_F2);
    connect(newGameAction_, &QAction::triggered, this, &Form1::newGameChosen);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Ayuda"));
    helpMenu->setObjectName(names::helpMenu);
    howToPlayAction_ = helpMenu->addAction(QStringLiteral("&Como Jugar"));
    howToPlayAction_->setObjectName(names::howToPlayAction);
    connect(howToPlayAction_, &QAction::triggered, this, &Form1::howToPlayChosen);
    aboutAction_ = helpMenu->addAction(QStringLiteral("Acerca &de..."));
    aboutAction_->setObjectName(names::aboutAction);
    connect(aboutAction_, &QAction::triggered, this, &Form1::aboutChosen);
}

bool Form1::start(const QString& programFolder)
{
    programFolder_ = programFolder;
    FormQuindaro::showModal(platform_.shell, programFolder_, nullptr);

    // The user's own copy of the list, where a list that cannot be written beside the program is saved.
    const QString userCopy = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    Form3 loading(words_, QDir(programFolder_).filePath(QStringLiteral("Palitra.pal")),
                  userCopy.isEmpty() ? QString() : QDir(userCopy).filePath(QStringLiteral("Palitra.pal")),
                  windowTitle());
    loading.exec();
    if (const auto problem = loading.problem()) {
        platform_.prompts.error(texts::problem(*problem));
        exitStatus_ = 1;
        return false;
    }
    if (const auto& aside = words_.setAside())
        platform_.prompts.warn(texts::setAside(*aside));

    game_.reset();
    render();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place = frameGeometry();
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
    return true;
}

void Form1::closeEvent(QCloseEvent* event)
{
    dealTimer_->stop();
    roundTimer_->stop();
    saveChangedWords();
    event->accept();
}

void Form1::saveChangedWords()
{
    if (!words_.changed() || !platform_.prompts.ask(texts::saveQuestion()))
        return;
    if (const auto problem = words_.save()) {
        platform_.prompts.error(texts::problem(*problem));
        exitStatus_ = 1;
    }
}

void Form1::tilePressed(int cell)
{
    game_.pressTile(cell);
    render();
}

void Form1::takeBackPressed()
{
    game_.takeBackLetter();
    render();
}

void Form1::clearPressed()
{
    game_.clearWord();
    render();
}

void Form1::actionPressed()
{
    switch (game_.phase()) {
    case Phase::NoGame: chooseOptionsAndDeal(); break;
    case Phase::Dealing: game_.startRound(); break;
    case Phase::Round: submitWord(); break;
    case Phase::BetweenRounds: game_.startShuffle(); break;
    case Phase::Over: game_.reset(); break;
    }
    render();
}

// The options dialog, then the deal, however the dialog was closed.
void Form1::chooseOptionsAndDeal()
{
    GameOptions options = game_.options();
    Form2 dialog(options, platform_.prompts, this);
    dialog.exec();
    game_.startGame(options);
}

void Form1::submitWord()
{
    if (game_.submitWord() != Submission::Unknown)
        return;
    const bool add = platform_.prompts.ask(texts::unknownWordQuestion(game_.unknownWord()));
    if (game_.answerUnknownWord(add))
        endRound();
}

void Form1::newGameChosen()
{
    if (game_.requestNewGame()) {
        const bool startOver = platform_.prompts.ask(texts::startOverQuestion());
        if (game_.answerNewGame(startOver))
            endRound();
        if (!startOver) {
            render();
            return;
        }
    }
    render();
    actionButton_->setFocus();
}

void Form1::computerWordSelected()
{
    game_.showComputerPath(computerWords_->currentRow());
    renderBoard();
}

void Form1::howToPlayChosen()
{
    platform_.shell.open(QStringLiteral("Instrucciones.htm"), programFolder_);
}

void Form1::aboutChosen()
{
    game_.windowOpened();
    FormQuindaro::showModal(platform_.shell, programFolder_, this);
    if (game_.windowClosed())
        endRound();
    render();
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    if (!keyPressed(*event))
        QMainWindow::keyPressEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && keyPressed(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// During a round a letter extends the word, Backspace takes a letter back,
// Escape clears the word and Return hands it in; other keys are the controls'.
bool Form1::keyPressed(const QKeyEvent& key)
{
    if (game_.phase() != Phase::Round || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    switch (key.key()) {
    case Qt::Key_Backspace: takeBackPressed(); return true;
    case Qt::Key_Escape: clearPressed(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: actionPressed(); return true;
    default: break;
    }
    const QString text = key.text();
    const char letter = text.size() == 1 ? typedLetter(text.front().unicode()) : 0;
    if (letter == 0)
        return false;
    game_.typeLetter(letter);
    render();
    return true;
}

// A deal on every tick; the tiles show one deal a screen frame, which is all
// the eye takes in, so that the shuffle does not keep a processor busy.
void Form1::dealTick()
{
    const bool firstDeal = game_.phase() != Phase::Dealing;
    game_.deal();
    const double now = platform_.clock.seconds();
    if (!firstDeal && now - boardShownAt_ < FrameSeconds)
        return;
    boardShownAt_ = now;
    if (firstDeal) {
        renderBoard();
        actionButton_->setText(texts::caption(game_.phase()));
    } else {
        renderLetters(); // nothing else changes from one deal to the next
    }
}

void Form1::roundTick()
{
    const RoundTick tick = game_.tick();
    if (tick.clockChanged)
        renderClock();
    if (tick.wordFound)
        renderComputerWords();
    if (tick.timeUp)
        renderTimers();
    if (tick.endRound)
        endRound();
}

// The message "Se acabó el tiempo.", the frozen board, the validation of the
// computer's words, the scores and, when the game is decided, its winner.
void Form1::endRound()
{
    platform_.prompts.inform(texts::timeUp());
    if (game_.endRound()) {
        render();
        Form4 validation(game_, platform_.prompts, this);
        connect(&validation, &Form4::wordStruck, this, &Form1::renderComputerWords);
        validation.exec();
    }
    const std::optional<Winner> winner = game_.scoreRound();
    render();
    if (!winner)
        return;
    platform_.prompts.inform(texts::winner(*winner));
    game_.concludeGame();
    render();
}

void Form1::render()
{
    renderBoard();
    renderLabels();
    renderComputerWords();
    renderTimers();
}

void Form1::renderBoard()
{
    renderLetters();
    for (int cell = 0; cell < CellCount; ++cell) {
        paintTile(tiles_[cell], game_.tileLit(cell) ? colour::LightGreen : colour::White);
        tiles_[cell]->setEnabled(game_.tilesEnabled());
    }
}

void Form1::renderLetters()
{
    for (int cell = 0; cell < CellCount; ++cell) {
        const char letter = game_.board()[cell];
        tiles_[cell]->setText(letter == 0 ? QString() : QString(QChar::fromLatin1(letter)));
    }
}

void Form1::renderLabels()
{
    actionButton_->setText(texts::caption(game_.phase()));
    wordLabel_->setText(texts::word(game_.playerWord()));
    messageLabel_->setText(texts::notice(game_.notice()));
    playerScoreLabel_->setText(QString::number(game_.playerScore()));
    computerScoreLabel_->setText(QString::number(game_.computerScore()));
    renderClock();
    QStringList words;
    for (const std::string& word : game_.playerWords())
        words << texts::word(word);
    showEntries(playerWords_, words);
}

void Form1::renderClock()
{
    const std::optional<int> seconds = game_.secondsShown();
    clockLabel_->setText(seconds ? QString::number(*seconds) : QString());
}

void Form1::renderComputerWords()
{
    QStringList words;
    QStringList paths;
    for (const ComputerWord& found : game_.computerWords()) {
        words << texts::computerEntry(found);
        QString path;
        for (const int cell : found.path)
            path += QString::fromStdString(cellText(cell));
        paths << path;
    }
    showEntries(computerWords_, words);
    showEntries(computerPaths_, paths);
    computerWords_->setVisible(game_.computerWordsShown());
}

void Form1::renderTimers()
{
    if (game_.shuffling() != dealTimer_->isActive())
        game_.shuffling() ? dealTimer_->start() : dealTimer_->stop();
    if (game_.roundClockRunning() == roundTimer_->isActive())
        return;
    if (!game_.roundClockRunning()) {
        roundTimer_->stop();
        return;
    }
    if (const std::optional<int> interval = game_.computerStepInterval())
        roundTimer_->setInterval(*interval);
    roundTimer_->setTimerType(roundTimer_->interval() == 1 ? Qt::PreciseTimer : Qt::CoarseTimer);
    roundTimer_->start();
}

} // namespace palitra
