#include "app/FormQuindaro.h"
#include "app/Platform.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using palitra::FormQuindaro;

namespace {

struct RecordingShell : palitra::Shell {
    struct Call {
        QString target;
        QString workingDirectory;
    };
    QList<Call> calls;
    void open(const QString& target, const QString& workingDirectory) override
    {
        calls.append({target, workingDirectory});
    }
};

const QString kAppPath = QStringLiteral("/opt/palitra");

QIcon solidIcon(const QColor& colour)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QLabel* control(const QWidget& window, const QString& name)
{
    auto* label = window.findChild<QLabel*>(name);
    if (!label)
        qFatal("no control %s", qPrintable(name));
    return label;
}

// Clicks through the window system, so the click lands on whatever lies under the point.
void clickAt(QWidget& window, QPoint point)
{
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, point);
}

void moveOnto(QWidget* widget)
{
    const QPointF local(widget->rect().center());
    QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

bool underlined(const QWidget& window, const char* name)
{
    return control(window, QString::fromLatin1(name))->font().underline();
}

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void titleAndIconFollowTheMainWindow();
    void withoutMainWindowTheTitleIsTheProgramsName();
    void opensCentredOnTheMainWindow();
    void clickClosesTheWindow_data();
    void clickClosesTheWindow();
    void addressClickOpensItAndStaysOpen_data();
    void addressClickOpensItAndStaysOpen();
    void keyPressClosesOnlyForCharacters_data();
    void keyPressClosesOnlyForCharacters();
    void hoverUnderlinesOnlyTheAddressUnderTheMouse();
    void onlyTheAddressesShowTheHandCursor();
    void addressesShowWholeInsideTheWindow();
    void fShowReturnsWhenClosed();
};

void TestAboutWindow::titleAndIconFollowTheMainWindow()
{
    // Each activation copies the main window's caption and icon.
    QWidget mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("Palitra de prueba"));
    mainWindow.setWindowIcon(solidIcon(Qt::red));
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, &mainWindow);
    about.show();

    QCOMPARE(control(about, "lblTitulo")->text(), QStringLiteral("Palitra de prueba"));
    const QPixmap shown = control(about, "imgIcono")->pixmap();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.toImage().pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(about.windowIcon().pixmap(16).toImage().pixelColor(5, 5), QColor(Qt::red));

    mainWindow.setWindowTitle(QStringLiteral("Otro título"));
    mainWindow.setWindowIcon(solidIcon(Qt::blue));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&about, &activate);
    QCOMPARE(control(about, "lblTitulo")->text(), QStringLiteral("Otro título"));
    QCOMPARE(control(about, "imgIcono")->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));
}

void TestAboutWindow::withoutMainWindowTheTitleIsTheProgramsName()
{
    // At start-up there is no main window to copy: the title is the program's own.
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, nullptr);
    about.show();
    QCOMPARE(control(about, "lblTitulo")->text(), QStringLiteral("Palitra 1.2"));
    QVERIFY(about.windowTitle().isEmpty());
}

void TestAboutWindow::opensCentredOnTheMainWindow()
{
    // The window opens over the middle of the main window.
    QWidget mainWindow;
    mainWindow.setGeometry(20, 200, 300, 380); // well away from the screen's centre
    mainWindow.show();
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, &mainWindow);
    about.show();
    const QPoint offset = about.frameGeometry().center() - mainWindow.frameGeometry().center();
    // a few pixels of slack for the border, unknown until the window is shown
    QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4, qPrintable(QStringLiteral("off by %1,%2").arg(offset.x()).arg(offset.y())));
}

void TestAboutWindow::clickClosesTheWindow_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"lblClick", "lblCreadoPor", "lblTitulo", "lblTexto", "lblTexEmail", "lblTexWeb",
                             "imgLogo", "imgIcono"})
        QTest::newRow(name) << QString::fromLatin1(name);
    QTest::newRow("window") << QString();
    QTest::newRow("shpMarco") << QStringLiteral("shpMarco");
}

void TestAboutWindow::clickClosesTheWindow()
{
    // A click on the window, its frame line or any control but the two addresses closes it.
    QFETCH(QString, name);
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, nullptr);
    about.show();
    QSignalSpy finished(&about, &QDialog::finished);

    QPoint point(200, 30); // bare background beside the credit line
    if (name == QLatin1String("shpMarco")) {
        point = QPoint(0, about.height() / 2);
    } else if (name == QLatin1String("lblTexEmail")) {
        // the start of "Email: ", clear of the address lying over its blank end
        auto* label = control(about, name);
        point = label->mapTo(&about, QPoint(3, label->height() / 2));
    } else if (!name.isEmpty()) {
        auto* label = control(about, name);
        point = label->mapTo(&about, label->rect().center());
    }
    clickAt(about, point);

    QCOMPARE(finished.count(), 1);
    QVERIFY(!about.isVisible());
    QVERIFY(shell.calls.isEmpty());
}

