#include "UI/MaterialComboBox.h"

#include <QComboBox>
#include <QPixmap>

namespace Ui {

QIcon MaterialComboBox::swatch(const Model::Materials::Colour &c, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(int(c.red * 255), int(c.green * 255), int(c.blue * 255), int(c.alpha * 255)));
    return QIcon(pixmap);
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
