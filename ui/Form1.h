#pragma once

#include "core/game/Board.h"
#include "ui/Platform.h"

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace palitra {

class DictionaryStore;
class Game;

// The main window: the board of 25 tiles, the main button whose caption names
// the game's phase, the clock, the scores, the word being built and both
// sides' words. It shows the game and forwards the player's actions to it.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    Form1(Game& game, DictionaryStore& words, Platform platform, QWidget* parent = nullptr);

    // Start-up: shows the about window, reads the word list beside the program
    // (through the loading window) and empties the board. Returns false when
    // the list could not be read: the problem has been reported and the
    // program must end with exitStatus().
    bool start(const QString& programFolder);

    // 1 when the word list could not be read or saved, else 0.
    int exitStatus() const { return exitStatus_; }

    // The timers' ticks, public so that tests can run them by hand.
    void dealTick();
    void roundTick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();

    void tilePressed(int cell);
    void actionPressed();
    void takeBackPressed();
    void clearPressed();
    void computerWordSelected();
    void newGameChosen();
    void howToPlayChosen();
    void aboutChosen();

    bool keyPressed(const QKeyEvent& key);
    void chooseOptionsAndDeal();
    void submitWord();
    void endRound();
    void saveChangedWords();

    void render();
    void renderBoard();
    void renderLetters();
    void renderLabels();
    void renderClock();
    void renderComputerWords();
    void renderTimers();

    Game& game_;
    DictionaryStore& words_;
    Platform platform_;
    QString programFolder_;
    int exitStatus_ = 0;
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
    QAction* howToPlayAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
};

} // namespace palitra
