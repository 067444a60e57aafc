#include "Core/Operations/Volumes/ChangeTotalVolumeVisualizationOptions.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

ChangeTotalVolumeVisualizationOptions::ChangeTotalVolumeVisualizationOptions(OperationContext *context)
    : ClassObserver(context, "Change Visualization", ChangeVisualizationOptionsId)
{
}

void ChangeTotalVolumeVisualizationOptions::execute()
{
    if (m_step == OptionsSet) {
        end();
        return;
    }
    if (m_step != SelectingVolume)
        return;
    m_volume = takeTargetVolume({"Cell volume selected.", "Select a cell volume and press Enter/Return."}, false);
    if (!m_volume)
        return;
    m_step = WaitingForOptions;
    notifyObserver();
}

bool ChangeTotalVolumeVisualizationOptions::currentOptions(Options &options) const
{
    if (!m_volume)
        return false;
    Model::Automaton::TotalVolumePainter painter = m_volume->painter();
    options.atomView = painter.atomViewFlags();
    options.emptyVoxelOutlines = painter.rendersEmptyVoxelOutlines();
    options.algorithm = painter.algorithm();
    return true;
}

void ChangeTotalVolumeVisualizationOptions::setOptions(const Options &options)
{
    if (m_step != WaitingForOptions)
        return;
    m_options = options;
    m_step = OptionsSet;
}

void ChangeTotalVolumeVisualizationOptions::end()
{
    if (m_step != OptionsSet || !m_volume) {
        cancel();
        context()->abandonOperation();
        return;
    }
    Model::Automaton::TotalVolumePainter painter = m_volume->painter();
    painter.setAtomViewFlags(m_options.atomView);
    painter.setRenderEmptyVoxelOutlines(m_options.emptyVoxelOutlines);
    painter.setAlgorithm(m_options.algorithm);
    painter.rebuildAll();
    // Colours edited in the dialog reach every volume through the
    // catalogue: each view recolours what it shows when it next draws.
    postMessage("Options changed.");
    context()->endOperation();
}

void ChangeTotalVolumeVisualizationOptions::cancel()
{
    postMessage("Operation Canceled!");
    context()->consoleInput().reset();
}

} // namespace Operations
} // namespace Core