void TestAboutWindow::addressClickOpensItAndStaysOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("e-mail") << QStringLiteral("lblMail") << QStringLiteral("mailto:");
    QTest::newRow("web") << QStringLiteral("lblURL") << QStringLiteral("http://");
}

void TestAboutWindow::addressClickOpensItAndStaysOpen()
{
    // A click on an address opens it through the shell from the program's folder; the window stays.
    QFETCH(QString, name);
    QFETCH(QString, scheme);
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, nullptr);
    about.show();
    QSignalSpy finished(&about, &QDialog::finished);
    auto* label = control(about, name);
    QVERIFY(!label->text().isEmpty());

    // Its first letters, where the address lies over the blank end of "Email: " or "Web:".
    clickAt(about, label->mapTo(&about, QPoint(2, label->height() / 2)));

    QCOMPARE(shell.calls.size(), 1);
    QCOMPARE(shell.calls[0].target, scheme + label->text());
    QCOMPARE(shell.calls[0].workingDirectory, kAppPath);
    QCOMPARE(finished.count(), 0);
    QVERIFY(about.isVisible());
}

void TestAboutWindow::keyPressClosesOnlyForCharacters_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("letter") << int(Qt::Key_A) << true;
    QTest::newRow("space") << int(Qt::Key_Space) << true;
    QTest::newRow("enter") << int(Qt::Key_Return) << true;
    QTest::newRow("shift") << int(Qt::Key_Shift) << false;
    QTest::newRow("F1") << int(Qt::Key_F1) << false;
}

void TestAboutWindow::keyPressClosesOnlyForCharacters()
{
    // A key that types a character closes the window; other keys leave it open.
    QFETCH(int, key);
    QFETCH(bool, closes);
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, nullptr);
    about.show();
    QSignalSpy finished(&about, &QDialog::finished);
    QTest::keyClick(&about, Qt::Key(key));
    QCOMPARE(finished.count(), closes ? 1 : 0);
    QCOMPARE(about.isVisible(), !closes);
}

void TestAboutWindow::hoverUnderlinesOnlyTheAddressUnderTheMouse()
{
    // The address under the mouse is underlined, the other not; the bare window clears both.
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, nullptr);
    about.show();
    QVERIFY(!underlined(about, "lblMail"));
    QVERIFY(!underlined(about, "lblURL"));

    moveOnto(control(about, "lblMail"));
    QVERIFY(underlined(about, "lblMail"));
    QVERIFY(!underlined(about, "lblURL"));

    moveOnto(control(about, "lblURL"));
    QVERIFY(!underlined(about, "lblMail"));
    QVERIFY(underlined(about, "lblURL"));

    moveOnto(&about);
    QVERIFY(!underlined(about, "lblMail"));
    QVERIFY(!underlined(about, "lblURL"));

    moveOnto(control(about, "lblMail"));
    moveOnto(control(about, "lblTexto")); // another label changes nothing
    QVERIFY(underlined(about, "lblMail"));
}

void TestAboutWindow::onlyTheAddressesShowTheHandCursor()
{
    // The addresses show the stored hand with its hot spot at the top-left; nothing else changes the pointer.
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, nullptr);
    for (const char* name : {"lblMail", "lblURL"}) {
        const QCursor cursor = control(about, QString::fromLatin1(name))->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(0, 0));
        QCOMPARE(cursor.bitmap().size(), QSize(32, 32));
    }
    for (const char* name : {"lblTexEmail", "lblTexWeb", "lblClick"})
        QVERIFY(!control(about, QString::fromLatin1(name))->testAttribute(Qt::WA_SetCursor));
    QVERIFY(!about.testAttribute(Qt::WA_SetCursor));
}

void TestAboutWindow::addressesShowWholeInsideTheWindow()
{
    // Each address label is wide enough for its whole text and ends inside the window.
    RecordingShell shell;
    FormQuindaro about(shell, kAppPath, nullptr);
    for (const char* name : {"lblMail", "lblURL"}) {
        QLabel* label = control(about, QString::fromLatin1(name));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
        QVERIFY(label->geometry().right() < about.width());
    }
}

void TestAboutWindow::fShowReturnsWhenClosed()
{
    // fShow holds the caller until the window is dismissed, then returns.
    RecordingShell shell;
    QString shownTitle;
    QTimer::singleShot(0, [&shownTitle] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        shownTitle = control(*modal, QStringLiteral("lblTitulo"))->text();
        QTest::keyClick(modal, Qt::Key_X);
    });
    FormQuindaro::fShow(shell, kAppPath, nullptr);
    QCOMPARE(shownTitle, QStringLiteral("Palitra 1.2"));
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestAboutWindow)
#include "tst_ui_about.moc"
