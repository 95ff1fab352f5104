// Form1's round: its start, the clock and the computer's pace, and the
// display of the path of a computer word.
#include "app/Form1.h"

#include "app/Module1.h"
#include "opponent/PathText.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace palitra {

void Form1::StartComputerSearch()
{
    for (QPushButton* tile : Command1)
        tile->setEnabled(true);
    Command2->setText(QStringLiteral("Añadir"));
    RoundStartTime = platform_.clock.seconds();

    Board board{};
    for (int cell = 0; cell < TileCount; ++cell) {
        const QByteArray letter = Command1[cell]->text().toLatin1();
        board[cell] = letter.isEmpty() ? '\0' : letter.front();
    }
    walk_.start(board, platform_.random);

    switch (module_.options.level) {
    case 0: Timer2->setInterval(200); break;
    case 1: Timer2->setInterval(100); break;
    case 2: Timer2->setInterval(1); break;
    default: break;
    }
    Timer2->setTimerType(Timer2->interval() == 1 ? Qt::PreciseTimer : Qt::CoarseTimer);
    Timer2->start();
    roundEndPending_ = false;

    List2->setVisible(false);
    List1->clear();
    List2->clear();
    List3->clear();
}

void Form1::Timer2_Timer()
{
    if (!updateClock())
        return;
    if (!walk_.done())
        searchStep();
}

// Shows the whole seconds left; returns false once the round is over.
bool Form1::updateClock()
{
    const double elapsed = platform_.clock.seconds() - RoundStartTime;
    const int left = static_cast<int>(std::floor(module_.options.roundSeconds - elapsed));
    if (Label1->text().toInt() != left)
        Label1->setText(QString::number(left));
    if (left > 0)
        return true;

    Timer2->stop();
    if (questionOpen_)
        roundEndPending_ = true;
    else
        EndRound();
    return false;
}

void Form1::searchStep()
{
    const auto found = walk_.step(module_.dictionary, platform_.random);
    if (!found)
        return;
    List2->addItem(QString::fromLatin1(found->word.data(), static_cast<qsizetype>(found->word.size())));
    List3->addItem(QString::fromLatin1(found->path.data(), static_cast<qsizetype>(found->path.size())));
}

void Form1::List2_Click()
{
    // Once "Mezclar" has started the shuffle the board belongs to the next
    // round, even before the first deal has changed the caption: a path shown
    // now would stay green into the round.
    const QChar first = phase();
    if (first == u'A' || first == u'E' || Timer1->isActive())
        return;
    const int row = List2->currentRow();
    if (row < 0)
        return;
    whitenTiles();
    if (row >= List3->count())
        return;
    const QByteArray path = List3->item(row)->text().toLatin1();
    for (const int cell : pathCells(std::string_view(path.constData(), static_cast<std::size_t>(path.size()))))
        paintTile(Command1[cell], LightGreen);
}

} // namespace palitra
