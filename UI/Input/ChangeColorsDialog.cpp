#include "UI/Input/ChangeColorsDialog.h"

#include "Model/ColourScheme.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace Ui {
namespace Input {

using Model::ColourScheme;

namespace {

QString hexChannel(double value)
{
    return QStringLiteral("%1").arg(int(value * 255.0), 2, 16, QLatin1Char('0'));
}

QColor toColor(const Util::Vector4D &c)
{
    return QColor::fromRgbF(qBound(0.0, c.x, 1.0), qBound(0.0, c.y, 1.0), qBound(0.0, c.z, 1.0),
                            qBound(0.0, c.w, 1.0));
}

} // namespace

ChangeColorsDialog::ChangeColorsDialog(QWidget *parent)
    : QDialog(parent)
    , m_scheme(ColourScheme::currentScheme())
{
    setObjectName(QStringLiteral("ChangeColorsDialogForm"));
    setWindowTitle(tr("Change Default Colors"));

    struct Row { int kind; const char *name; const char *label; void (ChangeColorsDialog::*slot)(); };
    const Row rows[] = {
        {ColourScheme::BackgroundColour, "btnBackgroundColor", QT_TR_NOOP("Background Color"), &ChangeColorsDialog::changeBgColor},
        {ColourScheme::GridColour, "btnGridColor", QT_TR_NOOP("Grid Color"), &ChangeColorsDialog::changeGridColor},
        {ColourScheme::ObjectColour, "btnObjectColor", QT_TR_NOOP("Default Object Color"), &ChangeColorsDialog::changeObjectColor},
        {ColourScheme::OutlineColour, "btnOutlineColor", QT_TR_NOOP("Default Object Outline Color"), &ChangeColorsDialog::changeOutlineColor},
    };
    auto *grid = new QGridLayout(this);
    int line = 0;
    for (const Row &row : rows) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(row.name));
        button->setFlat(true);
        button->setMinimumSize(48, 20);
        connect(button, &QPushButton::clicked, this, row.slot);
        m_buttons[std::size_t(row.kind)] = button;
        grid->addWidget(new QLabel(tr(row.label), this), line, 0);
        grid->addWidget(button, line, 1);
        ++line;
    }
    auto *loadDefault = new QPushButton(tr("Load Default Colors"), this);
    loadDefault->setObjectName(QStringLiteral("btnLoadDefaultColors"));
    auto *loadLow = new QPushButton(tr("Load Low Color Scheme"), this);
    loadLow->setObjectName(QStringLiteral("btnLoadLowColors"));
    connect(loadDefault, &QPushButton::clicked, this, &ChangeColorsDialog::loadDefaultColor);
    connect(loadLow, &QPushButton::clicked, this, &ChangeColorsDialog::loadLowColor);
    grid->addWidget(loadDefault, line, 0);
    grid->addWidget(loadLow, line, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(buttons, line + 1, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    loadScheme(m_scheme);
}

QString ChangeColorsDialog::swatchStyle(const Util::Vector4D &c)
{
    return QStringLiteral("background-color : #%1%2%3;\n").arg(hexChannel(c.x), hexChannel(c.y), hexChannel(c.z))
        + QStringLiteral("border: none;");
}

Util::Vector4D ChangeColorsDialog::workingColour(int kind) const
{
    return kind >= 0 && kind < 4 ? m_colours[std::size_t(kind)] : Util::Vector4D();
}

void ChangeColorsDialog::apply() const
{
    ColourScheme::setCurrentScheme(m_scheme);
    for (int kind = 0; kind < 4; ++kind)
        ColourScheme::setColour(kind, ColourScheme::CustomScheme, m_colours[std::size_t(kind)]);
}

void ChangeColorsDialog::changeBgColor() { pick(ColourScheme::BackgroundColour); }
void ChangeColorsDialog::changeGridColor() { pick(ColourScheme::GridColour); }
void ChangeColorsDialog::changeObjectColor() { pick(ColourScheme::ObjectColour); }
void ChangeColorsDialog::changeOutlineColor() { pick(ColourScheme::OutlineColour); }
void ChangeColorsDialog::loadDefaultColor() { loadScheme(ColourScheme::DefaultScheme); }
void ChangeColorsDialog::loadLowColor() { loadScheme(ColourScheme::LowScheme); }

void ChangeColorsDialog::pick(int kind)
{
    const QColor chosen = QColorDialog::getColor(toColor(m_colours[std::size_t(kind)]), this, tr("Select new color"),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return;
    m_colours[std::size_t(kind)] = Util::Vector4D(chosen.redF(), chosen.greenF(), chosen.blueF(), chosen.alphaF());
    m_scheme = ColourScheme::CustomScheme;
    showColours();
}

void ChangeColorsDialog::loadScheme(int scheme)
{
    m_scheme = scheme;
    for (int kind = 0; kind < 4; ++kind)
        m_colours[std::size_t(kind)] = ColourScheme::colour(kind, scheme);
    showColours();
}

void ChangeColorsDialog::showColours()
{
    for (int kind = 0; kind < 4; ++kind)
        m_buttons[std::size_t(kind)]->setStyleSheet(swatchStyle(m_colours[std::size_t(kind)]));
}

} // namespace Input
} // namespace Ui
