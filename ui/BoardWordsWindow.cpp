#include "ui/BoardWordsWindow.h"

#include "core/game/Scoring.h"
#include "ui/ControlNames.h"
#include "ui/Style.h"
#include "ui/Texts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace palitra {

BoardWordsWindow::BoardWordsWindow(const std::vector<BoardWord>& words, QWidget* parent)
    : QDialog(parent, style::ClosableDialog)
{
    setObjectName(QString::fromLatin1(names::boardWordsWindow));
    setWindowTitle(QStringLiteral("Palabras del tablero"));

    list_ = new QTreeWidget(this);
    list_->setObjectName(QString::fromLatin1(names::boardWordsList));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Palabra"), QStringLiteral("Puntos"), QStringLiteral("Encontrada por")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setMinimumSize(360, 300);
    int wordsFound = 0;
    int pointsFound = 0;
    int pointsHeld = 0;
    for (const BoardWord& word : words) {
        const int points = wordPoints(word.word.size());
        pointsHeld += points;
        if (word.foundBy == FoundBy::Player) {
            ++wordsFound;
            pointsFound += points;
        }
        auto* item =
            new QTreeWidgetItem(list_, {texts::word(word.word), QString::number(points), texts::foundBy(word.foundBy)});
        item->setTextAlignment(1, Qt::AlignRight);
    }
    // A click, or the arrow keys, light the word's path.
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit wordChosen(list_->indexOfTopLevelItem(item)); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            emit wordChosen(list_->indexOfTopLevelItem(item));
    });

    auto* summary =
        new QLabel(texts::boardWordsSummary(wordsFound, static_cast<int>(words.size()), pointsFound, pointsHeld), this);
    summary->setObjectName(QString::fromLatin1(names::boardWordsSummary));
    summary->setWordWrap(true);

    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(QString::fromLatin1(names::boardWordsCloseButton));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(list_);
    layout->addLayout(buttons);
}

} // namespace palitra
