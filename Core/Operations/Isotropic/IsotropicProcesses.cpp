#include "Core/Operations/Isotropic/IsotropicProcesses.h"

#include "Core/Operations/Isotropic/Electrodeposition.h"
#include "Core/Operations/Isotropic/ElectrodepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"
#include "Core/Operations/OperationId.h"

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;
using Declarations = std::vector<ParameterDeclaration>;

// An amount of film in cell-edge units (10 in the option dialogs; 0 grows
// or removes nothing, as a sweep may start from), then the material
// choices.
Declarations filmAmount(const char *name, std::initializer_list<QString> materialRoles)
{
    const ParameterDeclaration amount{QLatin1String(name), ParameterType::Double, ParameterDeclaration::Shown,
                                      QVariant(10.0), {}};
    Declarations all{amount.within(0.0, LongestDistance)};
    for (const QString &role : materialRoles) {
        const Declarations choice = ParameterDeclaration::materialChoice(role);
        all.insert(all.end(), choice.begin(), choice.end());
    }
    return all;
}

template<const char *Amount>
FilmParameters readFilm(EntryParameters &reader)
{
    FilmParameters parameters;
    reader.read("MaterialId", parameters.material);
    reader.read(Amount, parameters.thickness);
    return parameters;
}

SiLatticeEffect filmEffect(const FilmParameters &parameters)
{
    return effectOfChanging(parameters.material);
}

constexpr char Thickness[] = "Thickness";
constexpr char Depth[] = "Depth";

} // namespace

const ProcessKind<FilmParameters> &isotropicDepositionDescriptor()
{
    static const ProcessKind<FilmParameters> descriptor(
        {IsotropicDepositionId, "Isotropic Deposition", "IsotropicDeposition", "CVD", {BatchType::Cvd, "CVD", "CVD", 1}},
        filmAmount(Thickness, {QString()}),
        {readFilm<Thickness>,
         [](TotalVolume &volume, const FilmParameters &p, Interrupter *interrupter) {
             return IsotropicFilmDeposition(volume, p.material, float(p.thickness), interrupter).runDeposition();
         },
         filmEffect},
        makeOperation<IsotropicFilmDepositionOperation>);
    return descriptor;
}

const ProcessKind<FilmParameters> &isotropicEtchingDescriptor()
{
    static const ProcessKind<FilmParameters> descriptor(
        {IsotropicEtchingId, "Isotropic Etching", "IsotropicEtching", "Isotropic Etching",
         {BatchType::IsotropicEtching, "Isotropic etching", "Isotropic Etching", 3}},
        filmAmount(Depth, {QString()}),
        {readFilm<Depth>,
         [](TotalVolume &volume, const FilmParameters &p, Interrupter *interrupter) {
             return IsotropicFilmEtching(volume, p.material, float(p.thickness), interrupter).runEtching();
         },
         filmEffect, nullptr, [](const FilmParameters &p) { return p.material; }},
        makeOperation<IsotropicFilmEtchingOperation>);
    return descriptor;
}

const ProcessKind<PlatingParameters> &electroplatingDescriptor()
{
    // Every material is offered, so no catalogue entry is named.
    static const ProcessKind<PlatingParameters> descriptor(
        {ElectrodepositionId, "Electroplating", "Electroplating", "",
         {BatchType::Electroplating, "Electroplating", "Electroplating", 9}},
        filmAmount("Film Thickness", {QStringLiteral("Conducting"), QStringLiteral("Deposited")}),
        {[](EntryParameters &reader) {
             PlatingParameters parameters;
             reader.read("Film Thickness", parameters.thickness);
             reader.read("ConductingMaterialId", parameters.conductor);
             reader.read("DepositedMaterialId", parameters.material);
             return parameters;
         },
         [](TotalVolume &volume, const PlatingParameters &p, Interrupter *interrupter) {
             return Electrodeposition(volume, p.material, p.conductor, float(p.thickness), interrupter).runElectrodeposition();
         },
         [](const PlatingParameters &p) { return effectOfChanging(p.material); }},
        makeOperation<ElectrodepositionOperation>);
    return descriptor;
}

} // namespace Operations
} // namespace Core
