#pragma once

#include "Model/Automaton/CellRange.h"

namespace Model {
namespace Automaton {

// How the surface of a cell volume is generated; the numbers are the
// entries of the visualization options' algorithm choice.
enum class SurfaceGenerationAlgorithm { DirectCubic = 0, MarchingCubes = 1, OctreeSurface = 2 };

// Which parts of the atomistic view of a volume's Si lattice are shown.
struct AtomViewFlags
{
    bool atoms = false;
    bool surfaceAtomsOnly = true;
    bool atomLinks = false;
    bool unitCellOutlines = false;
    bool unitCells = false;

    bool operator==(const AtomViewFlags &other) const
    {
        return atoms == other.atoms && surfaceAtomsOnly == other.surfaceAtomsOnly && atomLinks == other.atomLinks
               && unitCellOutlines == other.unitCellOutlines && unitCells == other.unitCells;
    }
    bool operator!=(const AtomViewFlags &other) const { return !(*this == other); }
};

// What the view shows of one cell volume. Operations set these as plain
// data on the volume without knowing the view; the view derives its meshes
// and GL objects from them when it next draws the volume.
struct VolumeViewOptions
{
    // The cells drawn (the cut planes); the whole volume unless cut.
    CellRange drawRange;
    SurfaceGenerationAlgorithm algorithm = SurfaceGenerationAlgorithm::DirectCubic;
    AtomViewFlags atomView;
    bool emptyVoxelOutlines = false;
    // Set while an operation works on the volume in a way the picture
    // should not follow (model extraction): nothing of it is drawn.
    bool paintingSuspended = false;

    bool operator==(const VolumeViewOptions &other) const
    {
        return drawRange == other.drawRange && algorithm == other.algorithm && atomView == other.atomView
               && emptyVoxelOutlines == other.emptyVoxelOutlines && paintingSuspended == other.paintingSuspended;
    }
    bool operator!=(const VolumeViewOptions &other) const { return !(*this == other); }
};

} // namespace Automaton
} // namespace Model
