#include "ui/MessageBoxPrompts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

#include <optional>

namespace palitra {

namespace {

// Swallows the keys meant for `box` (key presses and releases, and the shortcuts they would trigger, such as the
// buttons' mnemonics) from its showing until `seconds` have passed on `clock`, and its keys' auto-repeats always.
// It watches the whole application, since keys go to the box's focused button and shortcuts to their owners.
class KeyGuard final : public QObject {
public:
    KeyGuard(QWidget& box, Clock& clock, double seconds)
        : box_(box)
        , clock_(clock)
        , seconds_(seconds)
        , shownAt_(clock.seconds())
    {
        qApp->installEventFilter(this);
    }
    ~KeyGuard() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (watched == &box_ && type == QEvent::Show)
            shownAt_ = clock_.seconds();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride
            && type != QEvent::Shortcut)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || (widget != &box_ && !box_.isAncestorOf(widget)))
            return false;
        const bool repeat = type != QEvent::Shortcut && static_cast<QKeyEvent*>(event)->isAutoRepeat();
        if (!repeat && clock_.seconds() - shownAt_ >= seconds_)
            return false;
        event->accept(); // an accepted ShortcutOverride tries no shortcut: the key press comes, and is swallowed
        return true;
    }

private:
    QWidget& box_;
    Clock& clock_;
    const double seconds_;
    double shownAt_;
};

QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
                                 Clock* keyGuardClock = nullptr)
{
    QMessageBox box(icon, QStringLiteral("Palitra"), text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    std::optional<KeyGuard> guard;
    if (keyGuardClock)
        guard.emplace(box, *keyGuardClock, MessageBoxPrompts::KeyGuardSeconds);
    box.exec();
    return box.standardButton(box.clickedButton());
}

} // namespace

MessageBoxPrompts::MessageBoxPrompts(Clock& clock)
    : clock_(clock)
{
}

bool MessageBoxPrompts::ask(const QString& question)
{
    return show(QMessageBox::Question, question, QMessageBox::Ok | QMessageBox::Cancel, &clock_) != QMessageBox::Cancel;
}

void MessageBoxPrompts::inform(const QString& message)
{
    show(QMessageBox::Information, message, QMessageBox::Ok);
}

void MessageBoxPrompts::warn(const QString& message)
{
    show(QMessageBox::Warning, message, QMessageBox::Ok);
}

void MessageBoxPrompts::error(const QString& message)
{
    show(QMessageBox::Critical, message, QMessageBox::Ok);
}

} // namespace palitra
