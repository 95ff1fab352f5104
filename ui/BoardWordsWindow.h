#pragma once

#include "core/opponent/BoardWords.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

namespace palitra {

// "Palabras del tablero": every word of the board as given (see boardWords),
// each with its points and who found it, under a line that sums up the
// player's share. A click on a word asks for its path to be shown.
class BoardWordsWindow : public QDialog {
    Q_OBJECT

public:
    explicit BoardWordsWindow(const std::vector<BoardWord>& words, QWidget* parent = nullptr);

signals:
    // The index, in the words given, of the word clicked.
    void wordChosen(int index);

private:
    QTreeWidget* list_ = nullptr;
};

} // namespace palitra
