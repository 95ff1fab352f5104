// Form1's game procedures: phases, board reset, dealing, the player's tile
// entry, word submission and the end of a round.
#include "app/Form1.h"

#include "app/Module1.h"
#include "dictionary/Form4.h"
#include "game/Adjacency.h"
#include "game/Deal.h"
#include "game/Form2.h"
#include "game/Scoring.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace palitra {

QChar Form1::phase() const
{
    const QString caption = Command2->text();
    return caption.isEmpty() ? QChar() : caption.front();
}

void Form1::Command2_Click()
{
    const QChar first = phase();
    if (first == u'N') {
        gameInProgress_ = true;
        Form2 options(module_.options, platform_.prompts, this);
        options.exec();
        StartShuffle();
    } else if (first == u'E') {
        Timer1->stop();
        StartComputerSearch();
    } else if (first == u'A') {
        SubmitWord();
    } else if (first == u'M') {
        StartShuffle();
    } else if (first == u'F') {
        ResetBoard();
    }
}

void Form1::ResetBoard()
{
    for (QPushButton* tile : Command1) {
        tile->setText(QString());
        paintTile(tile, White);
    }
    setWordCaption(QString());
    Label1->clear();
    Command2->setText(QStringLiteral("Nuevo Juego"));
    Label2[0]->setText(QStringLiteral("0"));
    Label2[1]->setText(QStringLiteral("0"));
    Label4->clear();
    Timer1->stop();
    Timer2->stop();
    List2->clear();
    List1->clear();
    List3->clear();
    gameInProgress_ = false;
}

void Form1::MnuNew_Click()
{
    if (gameInProgress_) {
        const bool startOver = askDuringRound(QStringLiteral("¿Quieres empezar otra partida?"));
        const bool roundOver = takePendingRoundEnd();
        if (!startOver) {
            if (roundOver)
                EndRound();
            return;
        }
    }
    ResetBoard();
    Command2->setFocus();
}

// The round's clock goes on ticking under a question; a round whose time
// runs out meanwhile waits for the answer (see takePendingRoundEnd).
bool Form1::askDuringRound(const QString& question)
{
    questionOpen_ = true;
    const bool answer = platform_.prompts.ask(question);
    questionOpen_ = false;
    return answer;
}

bool Form1::takePendingRoundEnd()
{
    return std::exchange(roundEndPending_, false);
}

void Form1::StartShuffle()
{
    for (QPushButton* tile : Command1) {
        tile->setEnabled(false);
        paintTile(tile, White);
    }
    erasePlayerPath();
    Timer1->start();
}

void Form1::Timer1_Timer()
{
    const Board board = dealBoard(module_.letterBag, platform_.random);
    for (int cell = 0; cell < TileCount; ++cell)
        Command1[cell]->setText(QString(QChar::fromLatin1(board[cell])));
    Command2->setText(QStringLiteral("Empezar"));
}

// Every change of the word being built clears the message about the last one.
void Form1::setWordCaption(const QString& word)
{
    if (Label3->text() == word)
        return;
    Label3->setText(word);
    Label4->clear();
}

void Form1::whitenTiles()
{
    for (QPushButton* tile : Command1)
        paintTile(tile, White);
}

void Form1::erasePlayerPath()
{
    PlayerPath.fill(0);
}

int Form1::playerPathLength() const
{
    int length = 0;
    while (length < TileCount && PlayerPath[length + 1] != 0)
        ++length;
    return length;
}

std::vector<int> Form1::playerPath() const
{
    std::vector<int> cells;
    for (int i = 1; i <= playerPathLength(); ++i)
        cells.push_back(PlayerPath[i] - 1);
    return cells;
}

void Form1::Command1_Click(int index)
{
    if (phase() != u'A' || index < 0 || index >= TileCount)
        return;
    QPushButton* tile = Command1[index];
    const int length = playerPathLength();

    if (tileColour(tile) == LightGreen) {
        if (length > 0 && PlayerPath[length] - 1 == index)
            Command4_Click(0);
        return;
    }
    if (length > 0 && !areNeighbours(PlayerPath[length] - 1, index))
        return;
    setWordCaption(Label3->text() + tile->text());
    paintTile(tile, LightGreen);
    PlayerPath[length + 1] = index + 1;
}

void Form1::Command4_Click(int index)
{
    if (index == 0) {
        const QString word = Label3->text();
        if (word.isEmpty())
            return;
        setWordCaption(word.chopped(1));
        const int length = playerPathLength();
        if (length > 0) {
            paintTile(Command1[PlayerPath[length] - 1], White);
            PlayerPath[length] = 0;
        }
    } else if (index == 1) {
        setWordCaption(QString());
        whitenTiles();
        erasePlayerPath();
    }
}

void Form1::SubmitWord()
{
    const QString caption = Label3->text();
    if (caption.isEmpty())
        return;
    const QString word = caption.toUpper();
    if (!List1->findItems(word, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty()) {
        Label4->setText(QStringLiteral("Esa palabra ya está en la lista."));
        return;
    }
    if (caption.size() < 3) {
        Label4->setText(QStringLiteral("Debe tener por lo menos 3 letras."));
        return;
    }

    const QByteArray bytes = word.toLatin1();
    const std::string_view entry(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (module_.dictionary.findWord(entry) == 0) {
        const bool add = askDuringRound(QStringLiteral("No conozco la palabra: ") + word
                                        + QStringLiteral("\n\n¿Quieres añadirla a la lista?"));
        if (add) {
            module_.dictionary.addWord(entry);
            module_.dictionaryChanged = true;
        }
        if (takePendingRoundEnd()) {
            EndRound();
            return;
        }
        if (!add)
            return;
    }

    List1->addItem(word);
    setWordCaption(QString());
    whitenTiles();
    erasePlayerPath();
}

int Form1::scoreOf(const QLabel* label)
{
    return label->text().toInt();
}

int Form1::pointsOf(const QListWidget* list, bool skipStruckOut)
{
    int points = 0;
    for (int i = 0; i < list->count(); ++i) {
        const QString entry = list->item(i)->text();
        if (skipStruckOut && entry.endsWith(u')'))
            continue;
        points += wordPoints(static_cast<std::size_t>(entry.size()));
    }
    return points;
}

void Form1::EndRound()
{
    platform_.prompts.inform(QStringLiteral("Se acabó el tiempo."));
    for (QPushButton* tile : Command1) {
        tile->setEnabled(false);
        paintTile(tile, White);
    }
    List2->setVisible(true);
    Command2->setText(QStringLiteral("Mezclar"));
    setWordCaption(QString());
    Label4->clear();
    Label1->clear();

    if (List2->count() > 0) {
        Form4 validation(module_, *List2, platform_.prompts, this);
        validation.exec();
    }

    const int computer = scoreOf(Label2[1]) + pointsOf(List2, true);
    Label2[1]->setText(QString::number(computer));
    const int player = scoreOf(Label2[0]) + pointsOf(List1, false);
    Label2[0]->setText(QString::number(player));

    const int target = module_.options.targetPoints;
    if (player <= target && computer <= target)
        return;
    platform_.prompts.inform(computer < player ? QStringLiteral("Has ganado.") : QStringLiteral("Te he ganado."));
    Label1->clear();
    Command2->setText(QStringLiteral("Fin"));
    gameInProgress_ = false;
}

} // namespace palitra
