#include "ui/ValidationWindow.h"

#include "core/game/Game.h"
#include "ui/ControlNames.h"
#include "ui/Platform.h"
#include "ui/Style.h"
#include "ui/Texts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace palitra {

using style::twipsRect;

ValidationWindow::ValidationWindow(Game& game, Prompts& prompts, QWidget* parent)
    : QDialog(parent, style::ClosableDialog)
    , game_(game)
    , prompts_(prompts)
{
    setObjectName(names::validationWindow);
    setWindowTitle(QStringLiteral("Validar palabras"));
    setFixedSize(style::twipsSize(4035, 3075));

    auto* hint = new QLabel(QStringLiteral("Haz click para eliminar palabras"), this);
    hint->setObjectName(names::validationHint);
    hint->setGeometry(twipsRect(240, 120, 3675, 255));
    hint->setFont(style::font(style::Face::Sans, 8.25, QFont::Bold));

    entries_ = new QListWidget(this);
    entries_->setObjectName(names::validationList);
    entries_->setGeometry(twipsRect(180, 360, 3675, 1815));
    for (const ComputerWord& found : game_.computerWords())
        entries_->addItem(texts::validationEntry(found));
    connect(entries_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { entryClicked(entries_->row(item)); });
    entries_->installEventFilter(this);

    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(names::closeButton);
    close->setGeometry(twipsRect(2280, 2400, 1575, 495));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

// Space or Delete strikes the selected word, as a click does; Return still closes the window.
bool ValidationWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == entries_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Delete) {
            entryClicked(entries_->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ValidationWindow::entryClicked(int index)
{
    const std::vector<ComputerWord>& words = game_.computerWords();
    if (index < 0 || index >= static_cast<int>(words.size()) || words[index].struck)
        return;
    if (!prompts_.ask(texts::strikeQuestion(words[index].word)) || !game_.strikeComputerWord(index))
        return;
    entries_->item(index)->setText(texts::validationEntry(words[index]));
    emit wordStruck(index);
}

} // namespace palitra
