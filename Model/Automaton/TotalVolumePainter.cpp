#include "Model/Automaton/TotalVolumePainter.h"

#include "Model/Automaton/TotalVolume.h"

namespace Model {
namespace Automaton {

void TotalVolumePainter::rebuildAll()
{
    m_volume.markCellsChanged();
}

SurfaceGenerationAlgorithm TotalVolumePainter::algorithm() const
{
    return m_volume.viewOptions().algorithm;
}

void TotalVolumePainter::setAlgorithm(SurfaceGenerationAlgorithm algorithm)
{
    m_volume.changeViewOptions([&](VolumeViewOptions &options) { options.algorithm = algorithm; });
}

void TotalVolumePainter::setDrawRange(const Corner &lower, const Corner &upper)
{
    m_volume.changeViewOptions([&](VolumeViewOptions &options) { options.drawRange = CellRange{lower, upper}; });
}

TotalVolumePainter::Corner TotalVolumePainter::drawLower() const
{
    return m_volume.viewOptions().drawRange.lower;
}

TotalVolumePainter::Corner TotalVolumePainter::drawUpper() const
{
    return m_volume.viewOptions().drawRange.upper;
}

bool TotalVolumePainter::rendersEmptyVoxelOutlines() const
{
    return m_volume.viewOptions().emptyVoxelOutlines;
}

void TotalVolumePainter::setRenderEmptyVoxelOutlines(bool on)
{
    m_volume.changeViewOptions([&](VolumeViewOptions &options) { options.emptyVoxelOutlines = on; });
}

bool TotalVolumePainter::isPaintingSuspended() const
{
    return m_volume.viewOptions().paintingSuspended;
}

void TotalVolumePainter::setPaintingSuspended(bool suspended)
{
    m_volume.changeViewOptions([&](VolumeViewOptions &options) { options.paintingSuspended = suspended; });
}

AtomViewFlags TotalVolumePainter::atomViewFlags() const
{
    return m_volume.viewOptions().atomView;
}

void TotalVolumePainter::setAtomViewFlags(const AtomViewFlags &flags)
{
    m_volume.changeViewOptions([&](VolumeViewOptions &options) { options.atomView = flags; });
}

} // namespace Automaton
} // namespace Model
