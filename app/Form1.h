#pragma once

#include "app/Platform.h"
#include "opponent/ComputerWalk.h"

#include <QMainWindow>

#include <array>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace palitra {

struct Module1;

// The main window: the board of 25 tiles, the main action button whose
// caption is the game's phase, the clock, the scores, the word being built
// and the word lists. Its methods live beside the subsystem they belong to:
// app/ (layout, menus, start-up and exit), game/ (phases, dealing, tile entry,
// submission, end of round), opponent/ (round start, clock, path display).
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int TileCount = 25;
    static const QColor White;
    static const QColor LightGreen;

    Form1(Module1& module, Platform platform, QWidget* parent = nullptr);

    // Start-up: records the program's folder, shows the about window, loads
    // the word list (through the loading window) and resets the board.
    // Returns false when the word list could not be loaded; the error has
    // been reported and the program must end.
    bool Form_Load(const QString& programFolder);

    // The exit status of the run, set when the window closes.
    int exitStatus() const { return exitStatus_; }

    // The game's handlers, public so that tests can drive them directly.
    void Command1_Click(int index);
    void Command2_Click();
    void Command4_Click(int index);
    void List2_Click();
    void MnuNew_Click();
    void MnuHow_Click();
    void MnuInfo_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    // The tiles of the word being built, in order (cell numbers).
    std::vector<int> playerPath() const;
    bool gameInProgress() const { return gameInProgress_; }
    const ComputerWalk& walk() const { return walk_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // app/Form1.cpp
    static void paintTile(QPushButton* tile, const QColor& colour);
    static QColor tileColour(const QPushButton* tile);
    void buildControls();
    void buildMenus();
    void Form_Unload();

    // game/Form1Game.cpp
    void ResetBoard();
    void StartShuffle();
    void SubmitWord();
    void EndRound();
    bool askDuringRound(const QString& question);
    bool takePendingRoundEnd();
    void setWordCaption(const QString& word);
    void whitenTiles();
    void erasePlayerPath();
    int playerPathLength() const;
    QChar phase() const;
    static int scoreOf(const QLabel* label);
    static int pointsOf(const QListWidget* list, bool skipStruckOut);

    // opponent/Form1Round.cpp
    void StartComputerSearch();
    bool updateClock();
    void searchStep();

    Module1& module_;
    Platform platform_;

    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    std::array<QPushButton*, TileCount> Command1{};
    QPushButton* Command2 = nullptr;
    std::array<QPushButton*, 2> Command4{};
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 2> Label2{};
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    std::array<QLabel*, 2> Label5{};
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QListWidget* List3 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QMenu* MnuGame = nullptr;
    QAction* MnuNew = nullptr;
    QMenu* MnuHelpp = nullptr;
    QAction* MnuHow = nullptr;
    QAction* MnuInfo = nullptr;

    // Tiles of the word being built, each as cell number plus one; 0 after the last.
    std::array<int, TileCount + 1> PlayerPath{};
    double RoundStartTime = 0.0;
    ComputerWalk walk_;
    bool gameInProgress_ = false;

    // When the round's time runs out while a question is open, the round
    // ends as soon as the question is answered, not underneath it.
    bool questionOpen_ = false;
    bool roundEndPending_ = false;

    int exitStatus_ = 0;
};

} // namespace palitra
