#pragma once

#include <QDialog>

class QLabel;
class QTimer;

namespace palitra {

struct Module1;

// The loading window: shows "Cargando Diccionario..." while the word list is
// read and indexed, then closes itself.
class Form3 : public QDialog {
    Q_OBJECT

public:
    Form3(Module1& module, const QString& caption, QWidget* parent = nullptr);

    bool loaded() const { return loaded_; }
    const QString& errorMessage() const { return error_; }

    // Reads the word list into the shared state, on the first tick after the
    // window is shown, and closes the window.
    void LoadDictionary();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Module1& module_;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;
    bool loaded_ = false;
    QString error_;
};

} // namespace palitra
