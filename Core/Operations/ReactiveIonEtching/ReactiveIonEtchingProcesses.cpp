#include "Core/Operations/ReactiveIonEtching/ReactiveIonEtchingProcesses.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtching.h"
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtchingOperation.h"

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;

std::vector<ParameterDeclaration> rieParameters()
{
    std::vector<ParameterDeclaration> all = ParameterDeclaration::materialChoice();
    // Whole cell layers, at least one as in the option dialog.
    const ParameterDeclaration depth{QStringLiteral("Etch Depth"), ParameterType::UInt, ParameterDeclaration::Shown,
                                     QVariant(1u), {}};
    all.push_back(depth.within(1.0, MostCells));
    all.push_back({QStringLiteral("EtchDirectionValue"), ParameterType::Int, ParameterDeclaration::Hidden,
                   QVariant(int(SimpleReactiveIonEtching::FromTop)), {}});
    all.push_back({QStringLiteral("Etch Direction"), ParameterType::Text, ParameterDeclaration::Shown,
                   QVariant(QStringLiteral("Top")), {}});
    return all;
}

} // namespace

const ProcessKind<RieParameters> &simpleRieDescriptor()
{
    static const ProcessKind<RieParameters> descriptor(
        {SimpleReactiveIonEtchingId, "Simple RIE", "SimpleRIE", "", {BatchType::SimpleRie, "Simple RIE", "Simple RIE", 13}},
        rieParameters(),
        {[](EntryParameters &reader) {
             RieParameters parameters;
             int directions = 0;
             reader.read("MaterialId", parameters.material);
             reader.read("Etch Depth", parameters.depth);
             reader.read("EtchDirectionValue", directions);
             // Bits other than the two sides mean nothing.
             parameters.directions =
                 std::uint8_t(directions & (SimpleReactiveIonEtching::FromTop | SimpleReactiveIonEtching::FromBelow));
             return parameters;
         },
         [](TotalVolume &volume, const RieParameters &p, Interrupter *interrupter) {
             return SimpleReactiveIonEtching(volume, p.material, p.depth, p.directions, interrupter).runEtching();
         },
         [](const RieParameters &p) { return effectOfChanging(p.material); }, nullptr,
         // Only an etching from the top needs a free surface above the material.
         [](const RieParameters &p) {
             return p.directions & SimpleReactiveIonEtching::FromTop ? p.material : std::uint32_t(0);
         }},
        makeOperation<SimpleReactiveIonEtchingOperation>);
    return descriptor;
}

} // namespace Operations
} // namespace Core
