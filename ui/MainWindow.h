#pragma once

#include "core/board/Board.h"
#include "core/game/Game.h"
#include "ui/Platform.h"

#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace palitra {

// The main window: the board of 25 tiles, the main button whose caption names
// the game's phase, the clock, the scores, the word being built and both
// sides' words. It is a view of the game: each handler forwards one command
// to it, shows the prompts it asks until none is left, and renders it.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(Game& game, Platform platform, QString programFolder, QWidget* parent = nullptr);

    // Asked when the window is closed: false keeps it open.
    void setCloseCheck(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

    // The timers' ticks, public so that tests can run them by hand.
    void dealTick();
    void roundTick();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildKnowsAllAction(QMenu* gameMenu);
    void placeCentred();

    // Runs a command of the player's, then the prompts it leads to, then renders.
    void play(const std::function<void()>& command);
    void showPrompts();
    void showPrompt(Prompt prompt);
    bool keyPressed(const QKeyEvent& key);
    void computerWordSelected();
    void howToPlayChosen();

    void render();
    void renderBoard();
    void renderLetters();
    void renderLabels();
    void renderClock();
    void renderComputerWords();
    void renderTimers();
    void renderMenus();

    Game& game_;
    Platform platform_;
    QString programFolder_;
    std::function<bool()> mayClose_ = [] { return true; };
    bool showingPrompts_ = false; // a tick under an open prompt leaves the next one to the loop showing it
    static constexpr double FrameSeconds = 1.0 / 60;
    double boardShownAt_ = -1.0; // when the shuffle last showed a deal

    std::array<QPushButton*, CellCount> tiles_{};
    QPushButton* actionButton_ = nullptr;
    QPushButton* takeBackButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QLabel* clockLabel_ = nullptr;
    QLabel* playerScoreLabel_ = nullptr;
    QLabel* computerScoreLabel_ = nullptr;
    QLabel* wordLabel_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QListWidget* playerWords_ = nullptr;
    QListWidget* computerWords_ = nullptr;
    QListWidget* computerPaths_ = nullptr; // never shown
    QTimer* dealTimer_ = nullptr;
    QTimer* roundTimer_ = nullptr;
    QAction* newGameAction_ = nullptr;
    QAction* knowsAllAction_ = nullptr;
    QAction* howToPlayAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* pauseAction_ = nullptr;
    QAction* boardWordsAction_ = nullptr;
    QAction* statisticsAction_ = nullptr;
};

} // namespace palitra
