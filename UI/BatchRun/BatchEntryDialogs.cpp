#include "UI/BatchRun/BatchEntryDialogs.h"

#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/ProcessRegistry.h"
#include "Core/Operations/Deposition/AnisotropicDepositionProcesses.h"
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtching.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/BatchRun/MaterialChoice.h"
#include "UI/BatchRun/ProcessData.h"
#include "UI/MaterialComboBox.h"
#include "UI/Operations/AnisotropicDepositionDialog.h"
#include "UI/Operations/BCAEtchingDialog.h"
#include "UI/Operations/CreateSubstrateDialog.h"
#include "UI/Operations/DopingOptionsDialog.h"
#include "UI/Operations/ElectrodepositionDialog.h"
#include "UI/Operations/IonImplantationOptionsDialog.h"
#include "UI/Operations/IsotropicDepositionDialog.h"
#include "UI/Operations/IsotropicEtchingDialog.h"
#include "UI/Operations/MooreOptionsDialog.h"
#include "UI/Operations/PhotolithographyDialog.h"
#include "UI/Operations/PlanarizationOptionsDialog.h"
#include "UI/Operations/SimpleOxidationOptionsDialog.h"
#include "UI/Operations/SimpleRIEDialog.h"
#include "UI/Operations/SpinCoatingOptionsDialog.h"

#include <QDir>
#include <QFileDialog>

