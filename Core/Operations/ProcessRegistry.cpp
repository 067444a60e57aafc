#include "Core/Operations/ProcessRegistry.h"

#include "Core/Operations/Deposition/AnisotropicDepositionProcesses.h"
#include "Core/Operations/Doping/DopingProcesses.h"
#include "Core/Operations/Isotropic/IsotropicProcesses.h"
#include "Core/Operations/Photolithography/PhotolithographyProcesses.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodProcesses.h"
#include "Core/Operations/Planarization/PlanarizationProcesses.h"
#include "Core/Operations/ReactiveIonEtching/ReactiveIonEtchingProcesses.h"
#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/SiEtching/SiWetEtchingProcesses.h"
#include "Core/Operations/SiOxidation/SiOxidationProcesses.h"

#include <algorithm>

namespace Core {
namespace Operations {

namespace {

// Entries that work on the list's run rather than on a volume's cells.
const BatchEntryKind EngineEntries[] = {
    {BatchType::SaveImage, "Save Image", "Save Image", 16},
    {BatchType::CreateSubstrate, "Create Substrate", "Create Substrate", 15},
};

} // namespace

const std::vector<const ProcessDescriptor *> &ProcessRegistry::descriptors()
{
    static const std::vector<const ProcessDescriptor *> all = {
        &isotropicDepositionDescriptor(),
        &isotropicEtchingDescriptor(),
        &electroplatingDescriptor(),
        &atomisticWetEtchingDescriptor(),
        &continuousWetEtchingDescriptor(),
        &anisotropicDepositionDescriptor(),
        &dopingDescriptor(),
        &ionImplantationDescriptor(),
        &siOxidationDescriptor(),
        &photolithographyDescriptor(),
        &mooreDepositionDescriptor(),
        &mooreEtchingDescriptor(),
        &planarizationDescriptor(),
        &spinCoatingDescriptor(),
        &simpleRieDescriptor(),
    };
    return all;
}

const ProcessDescriptor *ProcessRegistry::forOperation(int operationId)
{
    for (const ProcessDescriptor *descriptor : descriptors())
        if (descriptor->operationId() == operationId)
            return descriptor;
    return nullptr;
}

const ProcessDescriptor *ProcessRegistry::forBatchType(int type)
{
    if (type == BatchEntryKind::NoEntry)
        return nullptr;
    for (const ProcessDescriptor *descriptor : descriptors())
        if (descriptor->batchKind().type == type)
            return descriptor;
    return nullptr;
}

const std::vector<BatchEntryKind> &ProcessRegistry::batchKinds()
{
    static const std::vector<BatchEntryKind> kinds = [] {
        std::vector<BatchEntryKind> rows(std::begin(EngineEntries), std::end(EngineEntries));
        for (const ProcessDescriptor *descriptor : descriptors())
            if (descriptor->hasBatchEntry())
                rows.push_back(descriptor->batchKind());
        std::sort(rows.begin(), rows.end(),
                  [](const BatchEntryKind &a, const BatchEntryKind &b) { return a.type < b.type; });
        return rows;
    }();
    return kinds;
}

const BatchEntryKind *ProcessRegistry::batchKind(int type)
{
    for (const BatchEntryKind &kind : batchKinds())
        if (kind.type == type)
            return &kind;
    return nullptr;
}

} // namespace Operations
} // namespace Core
