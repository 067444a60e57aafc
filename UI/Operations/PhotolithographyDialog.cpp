#include "UI/Operations/PhotolithographyDialog.h"

#include "Core/Operations/Photolithography/MaskImage.h"
#include "Core/Operations/Photolithography/PhotolithographyProcesses.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/BatchRun/MaterialChoice.h"
#include "UI/BatchRun/ProcessData.h"
#include "UI/MaterialComboBox.h"
#include "UI/Operations/LayoutMaskDialog.h"
#include "Util/DebugLog.h"

#include <QComboBox>
#include <QDebug>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Ui {
namespace Operations {

namespace {

QString &lastMaskDirectory()
{
    static QString directory = QDir::homePath();
    return directory;
}

const char *const SideNames[] = {"Top", "Bottom"};

// The x-y extent a layout mask is drawn for when there is no volume yet.
constexpr unsigned DefaultLayoutCells = 100;

} // namespace

QString PhotolithographyDialog::maskDirectory()
{
    return lastMaskDirectory();
}

PhotolithographyDialog::PhotolithographyDialog(QWidget *parent)
    : QDialog(parent)
    , m_material(new QComboBox(this))
{
    setObjectName(QStringLiteral("PhotolithographyDialog"));
    setWindowTitle(tr("Photolithography Options"));
    setFixedSize(370, 360);
    m_material->setObjectName(QStringLiteral("cbxMaterial"));

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Select Film"), this), 0, 0, 1, 4);
    grid->addWidget(m_material, 1, 0, 1, 4);
    addMaskRow(grid, 2, Top, tr("Top Mask"));
    addMaskRow(grid, 5, Bottom, tr("Bottom Mask"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(buttons);
}

void PhotolithographyDialog::addMaskRow(QGridLayout *grid, int row, Side side, const QString &label)
{
    const QString name = QLatin1String(SideNames[side]);
    MaskChoice &choice = m_masks[side];
    choice.edit = new QLineEdit(this);
    choice.edit->setObjectName(QStringLiteral("txt%1Mask").arg(name));
    auto *browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("btn%1MaskFile").arg(name));
    browse->setText(QStringLiteral("..."));
    auto *apply = new QPushButton(tr("Apply"), this);
    apply->setObjectName(QStringLiteral("btn%1MaskApply").arg(name));
    apply->setAutoDefault(false);
    auto *remove = new QPushButton(tr("Remove"), this);
    remove->setObjectName(QStringLiteral("btn%1MaskRemove").arg(name));
    remove->setAutoDefault(false);
    connect(browse, &QToolButton::clicked, this, [this, side] { chooseMaskFile(side); });
    connect(apply, &QPushButton::clicked, this, [this, side] { applyMask(side); });
    connect(remove, &QPushButton::clicked, this, [this, side] { removeMask(side); });

    grid->addWidget(new QLabel(label, this), row, 0, 1, 4);
    grid->addWidget(choice.edit, row + 1, 0, 1, 3);
    grid->addWidget(browse, row + 1, 3);
    grid->addWidget(apply, row + 2, 1);
    grid->addWidget(remove, row + 2, 2);
}

void PhotolithographyDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_material, materials);
}

unsigned PhotolithographyDialog::materialId() const
{
    return MaterialComboBox::selectedMaterialId(m_material);
}

std::vector<Model::Materials::Material> PhotolithographyDialog::films()
{
    std::vector<Model::Materials::Material> materials =
        MaterialComboBox::compatibleWith(Core::Operations::photolithographyDescriptor().catalogueName());
    std::stable_partition(materials.begin(), materials.end(), [](const Model::Materials::Material &material) {
        return material.name().contains(QLatin1String("resist"), Qt::CaseInsensitive);
    });
    return materials;
}

