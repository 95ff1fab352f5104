#pragma once

#include <QDialog>

class QTimer;

namespace palitra {

// The loading window: shows "Cargando Diccionario..." while the word list is
// read. It says when it is on the screen with its text (readyToRead), and it
// closes only when told that the reading is over (finish): Escape or the
// window manager's close cannot dismiss it before.
class LoadingWindow : public QDialog {
    Q_OBJECT

public:
    explicit LoadingWindow(const QString& caption, QWidget* parent = nullptr);

    // The reading is over: the window closes.
    void finish();

signals:
    // Once, when the window has been painted on the screen, or after a second
    // where no window is ever painted (there is no screen).
    void readyToRead();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void announceReady();

    QTimer* readTimer_ = nullptr;
    bool announced_ = false;
    bool finished_ = false;
};

} // namespace palitra
