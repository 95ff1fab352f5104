#include "game/Form2.h"

#include "app/Platform.h"
#include "game/NumberReader.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace palitra {

namespace {

// Places are kept in twips, 15 to the pixel.
constexpr int TwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height)
{
    return QRect(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel);
}

template <typename Widget>
Widget* place(Widget* widget, const QString& name, const QRect& geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    return place(new QGroupBox(caption, parent), name, geometry);
}

QRadioButton* option(QWidget* frame, const QString& name, const QString& caption, const QRect& geometry)
{
    return place(new QRadioButton(caption, frame), name, geometry);
}

} // namespace

Form2::Form2(GameOptions& options, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , options_(options)
    , prompts_(prompts)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Elige..."));
    setFixedSize(twips(0, 0, 4350, 2205).size());
    buildControls();
    arrangeTabOrder();
    connectHandlers();
}

void Form2::buildControls()
{
    Frame1 = frame(this, QStringLiteral("Frame1"), QStringLiteral("Tiempo"), twips(120, 120, 1215, 1935));
    Option1[0] = option(Frame1, QStringLiteral("Option1_0"), QStringLiteral("2 min."), twips(240, 360, 855, 255));
    Option1[1] = option(Frame1, QStringLiteral("Option1_1"), QStringLiteral("3 min."), twips(240, 720, 855, 255));
    Option1[2] = option(Frame1, QStringLiteral("Option1_2"), QStringLiteral("4 min."), twips(240, 1080, 735, 255));
    Option1[3] = option(Frame1, QStringLiteral("Option1_3"), QStringLiteral("5 min."), twips(240, 1440, 735, 255));
    Option1[1]->setChecked(true);

    Frame2 = frame(this, QStringLiteral("Frame2"), QStringLiteral("Puntos"), twips(1560, 120, 1215, 1935));
    Option2[0] = option(Frame2, QStringLiteral("Option2_0"), QStringLiteral("50 "), twips(240, 360, 615, 255));
    Option2[1] = option(Frame2, QStringLiteral("Option2_1"), QStringLiteral("100"), twips(240, 720, 615, 255));
    Option2[2] = option(Frame2, QStringLiteral("Option2_2"), QStringLiteral("150 "), twips(240, 1080, 615, 255));
    Option2[1]->setChecked(true);
    Text1 = place(new QLineEdit(QStringLiteral("100"), Frame2), QStringLiteral("Text1"), twips(240, 1440, 735, 285));

    Frame3 = frame(this, QStringLiteral("Frame3"), QStringLiteral("Nivel"), twips(2880, 120, 1335, 1455));
    Option3[0] = option(Frame3, QStringLiteral("Option3_0"), QStringLiteral("Fácil"), twips(240, 360, 855, 255));
    Option3[1] = option(Frame3, QStringLiteral("Option3_1"), QStringLiteral("Normal"), twips(240, 720, 975, 255));
    Option3[2] = option(Frame3, QStringLiteral("Option3_2"), QStringLiteral("Difícil"), twips(240, 1080, 855, 255));
    Option3[1]->setChecked(true);

    Command1 = place(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("Command1"),
                     twips(2880, 1680, 1215, 375));
    // Enter in the text box does not confirm the dialog; only "OK" does.
    Command1->setAutoDefault(false);
}

// Time options, points options, the text box and "OK", then the level
// options from the hardest up.
void Form2::arrangeTabOrder()
{
    const std::array<QWidget*, 12> order{Option1[0], Option1[1], Option1[2], Option1[3],
                                         Option2[0], Option2[1], Option2[2], Text1,
                                         Command1,   Option3[2], Option3[1], Option3[0]};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form2::connectHandlers()
{
    for (int index = 0; index < static_cast<int>(Option2.size()); ++index) {
        // A click on the selected option refills the text as well; selecting
        // one with the arrow keys does too.
        connect(Option2[index], &QRadioButton::clicked, this, [this, index] { Option2_Click(index); });
        connect(Option2[index], &QRadioButton::toggled, this, [this, index](bool on) {
            if (on)
                Option2_Click(index);
        });
    }
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Option2_Click(int index)
{
    Text1->setText(Option2[index]->text());
}

void Form2::Command1_Click()
{
    for (int i = 0; i < 4; ++i) {
        if (Option1[i]->isChecked())
            options_.roundSeconds = (i + 2) * 60;
        if (i <= 2 && Option3[i]->isChecked())
            options_.level = i;
    }

    if (Text1->text().trimmed().isEmpty()) {
        prompts_.warn(QStringLiteral("No has elegido los puntos."));
        return;
    }
    const QByteArray points = Text1->text().toLatin1();
    options_.targetPoints = readTargetNumber(std::string_view(points.constData(), points.size()));
    accept();
}

} // namespace palitra
