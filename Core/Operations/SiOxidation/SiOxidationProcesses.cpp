#include "Core/Operations/SiOxidation/SiOxidationProcesses.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiOxidation/SimpleSiOxidation.h"
#include "Core/Operations/SiOxidation/SimpleSiOxidationOperation.h"

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;

// The ranges are the option dialog's. Without oxidant (no pressure) or at
// absolute zero the growth model gives no number, and below either it
// grows oxide without end; a time of 0 keeps the initial oxide.
std::vector<ParameterDeclaration> declarations()
{
    const QString timeSet = QStringLiteral("OxidationTimeSet");
    const auto inTimeMode = [&](const char *name, double value) {
        return ParameterDeclaration{QLatin1String(name), ParameterType::Double, ParameterDeclaration::ShownWhen,
                                    QVariant(value), timeSet};
    };
    const ParameterDeclaration units{QStringLiteral("Micron Conversion"), ParameterType::Double,
                                     ParameterDeclaration::Shown, QVariant(100.0), {}};
    const ParameterDeclaration thickness{QStringLiteral("Oxidation Thickness"), ParameterType::Double,
                                         ParameterDeclaration::HiddenWhen, QVariant(10.0), timeSet};
    return {
        units.within(0.01, 1e9),
        inTimeMode("Oxidation Pressure", 1.0).above(0.0, 1.0),
        inTimeMode("Oxidation Temperature", 1273.0).above(0.0, 2000.0),
        inTimeMode("Oxidation Time", 2.0).within(0.0, 1000.0),
        {timeSet, ParameterType::Bool, ParameterDeclaration::Hidden, QVariant(false), {}},
        thickness.within(0.0, 100000.0),
        {QStringLiteral("OxidationThicknessSet"), ParameterType::Bool, ParameterDeclaration::Hidden, QVariant(true),
         {}},
    };
}

OxidationParameters read(EntryParameters &reader)
{
    OxidationParameters p;
    reader.read("OxidationTimeSet", p.timeMode);
    reader.read("Micron Conversion", p.unitsPerMicron);
    if (p.timeMode) {
        reader.read("Oxidation Pressure", p.pressure);
        reader.read("Oxidation Temperature", p.temperature);
        reader.read("Oxidation Time", p.time);
    } else {
        reader.read("Oxidation Thickness", p.thickness);
    }
    return p;
}

bool run(TotalVolume &volume, const OxidationParameters &p, Interrupter *interrupter)
{
    SimpleSiOxidation oxidation(volume, p.unitsPerMicron, interrupter);
    if (p.timeMode)
        return oxidation.oxidateFor(p.time, p.temperature, p.pressure);
    return oxidation.runOxidation(p.thickness * p.unitsPerMicron);
}

// The oxide consumes silicon, unless it is too thin to change a cell.
SiLatticeEffect effect(const OxidationParameters &)
{
    return OutdatesSiLattice;
}

SiLatticeEffect effectOn(const TotalVolume &volume, const OxidationParameters &p)
{
    return SimpleSiOxidation::oxidizes(volume, p.oxideCellUnits()) ? OutdatesSiLattice : LeavesSiLattice;
}

} // namespace

double OxidationParameters::oxideCellUnits() const
{
    const double microns = timeMode ? SimpleSiOxidation::oxideThickness(time, temperature, pressure) : thickness;
    return microns * unitsPerMicron;
}

const ProcessKind<OxidationParameters> &siOxidationDescriptor()
{
    static const ProcessKind<OxidationParameters> descriptor(
        {SiOxidationId, "Simple Si Oxidation", "SimpleSiOxidation", "Simple Si Oxidation",
         {BatchType::SiOxidation, "Si Oxidation", "Thermal Oxidation", 14}},
        declarations(), {read, run, effect, effectOn}, makeOperation<SimpleSiOxidationOperation>);
    return descriptor;
}

} // namespace Operations
} // namespace Core
