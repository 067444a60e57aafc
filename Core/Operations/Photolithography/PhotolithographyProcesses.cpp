#include "Core/Operations/Photolithography/PhotolithographyProcesses.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/Photolithography/Photolithography.h"
#include "Core/Operations/Photolithography/PhotolithographyOperation.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/Material.h"

#include <limits>

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::CellMask;
using Model::Automaton::TotalVolume;
using Declarations = std::vector<ParameterDeclaration>;

// "Top Mask", "Top Mask File", "Top Mask Layout", "Top Mask Height",
// "Top Mask Width": the bits, the file they came from and, for a layout
// file, its cell and layer (both for display only), and the mask's size.
void declareMask(Declarations &all, const QString &side)
{
    const QString mask = side + QStringLiteral(" Mask");
    all.push_back({mask, ParameterType::Mask, ParameterDeclaration::Hidden, QVariant::fromValue(MaskVector()), {}});
    for (const char *shown : {" File", " Layout"})
        all.push_back({mask + QLatin1String(shown), ParameterType::Text, ParameterDeclaration::Shown,
                       QVariant(QString()), {}});
    all.push_back({mask + QStringLiteral(" Height"), ParameterType::UInt, ParameterDeclaration::Shown, QVariant(0u), {}});
    all.push_back({mask + QStringLiteral(" Width"), ParameterType::UInt, ParameterDeclaration::Shown, QVariant(0u), {}});
}

Declarations declarations()
{
    Declarations all = ParameterDeclaration::materialChoice();
    declareMask(all, QStringLiteral("Top"));
    declareMask(all, QStringLiteral("Bottom"));
    return all;
}

// Reads one mask with its size. Bits that do not fill the image exactly
// make the entry unusable: read as they are they would cover nothing and
// the development would remove all of the resist.
CellMask readMask(EntryParameters &reader, const char *bits, const char *width, const char *height)
{
    CellMask mask;
    std::uint32_t w = 0, h = 0;
    reader.read(bits, mask.bits);
    reader.read(width, w);
    reader.read(height, h);
    if (!reader.complete())
        return CellMask();
    const auto limit = std::uint32_t(std::numeric_limits<int>::max());
    const bool fits = w <= limit && h <= limit && (w == 0) == (h == 0)
        && std::uint64_t(w) * h == std::uint64_t(mask.bits.size());
    if (!fits) {
        reader.refuse(bits, QStringLiteral("it holds %1 flags for a %2 x %3 mask").arg(mask.bits.size()).arg(w).arg(h));
        return CellMask();
    }
    mask.width = int(w);
    mask.height = int(h);
    return mask;
}

PhotolithographyParameters readEntry(EntryParameters &reader)
{
    PhotolithographyParameters parameters;
    reader.read("MaterialId", parameters.resist);
    parameters.topMask = readMask(reader, "Top Mask", "Top Mask Width", "Top Mask Height");
    parameters.bottomMask = readMask(reader, "Bottom Mask", "Bottom Mask Width", "Bottom Mask Height");
    return parameters;
}

bool develop(TotalVolume &volume, const PhotolithographyParameters &p, Interrupter *interrupter)
{
    if (!Photolithography(volume, p.resist, p.bottomMask, p.topMask, interrupter).runDevelopment())
        return false;
    // The masks laid over the volume for this development have done their work.
    volume.removeMasks();
    return true;
}

SiLatticeEffect resistEffect(const PhotolithographyParameters &p)
{
    return p.resist == Model::Materials::SiliconId ? OutdatesSiLattice : LeavesSiLattice;
}

} // namespace

const ProcessKind<PhotolithographyParameters> &photolithographyDescriptor()
{
    static const ProcessKind<PhotolithographyParameters> descriptor(
        {PhotolithographyId, "Photolithography", "Photolithography", "Photolithography",
         {BatchType::Photolithography, "Photolithography", "Photolithography", 6}},
        declarations(),
        {readEntry, develop, resistEffect, nullptr, [](const PhotolithographyParameters &p) { return p.resist; }},
        makeOperation<PhotolithographyOperation>);
    return descriptor;
}

} // namespace Operations
} // namespace Core
