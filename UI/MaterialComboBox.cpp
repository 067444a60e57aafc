#include "UI/MaterialComboBox.h"

#include "Model/Materials/MaterialFactory.h"
#include "Model/Process/ProcessFactory.h"

#include <QComboBox>
#include <QPixmap>

namespace Ui {

QIcon MaterialComboBox::swatch(const Model::Materials::Colour &c, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(int(c.red * 255), int(c.green * 255), int(c.blue * 255), int(c.alpha * 255)));
    return QIcon(pixmap);
}

std::vector<Model::Materials::Material> MaterialComboBox::compatibleWith(const QString &processName)
{
    const auto catalogue = Model::Materials::MaterialFactory::getInstance();
    const Model::Process::Process process = Model::Process::ProcessFactory::getInstance()->getProcessByName(processName);
    std::vector<Model::Materials::Material> materials;
    for (unsigned id : process.compatibleMaterials()) {
        const Model::Materials::Material material = catalogue->getMaterial(id);
        if (material.id() != 0)
            materials.push_back(material);
    }
    return materials;
}

void MaterialComboBox::fill(QComboBox *box, const std::vector<Model::Materials::Material> &materials)
{
    box->clear();
    for (const Model::Materials::Material &material : materials)
        box->addItem(swatch(material.colour()), material.name(), QVariant(material.id()));
}

unsigned MaterialComboBox::selectedMaterialId(const QComboBox *box)
{
    return box->currentIndex() < 0 ? 0u : box->currentData().toUInt();
}

bool MaterialComboBox::selectMaterial(QComboBox *box, unsigned id)
{
    const int index = box->findData(QVariant(id));
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    return true;
}

} // namespace Ui
