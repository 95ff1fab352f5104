#include "ui/StatisticsWindow.h"

#include "core/game/GameRecord.h"
#include "ui/ControlNames.h"
#include "ui/Platform.h"
#include "ui/Style.h"
#include "ui/Texts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace palitra {

namespace {

const QLocale Spanish(QLocale::Spanish, QLocale::Spain);

QString percent(double share)
{
    return Spanish.toString(share * 100, 'f', 0) + QStringLiteral(" %");
}

// The rows of the table: a caption and the text of a level's value.
struct Row {
    const char* caption;
    QString (*show)(const LevelRecord&);
};

const Row Rows[] = {
    {"Partidas jugadas", [](const LevelRecord& r) { return QString::number(r.played()); }},
    {"Partidas ganadas", [](const LevelRecord& r) { return QString::number(r.won); }},
    {"Partidas perdidas", [](const LevelRecord& r) { return QString::number(r.lost); }},
    {"Partidas abandonadas", [](const LevelRecord& r) { return QString::number(r.abandoned); }},
    {"Rondas jugadas", [](const LevelRecord& r) { return QString::number(r.rounds); }},
    {"Puntos por ronda: media",
     [](const LevelRecord& r) { return r.rounds ? Spanish.toString(r.averagePoints(), 'f', 1) : QStringLiteral("—"); }},
    {"Puntos por ronda: mejor",
     [](const LevelRecord& r) { return r.rounds ? QString::number(r.bestPoints) : QStringLiteral("—"); }},
    {"Mejor palabra",
     [](const LevelRecord& r) {
         return r.bestWord.empty() ? QStringLiteral("—")
                                   : QStringLiteral("%1 (%2)").arg(texts::word(r.bestWord),
                                                                   r.bestWordDate.toString(QStringLiteral("d/M/yyyy")));
     }},
    {"Palabras del tablero encontradas por ronda: media",
     [](const LevelRecord& r) { return r.shareRounds ? percent(r.averageShare()) : QStringLiteral("—"); }},
    {"Palabras del tablero encontradas por ronda: mejor",
     [](const LevelRecord& r) {
         return r.shareRounds
             ? QStringLiteral("%1 (%2 de %3)").arg(percent(r.bestShare())).arg(r.bestFound).arg(r.bestHeld)
             : QStringLiteral("—");
     }},
};

} // namespace

StatisticsWindow::StatisticsWindow(GameRecord& record, Prompts& prompts, QWidget* parent)
    : QDialog(parent, style::ClosableDialog)
    , record_(record)
    , prompts_(prompts)
{
    setObjectName(QString::fromLatin1(names::statisticsWindow));
    setWindowTitle(QStringLiteral("Estadísticas"));

    table_ = new QTableWidget(static_cast<int>(std::size(Rows)), GameRecord::LevelCount, this);
    table_->setObjectName(QString::fromLatin1(names::statisticsTable));
    table_->setHorizontalHeaderLabels({QStringLiteral("Fácil"), QStringLiteral("Normal"), QStringLiteral("Difícil")});
    QStringList captions;
    for (const Row& row : Rows)
        captions << QString::fromUtf8(row.caption);
    table_->setVerticalHeaderLabels(captions);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setMinimumWidth(640);
    // As tall as its rows, with no blank band below them.
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() + table_->verticalHeader()->length()
                             + 2 * table_->frameWidth());

    auto* clear = new QPushButton(QStringLiteral("Borrar"), this);
    clear->setObjectName(QString::fromLatin1(names::statisticsClearButton));
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, &StatisticsWindow::clearRecord);
    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(QString::fromLatin1(names::statisticsCloseButton));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    fill();
}

void StatisticsWindow::showModal(GameRecord& record, Prompts& prompts, QWidget* parent)
{
    StatisticsWindow window(record, prompts, parent);
    window.exec();
}

void StatisticsWindow::fill()
{
    for (int level = 0; level < GameRecord::LevelCount; ++level) {
        for (int row = 0; row < static_cast<int>(std::size(Rows)); ++row) {
            auto* item = new QTableWidgetItem(Rows[row].show(record_.level(level)));
            item->setTextAlignment(Qt::AlignCenter);
            table_->setItem(row, level, item);
        }
    }
}

void StatisticsWindow::clearRecord()
{
    if (!prompts_.ask(texts::clearRecordQuestion()))
        return;
    record_.clear();
    if (!record_.save())
        prompts_.warn(texts::recordNotSaved(record_.path()));
    fill();
}

} // namespace palitra
