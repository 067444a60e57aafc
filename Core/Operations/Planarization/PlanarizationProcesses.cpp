#include "Core/Operations/Planarization/PlanarizationProcesses.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/Planarization/Planarization.h"
#include "Core/Operations/Planarization/PlanarizationOperation.h"
#include "Core/Operations/Planarization/SpinCoating.h"
#include "Core/Operations/Planarization/SpinCoatingOperation.h"

#include <algorithm>
#include <limits>

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;

// Heights beyond any volume come to the same as its top.
int readHeight(EntryParameters &reader, const char *name)
{
    std::uint32_t height = 0;
    reader.read(name, height);
    return int(std::min<std::uint32_t>(height, std::numeric_limits<int>::max()));
}

// A height in cells from the volume's bottom, up to the largest the option
// dialogs take before they know the volume.
ParameterDeclaration height(const char *name, unsigned initial)
{
    const ParameterDeclaration declared{QLatin1String(name), ParameterType::UInt, ParameterDeclaration::Shown,
                                        QVariant(initial), {}};
    return declared.within(0.0, MostCells);
}

constexpr unsigned AnyHeight = unsigned(MostCells);

PlanarizationParameters readPlanarization(EntryParameters &reader)
{
    PlanarizationParameters parameters;
    parameters.maximumHeight = readHeight(reader, "Maximum Height");
    parameters.minimumHeight = readHeight(reader, "Minimum Height");
    // Cells are kept from the minimum up to the maximum: a minimum above
    // the maximum would keep none, as the option dialog never allows.
    if (reader.complete() && parameters.minimumHeight > parameters.maximumHeight)
        reader.refuse("Minimum Height", QStringLiteral("%1 is above the maximum height %2")
                                            .arg(parameters.minimumHeight)
                                            .arg(parameters.maximumHeight));
    return parameters;
}

} // namespace

const ProcessKind<PlanarizationParameters> &planarizationDescriptor()
{
    // Removing cells may remove silicon, whatever the heights.
    static const ProcessKind<PlanarizationParameters> descriptor(
        {PlanarizationId, "Planarization", "Planarization", "",
         {BatchType::Planarization, "Planarization", "Planarization", 7}},
        {height("Maximum Height", AnyHeight), height("Minimum Height", 0)},
        {readPlanarization,
         [](TotalVolume &volume, const PlanarizationParameters &p, Interrupter *interrupter) {
             return Planarization(volume, p.maximumHeight, p.minimumHeight, interrupter).runPlanarization();
         },
         [](const PlanarizationParameters &) { return OutdatesSiLattice; }},
        makeOperation<PlanarizationOperation>);
    return descriptor;
}

const ProcessKind<SpinCoatingParameters> &spinCoatingDescriptor()
{
    static const ProcessKind<SpinCoatingParameters> descriptor = [] {
        std::vector<ParameterDeclaration> parameters = ParameterDeclaration::materialChoice();
        parameters.push_back(height("Maximum Height", 0));
        return ProcessKind<SpinCoatingParameters>(
            {SpinCoatingId, "Spin Coating", "SpinCoating", "", {BatchType::SpinCoating, "Spin Coating", "Spin Coating", 12}},
            std::move(parameters),
            {[](EntryParameters &reader) {
                 SpinCoatingParameters parameters;
                 parameters.height = readHeight(reader, "Maximum Height");
                 reader.read("MaterialId", parameters.material);
                 return parameters;
             },
             [](TotalVolume &volume, const SpinCoatingParameters &p, Interrupter *interrupter) {
                 return SpinCoating(volume, p.material, p.height, interrupter).runSpinCoating();
             },
             // Poured silicon is not in the lattice built before.
             [](const SpinCoatingParameters &p) { return effectOfChanging(p.material); }},
            makeOperation<SpinCoatingOperation>);
    }();
    return descriptor;
}

} // namespace Operations
} // namespace Core
