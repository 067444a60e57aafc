#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodProcesses.h"

#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDeposition.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDepositionOperation.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtching.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtchingOperation.h"
#include "Core/Operations/OperationId.h"

#include <algorithm>
#include <limits>

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;

// A whole number of cells, at least one as in the option dialog, then the
// material.
std::vector<ParameterDeclaration> cellsAndMaterial(const char *name)
{
    const ParameterDeclaration cells{QLatin1String(name), ParameterType::UInt, ParameterDeclaration::Shown,
                                     QVariant(1u), {}};
    std::vector<ParameterDeclaration> all{cells.within(1.0, MostCells)};
    const auto choice = ParameterDeclaration::materialChoice();
    all.insert(all.end(), choice.begin(), choice.end());
    return all;
}

template<const char *Amount>
MooreParameters readCells(EntryParameters &reader)
{
    std::uint32_t steps = 0;
    MooreParameters parameters;
    reader.read(Amount, steps);
    reader.read("MaterialId", parameters.material);
    parameters.steps = int(std::min<std::uint32_t>(steps, std::numeric_limits<int>::max()));
    return parameters;
}

SiLatticeEffect mooreEffect(const MooreParameters &parameters)
{
    return effectOfChanging(parameters.material);
}

constexpr char Thickness[] = "Thickness";
constexpr char Depth[] = "Depth";

} // namespace

const ProcessKind<MooreParameters> &mooreDepositionDescriptor()
{
    static const ProcessKind<MooreParameters> descriptor(
        {MooreDepositionId, "Moore film deposition", "MooreFilmDep", "",
         {BatchType::MooreDeposition, "Moore deposition", "Moore Deposition", 4}},
        cellsAndMaterial(Thickness),
        {readCells<Thickness>,
         [](TotalVolume &volume, const MooreParameters &p, Interrupter *interrupter) {
             return MooreNeighborhoodDeposition(volume, p.material, p.steps, interrupter).runDeposition();
         },
         mooreEffect},
        makeOperation<MooreNeighborhoodDepositionOperation>);
    return descriptor;
}

const ProcessKind<MooreParameters> &mooreEtchingDescriptor()
{
    // The same undo key as the deposition's: the etching numbers its
    // records below zero to keep them apart.
    static const ProcessKind<MooreParameters> descriptor(
        {MooreEtchingId, "Moore film etching", "MooreFilmDep", "",
         {BatchType::MooreEtching, "Moore etching", "Moore Etching", 5}},
        cellsAndMaterial(Depth),
        {readCells<Depth>,
         [](TotalVolume &volume, const MooreParameters &p, Interrupter *interrupter) {
             return MooreNeighborhoodEtching(volume, p.material, p.steps, interrupter).runEtching();
         },
         mooreEffect, nullptr, [](const MooreParameters &p) { return p.material; }},
        makeOperation<MooreNeighborhoodEtchingOperation>);
    return descriptor;
}

} // namespace Operations
} // namespace Core
