#include "Model/Geometry/VolumeGeometryBuilder.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/AtomGeometryBuilder.h"
#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/CubicFaceBuilder.h"
#include "Model/Geometry/EmptyCellOutlineBuilder.h"
#include "Model/Geometry/MarchingCubeSurface.h"
#include "Model/Geometry/SurfaceOctree.h"

namespace Model {
namespace Geometry {

using Automaton::SurfaceGenerationAlgorithm;

VolumeGeometry VolumeGeometryBuilder::build(const CellGrid &grid, const Automaton::VolumeViewOptions &options,
                                            const ColourMap &colours)
{
    VolumeGeometry geometry;
    switch (options.algorithm) {
    case SurfaceGenerationAlgorithm::DirectCubic:
        geometry.cubicFaces = CubicFaceBuilder::build(grid, colours, &geometry.presentMaterials);
        // Outlines are drawn only with the cubic faces' edges.
        if (options.emptyVoxelOutlines)
            geometry.emptyCellOutlines = EmptyCellOutlineBuilder::build(grid);
        break;
    case SurfaceGenerationAlgorithm::OctreeSurface: {
        SurfaceOctree octree;
        octree.build(grid, colours, &geometry.presentMaterials);
        geometry.octreeFaces = octree.takeFaces();
        break;
    }
    case SurfaceGenerationAlgorithm::MarchingCubes:
        geometry.marchingCubes = MarchingCubeSurface::build(grid, colours, &geometry.presentMaterials);
        break;
    }
    return geometry;
}

VolumeGeometry VolumeGeometryBuilder::build(Automaton::TotalVolume &volume,
                                            const Automaton::VolumeViewOptions &options, const ColourMap &colours)
{
    Automaton::LockedCells cells(volume);
    VolumeGeometry geometry = build(CellGrid::of(volume, cells.get(), options.drawRange), options, colours);
    geometry.atoms = AtomGeometryBuilder::build(volume, options);
    return geometry;
}

bool VolumeGeometryBuilder::tryBuild(Automaton::TotalVolume &volume, const Automaton::VolumeViewOptions &options,
                                     const ColourMap &colours, VolumeGeometry &geometry)
{
    Automaton::LockedCells cells(volume, std::try_to_lock);
    if (!cells.ownsCells())
        return false;
    geometry = build(CellGrid::of(volume, cells.get(), options.drawRange), options, colours);
    geometry.atoms = AtomGeometryBuilder::build(volume, options);
    return true;
}

} // namespace Geometry
} // namespace Model
