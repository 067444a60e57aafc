#pragma once

#include "Model/Automaton/OctreeNode.h"
#include "Model/Geometry/QuadFace.h"

#include <array>
#include <memory>
#include <vector>

namespace Model {
namespace Automaton {

class ColourMap;
struct Voxel;

// The octree surface of a cell volume: the cells of the draw range merged
// into cubes of one material, and quads only where an empty or translucent
// cube looks at material. Large uniform regions give few, large faces.
class SurfaceOctree
{
public:
    // Directions and sides: 0 +z, 1 -z, 2 -x, 3 +x, 4 -y, 5 +y.
    enum Side { PlusZ = 0, MinusZ = 1, MinusX = 2, PlusX = 3, MinusY = 4, PlusY = 5 };

    struct Range
    {
        std::array<int, 3> lower;
        std::array<int, 3> upper; // exclusive
    };

    // Builds the tree over `range` of the cells (volume sizes `size`) and
    // emits its faces, scaled by the cell sizes.
    void build(const Voxel *cells, const std::array<unsigned, 3> &size, const Range &range,
               const std::array<float, 3> &cellSize, const ColourMap &colours);
    void clear();

    const OctreeNode *root() const { return m_root.get(); }
    const std::vector<Geometry::QuadFace> &opaqueFaces() const { return m_opaque; }
    const std::vector<Geometry::QuadFace> &translucentFaces() const { return m_translucent; }
    std::vector<Geometry::QuadFace> &opaqueFaces() { return m_opaque; }
    std::vector<Geometry::QuadFace> &translucentFaces() { return m_translucent; }

    // The neighbour of equal or larger size beside `node` in `direction`,
    // or null at the border of the tree.
    static const OctreeNode *neighbour(const OctreeNode *node, int direction);

private:
    void insert(int x, int y, int z, std::uint32_t material);
    // Faces of `node` on `side` as seen by `looker` (null: from outside the
    // tree). A leaf larger than the looker shows only the part the looker
    // faces, so that every piece of surface is emitted once.
    void emitFaces(const OctreeNode *node, int side, const OctreeNode *looker);
    void addFace(const OctreeNode &node, int side, const OctreeNode &footprint);

    std::unique_ptr<OctreeNode> m_root;
    std::array<float, 3> m_cellSize{1, 1, 1};
    const ColourMap *m_colours = nullptr;
    std::vector<Geometry::QuadFace> m_opaque;
    std::vector<Geometry::QuadFace> m_translucent;
};

} // namespace Automaton
} // namespace Model
