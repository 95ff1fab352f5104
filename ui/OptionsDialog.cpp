#include "ui/OptionsDialog.h"

#include "core/game/NumberReader.h"
#include "ui/ControlNames.h"
#include "ui/Platform.h"
#include "ui/Style.h"
#include "ui/Texts.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace palitra {

using style::twipsRect;

namespace {

template <typename Widget>
Widget* placed(Widget* widget, const QString& name, const QRect& place)
{
    widget->setObjectName(name);
    widget->setGeometry(place);
    return widget;
}

// Option buttons one under the other in a frame, 360 twips apart.
template <std::size_t N>
void fillFrame(std::array<QRadioButton*, N>& options, QGroupBox* frame, QString (*name)(int),
               const std::array<QString, N>& captions, const std::array<int, N>& widths)
{
    for (std::size_t i = 0; i < N; ++i) {
        const int index = static_cast<int>(i);
        options[i] = placed(new QRadioButton(captions[i], frame), name(index),
                            twipsRect(240, 360 + 360 * index, widths[i], 255));
    }
    options[1]->setChecked(true);
}

} // namespace

OptionsDialog::OptionsDialog(GameOptions& options, Prompts& prompts, QWidget* parent)
    : QDialog(parent, style::ClosableDialog)
    , options_(options)
    , prompts_(prompts)
{
    setObjectName(names::optionsDialog);
    setWindowTitle(QStringLiteral("Elige..."));
    setFixedSize(style::twipsSize(4350, 2205));
    buildControls();
    arrangeTabOrder();
}

void OptionsDialog::buildControls()
{
    auto* time =
        placed(new QGroupBox(QStringLiteral("Tiempo"), this), names::timeFrame, twipsRect(120, 120, 1215, 1935));
    fillFrame<4>(
        timeOptions_, time, names::timeOption,
        {QStringLiteral("2 min."), QStringLiteral("3 min."), QStringLiteral("4 min."), QStringLiteral("5 min.")},
        {855, 855, 735, 735});

    auto* points =
        placed(new QGroupBox(QStringLiteral("Puntos"), this), names::pointsFrame, twipsRect(1560, 120, 1215, 1935));
    fillFrame<3>(pointsOptions_, points, names::pointsOption,
                 {QStringLiteral("50 "), QStringLiteral("100"), QStringLiteral("150 ")}, {615, 615, 615});
    pointsText_ =
        placed(new QLineEdit(QStringLiteral("100"), points), names::pointsText, twipsRect(240, 1440, 735, 285));
    for (int index = 0; index < static_cast<int>(pointsOptions_.size()); ++index) {
        // A click on the selected option refills the text as well; selecting
        // one with the arrow keys does too.
        connect(pointsOptions_[index], &QRadioButton::clicked, this, [this, index] { pointsChosen(index); });
        connect(pointsOptions_[index], &QRadioButton::toggled, this, [this, index](bool on) {
            if (on)
                pointsChosen(index);
        });
    }

    auto* level =
        placed(new QGroupBox(QStringLiteral("Nivel"), this), names::levelFrame, twipsRect(2880, 120, 1335, 1455));
    fillFrame<3>(levelOptions_, level, names::levelOption,
                 {QStringLiteral("Fácil"), QStringLiteral("Normal"), QStringLiteral("Difícil")}, {855, 975, 855});

    okButton_ = placed(new QPushButton(QStringLiteral("OK"), this), names::okButton, twipsRect(2880, 1680, 1215, 375));
    // Return in the text box does not confirm the dialog; only "OK" does.
    okButton_->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &OptionsDialog::confirm);
}

// Time options, points options, the text box and "OK", then the level
// options from the hardest up.
void OptionsDialog::arrangeTabOrder()
{
    const std::array<QWidget*, 12> order{timeOptions_[0],   timeOptions_[1],   timeOptions_[2],   timeOptions_[3],
                                         pointsOptions_[0], pointsOptions_[1], pointsOptions_[2], pointsText_,
                                         okButton_,         levelOptions_[2],  levelOptions_[1],  levelOptions_[0]};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void OptionsDialog::pointsChosen(int index)
{
    pointsText_->setText(pointsOptions_[index]->text());
}

// Time and level are stored first, even when the target is refused.
void OptionsDialog::confirm()
{
    for (int i = 0; i < static_cast<int>(timeOptions_.size()); ++i) {
        if (timeOptions_[i]->isChecked())
            options_.roundSeconds = (i + 2) * 60;
    }
    for (int i = 0; i < static_cast<int>(levelOptions_.size()); ++i) {
        if (levelOptions_[i]->isChecked())
            options_.level = i;
    }
    if (pointsText_->text().trimmed().isEmpty()) {
        prompts_.warn(texts::noTargetChosen());
        return;
    }
    const QByteArray points = pointsText_->text().toLatin1();
    options_.targetPoints = readTargetNumber(std::string_view(points.constData(), points.size()));
    accept();
}

} // namespace palitra
