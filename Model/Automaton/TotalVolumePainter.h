#pragma once

#include "Model/Automaton/VolumeViewOptions.h"

#include <array>

namespace Model {
namespace Automaton {

class TotalVolume;

// A volume's painting controls under the names the operations know. It
// holds nothing itself: what it sets is kept with the volume as its view
// options, and a rebuild only marks the cells changed. The view derives its
// meshes, colours and selection tint from these when it next draws the
// volume, so the operations never wait for a surface to be generated.
class TotalVolumePainter
{
public:
    using Corner = std::array<int, 3>;

    explicit TotalVolumePainter(TotalVolume &volume) : m_volume(volume) {}

    // Every surface is regenerated from the current cells before the
    // volume is drawn next.
    void rebuildAll();

    SurfaceGenerationAlgorithm algorithm() const;
    void setAlgorithm(SurfaceGenerationAlgorithm algorithm);
    // Cells drawn: lower corner inclusive, upper exclusive; clamped to the volume.
    void setDrawRange(const Corner &lower, const Corner &upper);
    Corner drawLower() const;
    Corner drawUpper() const;
    bool rendersEmptyVoxelOutlines() const;
    void setRenderEmptyVoxelOutlines(bool on);
    bool isPaintingSuspended() const;
    void setPaintingSuspended(bool suspended);
    AtomViewFlags atomViewFlags() const;
    void setAtomViewFlags(const AtomViewFlags &flags);

private:
    TotalVolume &m_volume;
};

} // namespace Automaton
} // namespace Model
