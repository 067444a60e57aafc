#include "UI/Operations/LayoutMaskDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPoint>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <set>

namespace Ui {
namespace Operations {

using Core::Operations::LayoutMask;

namespace {

QDoubleSpinBox *lengthBox(QWidget *parent, const char *name)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(9);
    box->setRange(-1e12, 1e12);
    return box;
}

} // namespace

LayoutMaskDialog::LayoutMaskDialog(const Core::Operations::LayoutFile &layout, unsigned sizeX, unsigned sizeY,
                                   QWidget *parent)
    : QDialog(parent)
    , m_layout(layout)
    , m_sizeX(sizeX)
    , m_sizeY(sizeY)
    , m_cell(new QComboBox(this))
    , m_layer(new QComboBox(this))
    , m_units(lengthBox(this, "dblUnitsPerCell"))
    , m_offsetX(lengthBox(this, "dblOffsetX"))
    , m_offsetY(lengthBox(this, "dblOffsetY"))
{
    setObjectName(QStringLiteral("LayoutMaskDialog"));
    setWindowTitle(tr("Layout Mask"));
    m_cell->setObjectName(QStringLiteral("cbxCell"));
    m_layer->setObjectName(QStringLiteral("cbxLayer"));
    m_units->setMinimum(1e-9);

    // Top cells first, then the cells they place.
    const std::vector<std::string> tops = layout.topCells();
    for (const std::string &name : tops)
        m_cell->addItem(QString::fromLatin1(name.c_str()));
    for (const auto &entry : layout.cells())
        if (std::find(tops.begin(), tops.end(), entry.first) == tops.end())
            m_cell->addItem(QString::fromLatin1(entry.first.c_str()));

    auto *form = new QFormLayout;
    form->addRow(tr("Top Cell"), m_cell);
    form->addRow(tr("Layer"), m_layer);
    form->addRow(tr("Layout Units per Cell"), m_units);
    form->addRow(tr("Offset X"), m_offsetX);
    form->addRow(tr("Offset Y"), m_offsetY);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layoutBox = new QVBoxLayout(this);
    layoutBox->addLayout(form);
    layoutBox->addWidget(buttons);

    connect(m_cell, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { cellChosen(); });
    cellChosen();
}

void LayoutMaskDialog::cellChosen()
{
    m_layer->clear();
    const std::string name = cell();
    for (const auto &layer : LayoutMask::layers(m_layout, name))
        m_layer->addItem(tr("%1/%2").arg(layer.first).arg(layer.second), QVariant(QPoint(int(layer.first), int(layer.second))));
    std::vector<LayoutMask::Polygon> all;
    QString problem;
    LayoutMask::Placement fit;
    if (LayoutMask::allPolygons(m_layout, name, all, &problem))
        fit = LayoutMask::fitting(all, m_sizeX, m_sizeY);
    m_units->setValue(fit.unitsPerCell);
    m_offsetX->setValue(fit.offsetX);
    m_offsetY->setValue(fit.offsetY);
}

std::string LayoutMaskDialog::cell() const
{
    return m_cell->currentText().toLatin1().toStdString();
}

LayoutMask::Layer LayoutMaskDialog::layer() const
{
    if (m_layer->currentIndex() < 0)
        return {0, 0};
    const QPoint chosen = m_layer->currentData().toPoint();
    return {unsigned(chosen.x()), unsigned(chosen.y())};
}

LayoutMask::Placement LayoutMaskDialog::placement() const
{
    return {m_units->value(), m_offsetX->value(), m_offsetY->value()};
}

} // namespace Operations
} // namespace Ui
