#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace palitra {

class Prompts;
struct Module1;

// "Validar palabras": the computer's words of the round, which the player may
// strike out of the dictionary. Its list stays index-aligned with the main
// window's list of computer words.
class Form4 : public QDialog {
    Q_OBJECT

public:
    Form4(Module1& module, QListWidget& computerWords, Prompts& prompts, QWidget* parent = nullptr);

    void List1_Click(int index);
    void Command1_Click();

private:
    void DeleteWord(const QString& word);

    Module1& module_;
    QListWidget& computerWords_;
    Prompts& prompts_;
    QLabel* Label1 = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace palitra
