// The windows after a round: the record's table and its clearing; the list
// of the board's words, its summary, and a click on a word.
#include "Fakes.h"

#include "core/game/GameRecord.h"
#include "ui/BoardWordsWindow.h"
#include "ui/ControlNames.h"
#include "ui/Platform.h"
#include "ui/StatisticsWindow.h"
#include "ui/Texts.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace palitra;
using namespace palitra::test;

namespace {

// Questions answered from `answers`; every box logged.
struct Answers final : Prompts {
    QStringList log;
    QList<bool> answers;
    bool ask(const QString& text) override { return log << "ask: " + text, answers.takeFirst(); }
    void inform(const QString& text) override { log << "inform: " + text; }
    void warn(const QString& text) override { log << "warn: " + text; }
    void error(const QString& text) override { log << "error: " + text; }
};

QString column(const QTableWidget* table, int level)
{
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        cells << table->item(row, level)->text();
    return cells.join('|');
}

} // namespace

class TestRecordWindows : public QObject {
    Q_OBJECT

private slots:
    void statisticsWindow()
    {
        // Each level's column shows its record; Borrar empties the record and its file once the player says yes.
        QTemporaryDir folder;
        GameRecord record;
        record.load(folder.path());
        record.recordRound(1, 7, {"SOL", "PU\321AL"}, 3, 8, QDate(2024, 5, 3));
        record.recordRound(1, 4, {"CASA"}, 1, 2, QDate(2024, 5, 4));
        record.recordGameEnd(1, Outcome::Won);
        record.recordGameEnd(1, Outcome::Abandoned);
        record.recordGameEnd(2, Outcome::Lost);
        QVERIFY(record.save());
        Answers prompts;
        prompts.answers = {false, true};
        StatisticsWindow window(record, prompts);
        const auto* table = window.findChild<QTableWidget*>(names::statisticsTable);
        const QString normal = QStringLiteral("2|1|0|1|2|5,5|7|PUÑAL (3/5/2024)|44 %|50 % (1 de 2)");
        QCOMPARE(table->horizontalHeaderItem(0)->text() + table->horizontalHeaderItem(2)->text(),
                 QStringLiteral("FácilDifícil"));
        QCOMPARE(column(table, 1), normal);
        QCOMPARE(column(table, 2), QStringLiteral("1|0|1|0|0|—|—|—|—|—"));

        auto* clear = window.findChild<QPushButton*>(names::statisticsClearButton);
        clear->click();
        QCOMPARE(column(table, 1), normal);
        clear->click();
        QCOMPARE(column(table, 1), QStringLiteral("0|0|0|0|0|—|—|—|—|—"));
        QCOMPARE(prompts.log, QStringList(2, "ask: " + texts::clearRecordQuestion()));
        GameRecord read;
        QCOMPARE(read.load(folder.path()), GameRecord::Loaded::Read);
        QCOMPARE(read.level(1), LevelRecord{});
    }

    void boardWordsWindow()
    {
        // The words show in the order given with their points and finders under the player's share, and a click
        // on one gives its index.
        const std::vector<BoardWord> words{{"SOLAR", {0, 1, 2, 3, 4}, 7, FoundBy::Player},
                                           {"CASA", {5, 6, 7, 8}, 1, FoundBy::ComputerStruck},
                                           {"SOL", {0, 1, 2}, 6, FoundBy::Nobody},
                                           {"MESA", {13, 14, 9, 8}, 4, FoundBy::Computer}};
        BoardWordsWindow window(words);
        window.show();
        QCOMPARE(window.windowTitle(), "Palabras del tablero");
        QCOMPARE(window.findChild<QLabel*>(names::boardWordsSummary)->text(),
                 "Has encontrado 1 de 4 palabras: 2 de 5 puntos.");
        QCOMPARE(texts::boardWordsSummary(1, 1, 1, 1), "Has encontrado 1 de 1 palabra: 1 de 1 punto.");
        auto* list = window.findChild<QTreeWidget*>(names::boardWordsList);
        QStringList rows;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            for (int column = 0; column < 3; ++column)
                rows << list->topLevelItem(row)->text(column);
        QCOMPARE(rows.join('|'),
                 QStringLiteral("SOLAR|2|tú|CASA|1|el ordenador (no válida)|SOL|1|—|MESA|1|el ordenador"));
        QSignalSpy chosen(&window, &BoardWordsWindow::wordChosen);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(2)).center());
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), 2);
    }
};

QTEST_MAIN(TestRecordWindows)
#include "tst_record_ui.moc"
