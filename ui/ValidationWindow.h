#pragma once

#include <QDialog>

class QListWidget;

namespace palitra {

class Game;
class Prompts;

// "Validar palabras": the computer's words of the round, which the player may
// strike out of the round's score and the dictionary.
class ValidationWindow : public QDialog {
    Q_OBJECT

public:
    ValidationWindow(Game& game, Prompts& prompts, QWidget* parent = nullptr);

signals:
    void wordStruck(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void entryClicked(int index);

    Game& game_;
    Prompts& prompts_;
    QListWidget* entries_ = nullptr;
};

} // namespace palitra
