#include "Core/Operations/Doping/DopingProcesses.h"

#include "Core/Operations/Doping/DopingOperation.h"
#include "Core/Operations/Doping/IonImplantation.h"
#include "Core/Operations/Doping/IonImplantationOperation.h"
#include "Core/Operations/Doping/SimpleDoping.h"
#include "Core/Operations/OperationId.h"

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;
using Declarations = std::vector<ParameterDeclaration>;

// A depth or distance in cell-edge units; 0 dopes nothing (an implantation
// of no depth places no dopant, one of no annealing only the implanted
// layer).
ParameterDeclaration distance(const char *name)
{
    const ParameterDeclaration declared{QLatin1String(name), ParameterType::Float, ParameterDeclaration::Shown,
                                        QVariant(10.0f), {}};
    return declared.within(0.0, LongestDistance);
}

// The distances, then the doped material, whose id lists show.
Declarations withDopedMaterial(Declarations distances)
{
    const Declarations choice = ParameterDeclaration::materialChoice(QStringLiteral("Doped"), true);
    distances.insert(distances.end(), choice.begin(), choice.end());
    return distances;
}

// Doped cells are no longer the silicon the lattice was built from, and the
// dopable materials include silicon.
template<typename Parameters>
SiLatticeEffect outdates(const Parameters &)
{
    return OutdatesSiLattice;
}

} // namespace

const ProcessKind<DopingParameters> &dopingDescriptor()
{
    static const ProcessKind<DopingParameters> descriptor(
        {DopingId, "Doping", "Doping", "Simple Doping", {BatchType::Doping, "Doping", "Doping", 10}},
        withDopedMaterial({distance("Doping Depth")}),
        {[](EntryParameters &reader) {
             DopingParameters p;
             reader.read("Doping Depth", p.depth);
             reader.read("DopedMaterialId", p.doped);
             return p;
         },
         [](TotalVolume &volume, const DopingParameters &p, Interrupter *interrupter) {
             return SimpleDoping(volume, p.doped, float(p.depth), interrupter).runDoping();
         },
         outdates<DopingParameters>},
        makeOperation<DopingOperation>);
    return descriptor;
}

const ProcessKind<ImplantationParameters> &ionImplantationDescriptor()
{
    static const ProcessKind<ImplantationParameters> descriptor(
        {IonImplantationId, "Ion Implantation", "IonImplantation", "Ion Implantation",
         {BatchType::IonImplantation, "Ion Implantation", "Ion Implantation", 11}},
        withDopedMaterial({distance("Annealing Distance"), distance("Implantation Depth")}),
        {[](EntryParameters &reader) {
             ImplantationParameters p;
             reader.read("Annealing Distance", p.annealing);
             reader.read("Implantation Depth", p.depth);
             reader.read("DopedMaterialId", p.doped);
             return p;
         },
         [](TotalVolume &volume, const ImplantationParameters &p, Interrupter *interrupter) {
             return IonImplantation(volume, p.doped, float(p.depth), float(p.annealing), interrupter)
                 .runImplantation();
         },
         outdates<ImplantationParameters>},
        makeOperation<IonImplantationOperation>);
    return descriptor;
}

} // namespace Operations
} // namespace Core
