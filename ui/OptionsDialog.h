#pragma once

#include "core/game/GameOptions.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace palitra {

class Prompts;

// The new-game options dialog: round time, target points and the computer's
// level. "OK" writes the choices into the options it was given; closing it
// any other way writes nothing. Each opening starts from the defaults.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(GameOptions& options, Prompts& prompts, QWidget* parent = nullptr);

private:
    void buildControls();
    void arrangeTabOrder();
    void pointsChosen(int index);
    void confirm();

    GameOptions& options_;
    Prompts& prompts_;
    std::array<QRadioButton*, 4> timeOptions_{};
    std::array<QRadioButton*, 3> pointsOptions_{};
    std::array<QRadioButton*, 3> levelOptions_{};
    QLineEdit* pointsText_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace palitra
