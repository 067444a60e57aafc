#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <map>
#include <vector>

namespace Core {
namespace Operations {

// The parameters of one process list entry by name, in name order, as the
// list keeps them.
using ParameterMap = std::map<QString, QVariant>;

// A mask reduced to one on/off flag per pixel, as process lists keep it.
using MaskVector = std::vector<bool>;

// The kinds of value a process parameter holds; process list files name
// them "bool", "int", "uint", "float", "double", "QString", "QColor",
// "Util::Vector3D" and "vector".
enum class ParameterType { Bool, Int, UInt, Float, Double, Text, Colour, Vector3D, Mask };

// One parameter a process kind stores in its list entries: its name there,
// the kind of value, whether the list shows it, and the value a new entry
// starts from.
struct ParameterDeclaration
{
    enum Visibility {
        Shown,
        Hidden,
        ShownWhen, // shown while the bool parameter named by `condition` is true
        HiddenWhen // hidden while it is true
    };

    QString name;
    ParameterType type;
    Visibility visibility;
    // The option dialog's initial value; none where the dialog's choice
    // fills it in (a material's name and colour).
    QVariant defaultValue;
    QString condition;

    // Whether a list shows the parameter in `entry`.
    bool isShownIn(const ParameterMap &entry) const;

    // The three parameters of a material choice: its id (hidden unless
    // `idShown`), its name and its colour, the last two for display only.
    // `role` names the choice: "" gives "MaterialId", "Material" and
    // "Material_Color"; "Conducting" gives "ConductingMaterialId",
    // "Conducting Material" and "Conducting Material_Color".
    static std::vector<ParameterDeclaration> materialChoice(const QString &role = QString(), bool idShown = false);
};

} // namespace Operations
} // namespace Core

Q_DECLARE_METATYPE(Core::Operations::MaskVector)
