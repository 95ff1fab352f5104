#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;

namespace palitra {

class Shell;

// The about window: the program's title and icon, the maker's logo and
// addresses on a black panel. A click anywhere but on the two addresses, or a
// key that types a character, closes it; the addresses open through the shell.
// Its controls carry their member names as object names.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // mainWindow lends its caption and icon each time this window becomes
    // active; without one the title is the program's name and version and the icon the
    // application's.
    AboutWindow(Shell& shell, QString appPath, const QWidget* mainWindow, QWidget* parent = nullptr);

    // Shows a fresh about window modally and returns when it has closed.
    static void showModal(Shell& shell, const QString& appPath, const QWidget* mainWindow);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void placeCentred();
    void takeTitleAndIcon();
    void openMail();
    void openWeb();
    void underline(QLabel* label, bool on);

    Shell& shell_;
    QString appPath_;
    QPointer<const QWidget> mainWindow_;

    QLabel* icon_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* mail_ = nullptr;
    QLabel* web_ = nullptr;
    bool secondClick_ = false; // the release of a double-click's second press is no new click
};

} // namespace palitra
