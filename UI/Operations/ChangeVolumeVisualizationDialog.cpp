#include "UI/Operations/ChangeVolumeVisualizationDialog.h"

#include "UI/Input/ChangeColorsDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace Ui {
namespace Operations {

namespace {

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &text, bool checked)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

Util::Vector4D toVector(const Model::Materials::Colour &c)
{
    return Util::Vector4D(c.red, c.green, c.blue, c.alpha);
}

} // namespace

ChangeVolumeVisualizationDialog::ChangeVolumeVisualizationDialog(QWidget *parent, bool atoms, bool surfaceAtomsOnly,
                                                                 bool links, bool unitCellOutlines, bool unitCells,
                                                                 bool emptyVoxelOutlines, int algorithm)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ChangeVolumeVisualizationDialog"));
    setWindowTitle(tr("Change Volume Visualization Options"));
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabWidget"));

    // Si Visualization
    auto *scroll = new QScrollArea(tabs);
    scroll->setWidgetResizable(true);
    auto *siPage = new QWidget(scroll);
    auto *siLayout = new QVBoxLayout(siPage);
    auto *atomistic = new QGroupBox(tr("Atomistic Visualization"), siPage);
    auto *atomisticLayout = new QVBoxLayout(atomistic);
    m_atoms = checkBox(atomistic, "cbxRenderAtoms", tr("Render Si Atoms"), atoms);
    m_surfaceAtomsOnly = checkBox(atomistic, "cbxSurfaceAtomsOnly", tr("Render surface atoms only"), surfaceAtomsOnly);
    m_links = checkBox(atomistic, "cbxRenderLinks", tr("Render Si atom links"), links);
    m_unitCellOutlines = checkBox(atomistic, "cbxRenderUnitCellOutlines", tr("Render Si unit cell outlines"),
                                  unitCellOutlines);
    m_unitCells = checkBox(atomistic, "cbxRenderUnitCells", tr("Render Si unit cells"), unitCells);
    for (QCheckBox *box : {m_atoms, m_surfaceAtomsOnly, m_links, m_unitCellOutlines, m_unitCells})
        atomisticLayout->addWidget(box);
    m_surfaceAtomsOnly->setEnabled(atoms);
    connect(m_atoms, &QCheckBox::toggled, m_surfaceAtomsOnly, &QWidget::setEnabled);
    auto *voxel = new QGroupBox(tr("Voxel Visualization"), siPage);
    auto *voxelLayout = new QVBoxLayout(voxel);
    m_emptyVoxelOutlines = checkBox(voxel, "cbxEmptyVoxelOutlines", tr("Render Empty Voxel Outlines"),
                                    emptyVoxelOutlines);
    voxelLayout->addWidget(m_emptyVoxelOutlines);
    siLayout->addWidget(atomistic);
    siLayout->addWidget(voxel);
    siLayout->addStretch();
    scroll->setWidget(siPage);
    tabs->addTab(scroll, tr("Si Visualization"));

    // Film Visualization
    auto *filmPage = new QWidget(tabs);
    auto *filmLayout = new QVBoxLayout(filmPage);
    filmLayout->addWidget(new QLabel(tr("Material"), filmPage));
    m_materialList = new QListWidget(filmPage);
    m_materialList->setObjectName(QStringLiteral("lstMaterials"));
    filmLayout->addWidget(m_materialList);
    auto *change = new QPushButton(tr("Change Color"), filmPage);
    change->setObjectName(QStringLiteral("btnChangeColor"));
    connect(change, &QPushButton::clicked, this, &ChangeVolumeVisualizationDialog::changeColor);
    filmLayout->addWidget(change);
    tabs->addTab(filmPage, tr("Film Visualization"));

    // Surface Generation
    auto *surfacePage = new QWidget(tabs);
    auto *surfaceLayout = new QVBoxLayout(surfacePage);
    surfaceLayout->addWidget(new QLabel(tr("Surface Generation Algorithm"), surfacePage));
    m_algorithm = new QComboBox(surfacePage);
    m_algorithm->setObjectName(QStringLiteral("cbxAlgorithm"));
    m_algorithm->addItems({tr("Direct Cubic Surface Generation"), tr("Marching Cubes"),
                           tr("Octree Surface Generation")});
    m_algorithm->setCurrentIndex(algorithm >= 0 && algorithm < m_algorithm->count() ? algorithm : 0);
    surfaceLayout->addWidget(m_algorithm);
    surfaceLayout->addStretch();
    tabs->addTab(surfacePage, tr("Surface Generation"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void ChangeVolumeVisualizationDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    m_materials = materials;
    m_changed.clear();
    m_swatches.clear();
    m_materialList->clear();
    for (const Model::Materials::Material &material : m_materials) {
        auto *row = new QWidget(m_materialList);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(2, 2, 2, 2);
        auto *swatch = new QLabel(row);
        swatch->setFixedSize(16, 16);
        rowLayout->addWidget(swatch);
        rowLayout->addWidget(new QLabel(material.name(), row));
        rowLayout->addStretch();
        auto *item = new QListWidgetItem(m_materialList);
        item->setSizeHint(row->sizeHint());
        m_materialList->setItemWidget(item, row);
        m_swatches.push_back(swatch);
        showSwatch(int(m_swatches.size()) - 1);
    }
    if (!m_materials.empty())
        m_materialList->setCurrentRow(0);
}

void ChangeVolumeVisualizationDialog::showSwatch(int row)
{
    m_swatches[std::size_t(row)]->setStyleSheet(
        Input::ChangeColorsDialog::swatchStyle(toVector(m_materials[std::size_t(row)].colour())));
}

void ChangeVolumeVisualizationDialog::changeColor()
{
    const int row = m_materialList->currentRow();
    if (row < 0 || std::size_t(row) >= m_materials.size())
        return;
    Model::Materials::Material &material = m_materials[std::size_t(row)];
    const Model::Materials::Colour &c = material.colour();
    // Alpha too: it decides which materials are drawn translucent.
    const QColor chosen = QColorDialog::getColor(QColor::fromRgbF(c.red, c.green, c.blue, c.alpha), this,
                                                 tr("Select new film color"),
                                                 QColorDialog::DontUseNativeDialog | QColorDialog::ShowAlphaChannel);
    if (!chosen.isValid())
        return;
    material.setColour(Model::Materials::Colour{float(chosen.redF()), float(chosen.greenF()), float(chosen.blueF()),
                                                float(chosen.alphaF())});
    m_changed.insert(material.id());
    showSwatch(row);
}

bool ChangeVolumeVisualizationDialog::renderAtoms() const { return m_atoms->isChecked(); }
bool ChangeVolumeVisualizationDialog::renderSurfaceAtomsOnly() const { return m_surfaceAtomsOnly->isChecked(); }
bool ChangeVolumeVisualizationDialog::renderAtomLinks() const { return m_links->isChecked(); }
bool ChangeVolumeVisualizationDialog::renderUnitCellOutlines() const { return m_unitCellOutlines->isChecked(); }
bool ChangeVolumeVisualizationDialog::renderUnitCells() const { return m_unitCells->isChecked(); }
bool ChangeVolumeVisualizationDialog::renderEmptyVoxelOutlines() const { return m_emptyVoxelOutlines->isChecked(); }
int ChangeVolumeVisualizationDialog::algorithm() const { return m_algorithm->currentIndex(); }

std::vector<Model::Materials::Material> ChangeVolumeVisualizationDialog::changedMaterials() const
{
    std::vector<Model::Materials::Material> changed;
    for (const Model::Materials::Material &material : m_materials)
        if (m_changed.count(material.id()))
            changed.push_back(material);
    return changed;
}

} // namespace Operations
} // namespace Ui
