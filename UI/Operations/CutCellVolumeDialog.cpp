#include "UI/Operations/CutCellVolumeDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace Ui {
namespace Operations {

namespace {

const char *const AxisNames[3] = {"X", "Y", "Z"};

// Sets a value without showing it: the caller shows the whole change once.
class Adjusting
{
public:
    explicit Adjusting(bool &flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~Adjusting() { m_flag = m_was; }

private:
    bool &m_flag;
    bool m_was;
};

} // namespace

CutCellVolumeDialog::CutCellVolumeDialog(QWidget *parent)
    : QDialog(parent)
    , m_preview(new QCheckBox(tr("Preview"), this))
{
    setObjectName(QStringLiteral("CutCellVolumeDialog"));
    setWindowTitle(tr("Cut Cell Volume"));
    resize(541, 395);

    const QString lowerTips[3] = {tr("Lower X cutoff limit."), tr("Lower Y cutoff limit."),
                                  tr("Lower Z cuttoff limit")};
    const QString upperTips[3] = {tr("Upper X cutoff limit."), tr("Upper Y cutoff limit."),
                                  tr("Upper Z cutoff limit.")};
    auto *layout = new QVBoxLayout(this);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        m_lower[axis] = makeLimit(AxisNames[axis], "Lower", lowerTips[axis]);
        m_upper[axis] = makeLimit(AxisNames[axis], "Upper", upperTips[axis]);
        auto *group = new QGroupBox(tr("%1 Axis Limits").arg(QLatin1String(AxisNames[axis])), this);
        auto *grid = new QGridLayout(group);
        grid->addWidget(new QLabel(tr("Lower Limit"), group), 0, 0);
        grid->addWidget(m_lower[axis].slider, 0, 1);
        grid->addWidget(m_lower[axis].box, 0, 2);
        grid->addWidget(new QLabel(tr("Upper Limit"), group), 1, 0);
        grid->addWidget(m_upper[axis].slider, 1, 1);
        grid->addWidget(m_upper[axis].box, 1, 2);
        layout->addWidget(group);
        connect(m_lower[axis].box, QOverload<int>::of(&QSpinBox::valueChanged), this,
                [this, axis] { lowerChanged(axis); });
        connect(m_upper[axis].box, QOverload<int>::of(&QSpinBox::valueChanged), this,
                [this, axis] { upperChanged(axis); });
    }

    auto *resetButton = new QPushButton(tr("Reset"), this);
    resetButton->setObjectName(QStringLiteral("btnReset"));
    resetButton->setToolTip(tr("Reset to original values."));
    resetButton->setAutoDefault(false);
    connect(resetButton, &QPushButton::clicked, this, &CutCellVolumeDialog::reset);
    m_preview->setObjectName(QStringLiteral("cbxPreview"));
    m_preview->setToolTip(tr("Check to preview changes, it might be slow for large structures."));
    connect(m_preview, &QCheckBox::toggled, this, &CutCellVolumeDialog::changed);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addWidget(resetButton);
    row->addWidget(m_preview);
    row->addStretch(1);
    row->addWidget(buttons);
    layout->addLayout(row);

    setLimits({0, 0, 0}, {1, 1, 1}, {1, 1, 1});
}

CutCellVolumeDialog::Limit CutCellVolumeDialog::makeLimit(const char *axis, const char *end, const QString &toolTip)
{
    Limit limit;
    limit.box = new QSpinBox(this);
    limit.box->setObjectName(QStringLiteral("sbx%1%2").arg(QLatin1String(end), QLatin1String(axis)));
    limit.box->setToolTip(toolTip);
    limit.slider = new QSlider(Qt::Horizontal, this);
    limit.slider->setObjectName(QStringLiteral("sld%1%2").arg(QLatin1String(end), QLatin1String(axis)));
    limit.slider->setToolTip(toolTip);
    QSpinBox *box = limit.box;
    QSlider *slider = limit.slider;
    connect(box, QOverload<int>::of(&QSpinBox::valueChanged), slider, &QSlider::setValue);
    connect(slider, &QSlider::valueChanged, box, &QSpinBox::setValue);
    return limit;
}

void CutCellVolumeDialog::setLimits(const Corner &lower, const Corner &upper, const Corner &size)
{
    const Adjusting adjusting(m_adjusting);
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const int n = std::max(size[axis], 1);
        m_size[axis] = n;
        m_lower[axis].slider->setRange(0, n - 1);
        m_lower[axis].box->setRange(0, n - 1);
        m_upper[axis].slider->setRange(1, n);
        m_upper[axis].box->setRange(1, n);
        m_upper[axis].box->setValue(upper[axis]);
        m_lower[axis].box->setValue(lower[axis]);
    }
}

void CutCellVolumeDialog::reset()
{
    {
        const Adjusting adjusting(m_adjusting);
        for (std::size_t axis = 0; axis < 3; ++axis) {
            m_lower[axis].box->setValue(0);
            m_upper[axis].box->setValue(m_size[axis]);
        }
    }
    changed();
}

void CutCellVolumeDialog::lowerChanged(std::size_t axis)
{
    const int lower = m_lower[axis].box->value();
    if (lower >= m_upper[axis].box->value()) {
        const Adjusting adjusting(m_adjusting);
        m_upper[axis].box->setValue(lower + 1);
    }
    changed();
}

void CutCellVolumeDialog::upperChanged(std::size_t axis)
{
    const int upper = m_upper[axis].box->value();
    if (upper <= m_lower[axis].box->value()) {
        const Adjusting adjusting(m_adjusting);
        m_lower[axis].box->setValue(upper - 1);
    }
    changed();
}

void CutCellVolumeDialog::changed()
{
    if (!m_adjusting && m_preview->isChecked())
        emit previewRequested();
}

CutCellVolumeDialog::Corner CutCellVolumeDialog::lower() const
{
    return {m_lower[0].box->value(), m_lower[1].box->value(), m_lower[2].box->value()};
}

CutCellVolumeDialog::Corner CutCellVolumeDialog::upper() const
{
    return {m_upper[0].box->value(), m_upper[1].box->value(), m_upper[2].box->value()};
}

bool CutCellVolumeDialog::isPreviewOn() const
{
    return m_preview->isChecked();
}

} // namespace Operations
} // namespace Ui
