#pragma once

#include "Model/Geometry/VolumeGeometry.h"

namespace Model {
namespace Automaton {
class TotalVolume;
struct VolumeViewOptions;
}

namespace Geometry {

class ColourMap;
struct CellGrid;

// Turns a cell volume into the mesh data its view options ask for, over
// their draw range: the direct cubic faces (with the empty-cell outlines
// when those are on), the marching-cube surface or the octree surface;
// the materials present in every case. Faces carry the catalogue colours
// of `colours`, unhighlighted.
// Every builder runs on the pool threads by x strips and gives the same
// data for any number of threads.
class VolumeGeometryBuilder
{
public:
    static VolumeGeometry build(const CellGrid &grid, const Automaton::VolumeViewOptions &options,
                                const ColourMap &colours);
    // From the volume's current cells, waiting for them while a step holds
    // them; with the atomistic view of its Si lattice, which the cells'
    // lock keeps steps from changing meanwhile.
    static VolumeGeometry build(Automaton::TotalVolume &volume, const Automaton::VolumeViewOptions &options,
                                const ColourMap &colours);
    // The same without waiting: false, with `geometry` untouched, while a
    // step holds the cells.
    static bool tryBuild(Automaton::TotalVolume &volume, const Automaton::VolumeViewOptions &options,
                         const ColourMap &colours, VolumeGeometry &geometry);
};

} // namespace Geometry
} // namespace Model