namespace Ui {

namespace {

namespace Ops = Core::Operations;
using Ops::ParameterMap;
using Ops::ParameterType;
using SiRie = Ops::SimpleReactiveIonEtching;

std::vector<Model::Materials::Material> allMaterials()
{
    return Model::Materials::MaterialFactory::getInstance()->getMaterials();
}

std::vector<Model::Materials::Material> materialsOf(const Ops::ProcessDescriptor &process)
{
    return MaterialComboBox::compatibleWith(process.catalogueName());
}

// The id of a material choice with the name and colour lists show it by.
void setMaterial(ParameterMap &values, const QString &role, unsigned id)
{
    MaterialChoice::set(values, Ops::ParameterDeclaration::materialChoiceNames(role),
                        Model::Materials::MaterialFactory::getInstance()->getMaterial(id));
}

// A dialog's value as the kind of value the process keeps: spin boxes give
// ints and doubles where lists keep unsigned counts and floats.
QVariant typed(const QVariant &value, ParameterType type)
{
    switch (type) {
    case ParameterType::Bool: return value.toBool();
    case ParameterType::Int: return value.toInt();
    case ParameterType::UInt: return value.toUInt();
    case ParameterType::Float: return value.toFloat();
    case ParameterType::Double: return value.toDouble();
    case ParameterType::Text: return value.toString();
    default: return value;
    }
}

// Every parameter the process declares, in its order, from `values`.
void fillDeclared(ProcessData &entry, const Ops::ProcessDescriptor &process, const ParameterMap &values)
{
    for (const Ops::ParameterDeclaration &declared : process.parameters()) {
        const auto it = values.find(declared.name);
        const QVariant value = it == values.end() ? declared.defaultValue : it->second;
        entry.setParameter(declared.name, typed(value, declared.type), declared.isShownIn(values));
    }
}

QString etchDirectionText(int directions)
{
    QStringList sides;
    if (directions & SiRie::FromBelow)
        sides << QStringLiteral("Bottom");
    if (directions & SiRie::FromTop)
        sides << QStringLiteral("Top");
    return sides.join(QStringLiteral(" and "));
}

template<typename DialogT>
bool filmValues(DialogT &dialog, const Ops::ProcessDescriptor &process, const char *amount, ParameterMap &values)
{
    dialog.setMaterials(materialsOf(process));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values[QLatin1String(amount)] = dialog.thickness();
    setMaterial(values, QString(), dialog.materialId());
    return true;
}

// The choices of a process's own dialog; false when it was rejected.
bool processValues(int type, QWidget *parent, const Model::Automaton::TotalVolume *volume,
                   const Ops::ProcessDescriptor &process, ParameterMap &values)
{
    switch (type) {
    case ProcessData::Cvd: {
        Operations::IsotropicDepositionDialog dialog(parent);
        return filmValues(dialog, process, "Thickness", values);
    }
    case ProcessData::IsotropicEtching: {
        Operations::IsotropicEtchingDialog dialog(parent);
        return filmValues(dialog, process, "Depth", values);
    }
    case ProcessData::Electroplating: {
        Operations::ElectrodepositionDialog dialog(parent);
        dialog.setMaterials(allMaterials());
        dialog.setConductingMaterials(allMaterials());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[QStringLiteral("Film Thickness")] = dialog.thickness();
        setMaterial(values, QStringLiteral("Conducting"), dialog.conductingMaterialId());
        setMaterial(values, QStringLiteral("Deposited"), dialog.materialId());
        return true;
    }
    case ProcessData::Pvd: {
        Operations::AnisotropicDepositionDialog dialog(parent);
        if (!filmValues(dialog, process, "Thickness", values))
            return false;
        values[QStringLiteral("DepositOn")] = dialog.side();
        values[QStringLiteral("Deposit On")] = Ops::depositionSideText(dialog.side());
        values[QStringLiteral("Horizontal to Vertical Ratio")] = dialog.horizontalRatio();
        return true;
    }
    case ProcessData::Doping: {
        Operations::DopingOptionsDialog dialog(parent);
        dialog.setMaterials(materialsOf(process));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[QStringLiteral("Doping Depth")] = dialog.depth();
        setMaterial(values, QStringLiteral("Doped"), dialog.materialId());
        return true;
    }
    case ProcessData::IonImplantation: {
        Operations::IonImplantationOptionsDialog dialog(parent);
        dialog.setMaterials(materialsOf(process));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[QStringLiteral("Annealing Distance")] = dialog.annealingDistance();
        values[QStringLiteral("Implantation Depth")] = dialog.depth();
        setMaterial(values, QStringLiteral("Doped"), dialog.materialId());
        return true;
    }
    case ProcessData::SiOxidation: {
        Operations::SimpleOxidationOptionsDialog dialog(parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[QStringLiteral("Micron Conversion")] = dialog.cellUnitsPerMicron();
        values[QStringLiteral("Oxidation Pressure")] = dialog.pressure();
        values[QStringLiteral("Oxidation Temperature")] = dialog.temperature();
        values[QStringLiteral("Oxidation Time")] = dialog.time();
        values[QStringLiteral("OxidationTimeSet")] = dialog.timeChosen();
        values[QStringLiteral("Oxidation Thickness")] = dialog.oxideThickness();
        values[QStringLiteral("OxidationThicknessSet")] = !dialog.timeChosen();
        return true;
    }
    case ProcessData::MooreDeposition:
    case ProcessData::MooreEtching: {
        const bool deposition = type == ProcessData::MooreDeposition;
        Operations::MooreOptionsDialog dialog(parent);
        dialog.setMaterials(allMaterials());
        dialog.setValueLabel(deposition ? QObject::tr("Film Thickness") : QObject::tr("Etch Depth"));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[deposition ? QStringLiteral("Thickness") : QStringLiteral("Depth")] = dialog.steps();
        setMaterial(values, QString(), dialog.materialId());
        return true;
    }
    case ProcessData::Planarization: {
        Operations::PlanarizationOptionsDialog dialog(parent);
        if (volume)
            dialog.limitToHeight(int(volume->sizeZ()));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[QStringLiteral("Maximum Height")] = dialog.maximumHeight();
        values[QStringLiteral("Minimum Height")] = dialog.minimumHeight();
        return true;
    }
    case ProcessData::SpinCoating: {
        Operations::SpinCoatingOptionsDialog dialog(parent);
        dialog.setMaterials(allMaterials());
        if (volume)
            dialog.limitToHeight(int(volume->sizeZ()));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        setMaterial(values, QString(), dialog.materialId());
        values[QStringLiteral("Maximum Height")] = dialog.height();
        return true;
    }
    case ProcessData::SimpleRie: {
        Operations::SimpleRIEDialog dialog(parent);
        dialog.setMaterials(allMaterials());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const int directions = (dialog.fromTop() ? SiRie::FromTop : 0) | (dialog.fromBelow() ? SiRie::FromBelow : 0);
        setMaterial(values, QString(), dialog.materialId());
        values[QStringLiteral("Etch Depth")] = dialog.depth();
        values[QStringLiteral("EtchDirectionValue")] = directions;
        values[QStringLiteral("Etch Direction")] = etchDirectionText(directions);
        return true;
    }
    case ProcessData::SiWetEtching: {
        Operations::BCAEtchingDialog dialog(parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[QStringLiteral("Depth")] = dialog.depth();
        return true;
    }
    default: return false;
    }
}

bool composeSubstrate(QWidget *parent, ProcessData &entry)
{
    Operations::CreateSubstrateDialog dialog(parent);
    dialog.setMaterials(allMaterials());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ParameterMap material;
    setMaterial(material, QString(), dialog.materialId());
    entry.setParameter(QStringLiteral("MaterialId"), material[QStringLiteral("MaterialId")], false);
    entry.setParameter(QStringLiteral("Material"), material[QStringLiteral("Material")]);
    entry.setParameter(QStringLiteral("Material_Color"), material[QStringLiteral("Material_Color")], false);
    entry.setParameter(QStringLiteral("Lower Left Front Corner"), QVariant::fromValue(dialog.position()));
    entry.setParameter(QStringLiteral("Volume Size X"), unsigned(dialog.totalWidth()));
    entry.setParameter(QStringLiteral("Volume Size Y"), unsigned(dialog.totalLength()));
    entry.setParameter(QStringLiteral("Volume Size Z"), unsigned(dialog.totalHeight()));
    const bool sphere = dialog.isSpherical();
    entry.setParameter(QStringLiteral("SphericalSubstrate"), sphere, false);
    const std::pair<const char *, int> box[] = {
        {"Substrate Size X", dialog.substrateWidth()},  {"Substrate Size Y", dialog.substrateLength()},
        {"Substrate Size Z", dialog.substrateHeight()}, {"Substrate Delta X", dialog.displacementX()},
        {"Substrate Delta Y", dialog.displacementY()},  {"Substrate Delta Z", dialog.displacementZ()},
    };
    for (const auto &value : box)
        entry.setParameter(QLatin1String(value.first), unsigned(value.second), !sphere);
    const std::pair<const char *, int> ball[] = {
        {"Substrate Center X", dialog.centreX()},
        {"Substrate Center Y", dialog.centreY()},
        {"Substrate Center Z", dialog.centreZ()},
        {"Substrate Radius", dialog.radius()},
    };
    for (const auto &value : ball)
        entry.setParameter(QLatin1String(value.first), unsigned(value.second), sphere);
    return true;
}

bool composeImage(QWidget *parent, ProcessData &entry)
{
    const QString file = QFileDialog::getSaveFileName(parent, QObject::tr("Save Image"), QDir::homePath(),
                                                      QObject::tr("Image Files (*.png *.jpg *.bmp)"));
    if (file.isEmpty())
        return false;
    entry.setParameter(QStringLiteral("Filename"), file);
    return true;
}

bool composePhotolithography(QWidget *parent, const Model::Automaton::TotalVolume *volume, ProcessData &entry)
{
    Operations::PhotolithographyDialog dialog(parent);
    dialog.setMaterials(Operations::PhotolithographyDialog::films());
    if (volume)
        dialog.setVolumeExtent(volume->sizeX(), volume->sizeY());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.fillEntry(entry);
    return true;
}

} // namespace

bool BatchEntryDialogs::compose(int type, QWidget *parent, const Model::Automaton::TotalVolume *volume,
                                ProcessData &entry)
{
    ProcessData composed(type);
    bool accepted = false;
    if (type == ProcessData::CreateSubstrate) {
        accepted = composeSubstrate(parent, composed);
    } else if (type == ProcessData::SaveImage) {
        accepted = composeImage(parent, composed);
    } else if (type == ProcessData::Photolithography) {
        accepted = composePhotolithography(parent, volume, composed);
    } else if (const Ops::ProcessDescriptor *process = Ops::ProcessRegistry::forBatchType(type)) {
        ParameterMap values;
        accepted = processValues(type, parent, volume, *process, values);
        if (accepted)
            fillDeclared(composed, *process, values);
    }
    if (accepted)
        entry = composed;
    return accepted;
}

} // namespace Ui
