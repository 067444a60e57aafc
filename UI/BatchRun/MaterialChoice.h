#pragma once

#include "Core/Operations/ParameterDeclaration.h"

#include <QString>

namespace Model {
namespace Materials {
class Material;
class MaterialFactory;
}
}

namespace Ui {

class ProcessData;

// A material choice of a process list entry: the id that decides what the
// step uses, and the catalogue's name and colour that lists show it by
// (ParameterDeclaration::materialChoice names the three).
class MaterialChoice
{
public:
    using Names = Core::Operations::ParameterDeclaration::MaterialChoiceNames;

    // The three values of `material`.
    static void set(Core::Operations::ParameterMap &values, const Names &names,
                    const Model::Materials::Material &material);
    // The same in an entry, each parameter shown or hidden as it was.
    static void set(ProcessData &entry, const Names &names, const Model::Materials::Material &material);

    // Gives `parameter` of `entry` the value `given` together with the rest
    // of its material choice: the catalogue's material of that name (the
    // parameter is the shown name) or of that id (it is the id). False with
    // the reason when the catalogue has no such material; the entry is then
    // unchanged. True, changing nothing, for a colour or a parameter of no
    // choice the entry has.
    static bool settle(ProcessData &entry, const QString &parameter, const QString &given,
                       const Model::Materials::MaterialFactory &catalogue, QString *problem);
};

} // namespace Ui