void PhotolithographyDialog::accept()
{
    const unsigned film = materialId();
    const bool unmasked = m_masks[Top].mask.isEmpty() && m_masks[Bottom].mask.isEmpty();
    if (unmasked && film != 0 && film != Model::Materials::NegativePhotoresistId) {
        const QString name = m_material->currentText();
        const auto answer = QMessageBox::question(
            this, windowTitle(),
            tr("No mask is applied: all of the exposed %1 will be developed. Continue?").arg(name),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    QDialog::accept();
}

void PhotolithographyDialog::fillEntry(ProcessData &entry) const
{
    using Core::Operations::MaskParameters;
    Core::Operations::ParameterMap values;
    MaterialChoice::set(values, Core::Operations::ParameterDeclaration::materialChoiceNames(QString()),
                        Model::Materials::MaterialFactory::getInstance()->getMaterial(materialId()));
    for (const Side side : {Top, Bottom}) {
        const MaskParameters &names = MaskParameters::of(side == Top ? MaskParameters::Top : MaskParameters::Bottom);
        const MaskChoice &choice = m_masks[side];
        values[names.bits] = QVariant::fromValue(choice.mask.bits);
        values[names.file] = choice.file;
        values[names.layout] = choice.source;
        values[names.height] = unsigned(std::max(choice.mask.height, 0));
        values[names.width] = unsigned(std::max(choice.mask.width, 0));
        // Only a layout mask has its choices; with them the entry draws the
        // mask for the volume it runs on.
        if (!choice.fromLayout)
            continue;
        const Core::Operations::MaskSource &layout = choice.layout;
        values[names.cell] = QString::fromLatin1(layout.cell.c_str());
        values[names.layer] = layout.layer.first;
        values[names.datatype] = layout.layer.second;
        values[names.unitsPerCell] = layout.placement.unitsPerCell;
        values[names.offsetX] = layout.placement.offsetX;
        values[names.offsetY] = layout.placement.offsetY;
    }
    for (const auto &declared : Core::Operations::photolithographyDescriptor().parameters())
        if (values.count(declared.name))
            entry.setParameter(declared.name, values[declared.name], declared.isShownIn(values));
}

void PhotolithographyDialog::setVolumeExtent(unsigned sizeX, unsigned sizeY)
{
    m_sizeX = sizeX;
    m_sizeY = sizeY;
}

void PhotolithographyDialog::chooseMaskFile(Side side)
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Choose Mask File"), lastMaskDirectory(),
                                                      tr("Image Files (*.png *.jpg *.bmp);;Layout Files (*.gds)"));
    if (file.isEmpty())
        return;
    m_masks[side].edit->setText(file);
    lastMaskDirectory() = QFileInfo(file).absolutePath();
}

bool PhotolithographyDialog::applyMask(Side side)
{
    MaskChoice &choice = m_masks[side];
    const QString file = choice.edit->text();
    MaskChoice read = choice;
    if (Core::Operations::MaskFile::isLayout(file)) {
        bool declined = false;
        if (!readLayoutMask(file, read, &declined)) {
            if (!declined)
                warnUnreadable(side);
            return false;
        }
    } else {
        const QImage image(file);
        if (image.isNull()) {
            warnUnreadable(side);
            return false;
        }
        read.mask = Core::Operations::maskFromImage(image);
        read.source.clear();
        read.fromLayout = false;
    }
    // By its whole path: a list that keeps it may be saved anywhere.
    read.file = QFileInfo(file).absoluteFilePath();
    choice = read;
    lastMaskDirectory() = QFileInfo(file).absolutePath();
    emit maskChanged(side);
    return true;
}

void PhotolithographyDialog::setMask(Side side, const Model::Automaton::CellMask &mask, const QString &file)
{
    MaskChoice &choice = m_masks[side];
    choice.mask = mask;
    choice.file = file;
    choice.source.clear();
    choice.fromLayout = false;
    choice.edit->setText(file);
}

void PhotolithographyDialog::removeMask(Side side)
{
    MaskChoice &choice = m_masks[side];
    choice.mask = Model::Automaton::CellMask();
    choice.file.clear();
    choice.source.clear();
    choice.fromLayout = false;
    emit maskChanged(side);
}

void PhotolithographyDialog::warnUnreadable(Side side)
{
    const QString text = side == Top
        ? tr("Top Mask file not found!<br/>Please verify the filename is correct and you have the correct permissions.")
        : tr("Bottom mask not found error!<br/>Please verify if the filename is correct and you have the correct "
             "permissions.");
    QMessageBox::warning(this, windowTitle(), text);
}

bool PhotolithographyDialog::readLayoutMask(const QString &file, MaskChoice &choice, bool *declined)
{
    using Core::Operations::LayoutMask;
    *declined = false;
    Core::Operations::LayoutFile layout;
    QString problem;
    if (!layout.readFile(file, &problem) || layout.cells().empty()) {
        qCDebug(tessivalLog) << "Layout file" << file << "refused:" << problem;
        return false;
    }
    // Without a volume (a process list entry) the mask is drawn at the size
    // of a new volume.
    const unsigned sizeX = m_sizeX ? m_sizeX : DefaultLayoutCells;
    const unsigned sizeY = m_sizeY ? m_sizeY : DefaultLayoutCells;
    LayoutMaskDialog ask(layout, sizeX, sizeY, this);
    if (ask.exec() != QDialog::Accepted) {
        *declined = true;
        return false;
    }
    std::vector<LayoutMask::Polygon> polygons;
    if (!LayoutMask::polygons(layout, ask.cell(), ask.layer(), polygons, &problem)) {
        qCDebug(tessivalLog) << "Layout file" << file << "refused:" << problem;
        return false;
    }
    choice.mask = LayoutMask::rasterise(polygons, sizeX, sizeY, ask.placement());
    choice.source = tr("%1, layer %2/%3")
                        .arg(QString::fromLatin1(ask.cell().c_str()))
                        .arg(ask.layer().first)
                        .arg(ask.layer().second);
    choice.fromLayout = true;
    choice.layout.cell = ask.cell();
    choice.layout.layerChosen = true;
    choice.layout.layer = ask.layer();
    choice.layout.placed = true;
    choice.layout.placement = ask.placement();
    return true;
}

} // namespace Operations
} // namespace Ui
