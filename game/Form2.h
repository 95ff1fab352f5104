#pragma once

#include "game/GameOptions.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace palitra {

class Prompts;

// The new-game options dialog: round time, target points and the computer's
// level. "OK" writes the choices into the options it was given; closing it
// any other way writes nothing. Each opening starts from the defaults.
class Form2 : public QDialog {
    Q_OBJECT

public:
    Form2(GameOptions& options, Prompts& prompts, QWidget* parent = nullptr);

    void Command1_Click();
    void Option2_Click(int index);

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    std::array<QRadioButton*, 4> Option1{};
    std::array<QRadioButton*, 3> Option2{};
    std::array<QRadioButton*, 3> Option3{};
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    void buildControls();
    void arrangeTabOrder();
    void connectHandlers();

    GameOptions& options_;
    Prompts& prompts_;
};

} // namespace palitra
