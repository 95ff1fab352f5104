#pragma once

#include "core/dictionary/FileProblem.h"

#include <QDialog>

#include <optional>

class QTimer;

namespace palitra {

class DictionaryStore;

// The loading window: shows "Cargando Diccionario..." while the word list is
// read and indexed, then closes itself.
class Form3 : public QDialog {
    Q_OBJECT

public:
    // Reads the user's copy of the list when there is one, else the list beside the program.
    Form3(DictionaryStore& words, QString besideProgram, QString userCopy, const QString& caption,
          QWidget* parent = nullptr);

    // Why the list could not be read, once the window has closed.
    const std::optional<FileProblem>& problem() const { return problem_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void load();

    DictionaryStore& words_;
    QString besideProgram_;
    QString userCopy_;
    QTimer* loadTimer_ = nullptr;
    bool done_ = false;
    std::optional<FileProblem> problem_;
};

} // namespace palitra
