#include "Core/Operations/SiEtching/SiWetEtchingProcesses.h"

#include "Core/Operations/Frames/SiWetEtchFrame.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"
#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"
#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"
#include "Core/Operations/SiEtching/ContinuosWetEtching.h"
#include "Core/Operations/SiEtching/SiLatticePreparation.h"
#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;

// How far down the (100) surface is etched; 0 etches nothing.
std::vector<ParameterDeclaration> depth()
{
    const ParameterDeclaration declared{QStringLiteral("Depth"), ParameterType::Double, ParameterDeclaration::Shown,
                                        QVariant(10.0), {}};
    return {declared.within(0.0, LongestDistance)};
}

WetEtchParameters readDepth(EntryParameters &reader)
{
    WetEtchParameters parameters;
    reader.read("Depth", parameters.depth);
    std::string problem;
    if (reader.complete() && !SiWetEtchFrame::depthFits(parameters.depth, &problem))
        reader.refuse("Depth", QString::fromStdString(problem));
    return parameters;
}

SiLatticeEffect renews(const WetEtchParameters &)
{
    return RenewsSiLattice;
}

bool prepareLattice(TotalVolume &volume, const ProcessRecords &records, std::string *problem,
                    Interrupter *interrupter)
{
    if (!SiWetEtchFrame::placesAtoms(volume, problem))
        return false;
    return prepareSiLattice(volume, records.needsSiLatticeRebuild(volume.id()), problem, {}, interrupter)
        && SiWetEtchFrame::servesCells(volume, problem);
}

} // namespace

const ProcessKind<WetEtchParameters> &atomisticWetEtchingDescriptor()
{
    static const ProcessKind<WetEtchParameters> descriptor(
        {AtomisticWetEtchingId, "BCA Wet Etch", "BCAWetEtch", "", {BatchType::SiWetEtching, "Si wet etching", "Si Wet Etching", 8}},
        depth(),
        {readDepth,
         [](TotalVolume &volume, const WetEtchParameters &p, Interrupter *interrupter) {
             return AtomicStructureSimpleSiWetEtch(volume, p.depth, interrupter).runEtching();
         },
         renews},
        makeOperation<AtomisticSiWetEtchingOperation>, prepareLattice);
    return descriptor;
}

const ProcessKind<WetEtchParameters> &continuousWetEtchingDescriptor()
{
    static const ProcessKind<WetEtchParameters> descriptor(
        {ContinuousWetEtchingId, "Continuous Wet Etch", "ContinuousWetEtch", "", {BatchEntryKind::NoEntry, "", "", 0}},
        depth(),
        {readDepth,
         [](TotalVolume &volume, const WetEtchParameters &p, Interrupter *interrupter) {
             return ContinuosWetEtching(volume, p.depth, interrupter).runEtching();
         },
         renews},
        makeOperation<ContinousWetEtchOperation>, prepareLattice);
    return descriptor;
}

} // namespace Operations
} // namespace Core
