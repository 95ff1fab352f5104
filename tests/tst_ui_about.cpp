#include "app/FormQuindaro.h"
#include "app/Platform.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

using palitra::FormQuindaro;

namespace {

const QString kAppPath = QStringLiteral("/opt/palitra");

struct RecordingShell : palitra::Shell {
    QList<QStringList> calls; // target, working directory
    void open(const QString& target, const QString& directory) override { calls.append({target, directory}); }
};

QPixmap solid(Qt::GlobalColor colour)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(colour);
    return pixmap;
}

QColor colourOf(const QPixmap& pixmap) { return pixmap.toImage().pixelColor(5, 5); }

// A shown about window with a record of its shell calls and of its closing.
struct ShownAbout {
    RecordingShell shell;
    FormQuindaro about;
    QSignalSpy finished{&about, &QDialog::finished};
    explicit ShownAbout(const QWidget* mainWindow = nullptr) : about(shell, kAppPath, mainWindow) { about.show(); }

    QLabel* control(const QString& name) const { return name.isEmpty() ? nullptr : about.findChild<QLabel*>(name); }
    void moveOnto(QWidget* widget)
    {
        const QPointF local(widget->rect().center());
        QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(widget, &move);
    }
    QString underlined() const
    {
        return QString(control("lblMail")->font().underline() ? "lblMail" : "") +
               (control("lblURL")->font().underline() ? "lblURL" : "");
    }
};

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void titleAndIconFollowTheMainWindow()
    {
        // Each activation copies the main window's caption and icon; without one the title is the program's own.
        QWidget mainWindow;
        mainWindow.setWindowTitle(QStringLiteral("Palitra de prueba"));
        mainWindow.setWindowIcon(solid(Qt::red));
        ShownAbout a(&mainWindow);
        QCOMPARE(a.control("lblTitulo")->text(), QStringLiteral("Palitra de prueba"));
        QCOMPARE(colourOf(a.control("imgIcono")->pixmap()), QColor(Qt::red));
        QCOMPARE(colourOf(a.about.windowIcon().pixmap(16)), QColor(Qt::red));
        mainWindow.setWindowTitle(QStringLiteral("Otro título"));
        mainWindow.setWindowIcon(solid(Qt::blue));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&a.about, &activate);
        QCOMPARE(a.control("lblTitulo")->text(), QStringLiteral("Otro título"));
        QCOMPARE(colourOf(a.control("imgIcono")->pixmap()), QColor(Qt::blue));
        QCOMPARE(ShownAbout().control("lblTitulo")->text(), QStringLiteral("Palitra 1.2"));
    }

    void clickOrKey_data()
    {
        QTest::addColumn<QString>("name"); // the control clicked, if any
        QTest::addColumn<int>("key"); // else the key pressed, if any, else a click on the bare window
        QTest::addColumn<QString>("scheme"); // of the address the shell opens, if any
        QTest::addColumn<bool>("closes");
        QTest::newRow("window") << QString() << 0 << QString() << true;
        for (const char* name : {"lblClick", "lblCreadoPor", "lblTitulo", "lblTexto", "lblTexEmail", "lblTexWeb",
                                 "imgLogo", "imgIcono"})
            QTest::newRow(name) << QString::fromLatin1(name) << 0 << QString() << true;
        QTest::newRow("lblMail") << QStringLiteral("lblMail") << 0 << QStringLiteral("mailto:") << false;
        QTest::newRow("lblURL") << QStringLiteral("lblURL") << 0 << QStringLiteral("http://") << false;
        QTest::newRow("letter") << QString() << int(Qt::Key_A) << QString() << true;
        QTest::newRow("shift") << QString() << int(Qt::Key_Shift) << QString() << false;
        QTest::newRow("F1") << QString() << int(Qt::Key_F1) << QString() << false;
    }

    void clickOrKey()
    {
        // A click on an address opens it through the shell from the program's folder and the window stays; a click
        // anywhere else, or a key that types a character, closes the window.
        QFETCH(QString, name);
        QFETCH(int, key);
        QFETCH(QString, scheme);
        QFETCH(bool, closes);
        ShownAbout a;
        QLabel* label = a.control(name);
        // Near a control's left end, as the addresses' first letters lie over the blank ends of "Email: " and "Web:".
        const QPoint point = label ? label->mapTo(&a.about, QPoint(3, label->height() / 2)) : QPoint(200, 30);
        if (key)
            QTest::keyClick(&a.about, Qt::Key(key));
        else // through the window system, so the click lands on whatever lies under the point
            QTest::mouseClick(a.about.windowHandle(), Qt::LeftButton, {}, point);
        QList<QStringList> calls;
        if (!scheme.isEmpty())
            calls.append({scheme + label->text(), kAppPath});
        QCOMPARE(a.shell.calls, calls);
        QCOMPARE(a.finished.count(), closes ? 1 : 0);
        QCOMPARE(a.about.isVisible(), !closes);
    }

    void hoverUnderlinesOnlyTheAddressUnderTheMouse()
    {
        // The address under the mouse is underlined, the other not; other labels change nothing, the window clears.
        ShownAbout a;
        QCOMPARE(a.underlined(), QString());
        a.moveOnto(a.control("lblMail"));
        QCOMPARE(a.underlined(), QStringLiteral("lblMail"));
        a.moveOnto(a.control("lblURL"));
        QCOMPARE(a.underlined(), QStringLiteral("lblURL"));
        a.moveOnto(a.control("lblTexto"));
        QCOMPARE(a.underlined(), QStringLiteral("lblURL"));
        a.moveOnto(&a.about);
        QCOMPARE(a.underlined(), QString());
    }

    void onlyTheAddressesShowTheHand()
    {
        // The addresses show the stored hand; nothing else sets a pointer.
        ShownAbout a;
        QVERIFY(!a.about.testAttribute(Qt::WA_SetCursor));
        for (const QLabel* label : a.about.findChildren<QLabel*>()) {
            const bool link = QStringList{"lblMail", "lblURL"}.contains(label->objectName());
            QVERIFY2(label->testAttribute(Qt::WA_SetCursor) == link, qPrintable(label->objectName()));
            QCOMPARE(label->cursor().shape(), link ? Qt::BitmapCursor : Qt::ArrowCursor);
        }
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_ui_about.moc"
