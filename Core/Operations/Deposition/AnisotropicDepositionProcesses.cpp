#include "Core/Operations/Deposition/AnisotropicDepositionProcesses.h"

#include "Core/Operations/Deposition/AnisotropicFilmDeposition.h"
#include "Core/Operations/Deposition/AnisotropicFilmDepositionOperation.h"
#include "Core/Operations/OperationId.h"
#include "Model/Materials/Material.h"

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;

std::vector<ParameterDeclaration> declarations()
{
    const ParameterDeclaration thickness{QStringLiteral("Thickness"), ParameterType::Double,
                                         ParameterDeclaration::Shown, QVariant(10.0), {}};
    std::vector<ParameterDeclaration> all{thickness.within(0.0, LongestDistance)};
    const auto choice = ParameterDeclaration::materialChoice();
    all.insert(all.end(), choice.begin(), choice.end());
    all.push_back({QStringLiteral("DepositOn"), ParameterType::Int, ParameterDeclaration::Hidden, QVariant(1), {}});
    all.push_back({QStringLiteral("Deposit On"), ParameterType::Text, ParameterDeclaration::Shown,
                   QVariant(depositionSideText(1)), {}});
    // A ratio of 0 or below would make a sideways step endless or negative.
    const ParameterDeclaration ratio{QStringLiteral("Horizontal to Vertical Ratio"), ParameterType::Double,
                                     ParameterDeclaration::Shown, QVariant(0.5), {}};
    all.push_back(ratio.above(0.0, LongestDistance));
    return all;
}

DirectionalFilmParameters read(EntryParameters &reader)
{
    DirectionalFilmParameters p;
    reader.read("MaterialId", p.material);
    reader.read("Thickness", p.thickness);
    reader.read("Horizontal to Vertical Ratio", p.ratio);
    reader.read("DepositOn", p.side);
    if (!AnisotropicFilmDeposition::isSide(p.side))
        reader.refuse("DepositOn");
    return p;
}

} // namespace

QString depositionSideText(int side)
{
    switch (side) {
    case AnisotropicFilmDeposition::Bottom: return QStringLiteral("On Bottom");
    case AnisotropicFilmDeposition::BothSides: return QStringLiteral("On Top and Bottom");
    default: return QStringLiteral("On Top");
    }
}

const ProcessKind<DirectionalFilmParameters> &anisotropicDepositionDescriptor()
{
    static const ProcessKind<DirectionalFilmParameters> descriptor(
        {AnisotropicDepositionId, "Anisotropic Deposition", "IsotropicDeposition", "PVD",
         {BatchType::Pvd, "PVD", "PVD", 2}},
        declarations(),
        {read,
         [](TotalVolume &volume, const DirectionalFilmParameters &p, Interrupter *interrupter) {
             return AnisotropicFilmDeposition(volume, p.material, float(p.thickness), float(p.ratio), p.side,
                                              interrupter)
                 .runDeposition();
         },
         [](const DirectionalFilmParameters &p) {
             return p.material == Model::Materials::SiliconId ? OutdatesSiLattice : LeavesSiLattice;
         }},
        makeOperation<AnisotropicFilmDepositionOperation>);
    return descriptor;
}

} // namespace Operations
} // namespace Core
