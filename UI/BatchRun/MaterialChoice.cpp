#include "UI/BatchRun/MaterialChoice.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/BatchRun/ProcessData.h"

#include <QColor>
#include <QStringList>

namespace Ui {

void MaterialChoice::set(Core::Operations::ParameterMap &values, const Names &names,
                         const Model::Materials::Material &material)
{
    const Model::Materials::Colour &c = material.colour();
    values[names.id] = material.id();
    values[names.name] = material.name();
    values[names.colour] = QColor(int(c.red * 255), int(c.green * 255), int(c.blue * 255));
}

void MaterialChoice::set(ProcessData &entry, const Names &names, const Model::Materials::Material &material)
{
    Core::Operations::ParameterMap values;
    set(values, names, material);
    for (const auto &value : values)
        entry.setParameter(value.first, value.second, entry.isVisible(value.first));
}

bool MaterialChoice::settle(ProcessData &entry, const QString &parameter, const QString &given,
                            const Model::Materials::MaterialFactory &catalogue, QString *problem)
{
    Names names;
    if (!Core::Operations::ParameterDeclaration::materialChoiceOf(parameter, &names) || !entry.hasParameter(names.id)
        || parameter == names.colour)
        return true;
    if (parameter == names.id) {
        bool number = false;
        const unsigned id = given.toUInt(&number);
        const Model::Materials::Material material = catalogue.getMaterial(id);
        if (!number || material.id() == 0) {
            *problem = QStringLiteral("the material catalogue has no material %1").arg(given);
            return false;
        }
        set(entry, names, material);
        return true;
    }
    QStringList known;
    for (const Model::Materials::Material &material : catalogue.getMaterials()) {
        if (material.name() == given) {
            set(entry, names, material);
            return true;
        }
        known << material.name();
    }
    *problem = QStringLiteral("the material catalogue has no material named \"%1\" (it has: %2)")
                   .arg(given, known.join(QStringLiteral(", ")));
    return false;
}

} // namespace Ui
