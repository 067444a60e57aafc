#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <limits>
#include <map>
#include <vector>

namespace Core {
namespace Operations {

// The parameters of one process list entry by name, in name order, as the
// list keeps them.
using ParameterMap = std::map<QString, QVariant>;

// A mask reduced to one on/off flag per pixel, as process lists keep it.
using MaskVector = std::vector<bool>;

// The longest film thickness, depth or distance in cell-edge units, and the
// most whole cells, that a process takes: the option dialogs' limits.
constexpr double LongestDistance = 1e9;
constexpr double MostCells = 999999999;

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

    // The numbers a process can mean by a parameter: from `lowest` (or
    // above it, where `lowestIncluded` is false) to `highest`. The option
    // dialog offers these, and entries and --set values outside them are
    // refused rather than run as zero or worse.
    struct Range
    {
        double lowest = -std::numeric_limits<double>::infinity();
        double highest = std::numeric_limits<double>::infinity();
        bool lowestIncluded = true;

        bool contains(double value) const;
        bool isLimited() const;
        // "from 0 to 1000000000", "above 0 and up to 1"
        QString describe() const;
    };

    // The names of the three parameters of one material choice.
    struct MaterialChoiceNames
    {
        QString id;     // "DopedMaterialId"
        QString name;   // "Doped Material"
        QString colour; // "Doped Material_Color"
    };

    QString name;
    ParameterType type;
    Visibility visibility;
    // The option dialog's initial value; none where the dialog's choice
    // fills it in (a material's name and colour).
    QVariant defaultValue;
    QString condition;
    Range range = Range();
    // The id of a material choice: 0 stands for the empty cell, which no
    // step can deposit, etch, pour or dope.
    bool namesMaterial = false;
    // A text naming a file that the run reads (a mask); a relative name
    // lies in the folder of the list that holds the entry.
    bool namesFile = false;
    // The parameters that a new value of this one leaves stale (the flags
    // drawn from a mask file that another file replaces). A value set from
    // outside the option dialog takes them out of the entry, unless they
    // are set too.
    QStringList outdates = QStringList();
    // The text parameter without which this one means nothing (a layout's
    // layer without its file); a value set for it from outside the option
    // dialog while that one is empty is refused rather than ignored.
    QString refines = QString();

    // Whether a list shows the parameter in `entry`.
    bool isShownIn(const ParameterMap &entry) const;

    // The same parameter, limited to numbers from `lowest` to `highest`.
    ParameterDeclaration within(double lowest, double highest) const;
    // The same parameter, limited to numbers above `lowest`, up to `highest`.
    ParameterDeclaration above(double lowest, double highest) const;

    // Why `number`, read from a value shown as `shown`, is not one the
    // process can mean; empty when it is.
    QString refusal(double number, const QString &shown) const;
    // The same for a stored value, shown as its text unless `shown` is
    // given; empty for values that are not numbers, which the entry's
    // reading refuses by their type.
    QString refusal(const QVariant &value, const QString &shown = QString()) const;

    // The three parameters of a material choice: its id (hidden unless
    // `idShown`), its name and its colour, the last two for display only.
    // `role` names the choice: "" gives "MaterialId", "Material" and
    // "Material_Color"; "Conducting" gives "ConductingMaterialId",
    // "Conducting Material" and "Conducting Material_Color".
    static std::vector<ParameterDeclaration> materialChoice(const QString &role = QString(), bool idShown = false);
    static MaterialChoiceNames materialChoiceNames(const QString &role);

    // The declaration named `name` among `declarations`; null when none is.
    static const ParameterDeclaration *find(const std::vector<ParameterDeclaration> &declarations,
                                            const QString &name);
    // The material choice that a parameter named `parameter` belongs to, by
    // the names materialChoice gives; false for a name no choice gives.
    static bool materialChoiceOf(const QString &parameter, MaterialChoiceNames *names);
};

} // namespace Operations
} // namespace Core

Q_DECLARE_METATYPE(Core::Operations::MaskVector)
