#pragma once

#include <QDialog>

class QTableWidget;

namespace palitra {

class GameRecord;
class Prompts;

// "Estadísticas": the record of games at each level, one column a level, and
// a button that empties it once the player confirms.
class StatisticsWindow : public QDialog {
    Q_OBJECT

public:
    StatisticsWindow(GameRecord& record, Prompts& prompts, QWidget* parent = nullptr);

    // Shows a fresh window modally and returns when it has closed.
    static void showModal(GameRecord& record, Prompts& prompts, QWidget* parent = nullptr);

private:
    void fill();
    void clearRecord();

    GameRecord& record_;
    Prompts& prompts_;
    QTableWidget* table_ = nullptr;
};

} // namespace palitra
