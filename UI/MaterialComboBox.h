#pragma once

#include "Model/Materials/Material.h"

#include <QIcon>

#include <vector>

class QComboBox;

namespace Ui {

// The material choice of every option dialog: one item per material with a
// 100 x 100 swatch of its colour, its name, and its id as item data.
class MaterialComboBox
{
public:
    static void fill(QComboBox *box, const std::vector<Model::Materials::Material> &materials);
    // The id of the current item, 0 when there is none.
    static unsigned selectedMaterialId(const QComboBox *box);
    // Makes the item of `id` current; false when the box has none.
    static bool selectMaterial(QComboBox *box, unsigned id);

    // The materials the process of this name may use, in its list's order;
    // ids the material catalogue does not know are left out.
    static std::vector<Model::Materials::Material> compatibleWith(const QString &processName);

    // A square swatch filled with the material colour (components x 255,
    // truncated), as the material lists show it.
    static QIcon swatch(const Model::Materials::Colour &colour, int size = 100);
};

} // namespace Ui
