#pragma once

#include "Model/Geometry/OctreeNode.h"
#include "Model/Geometry/QuadMesh.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace Model {
namespace Geometry {

struct CellGrid;
class ColourMap;
class MaterialsSeen;

// The octree surface of a cell volume: the cells of the draw range merged
// into cubes of one material, and quads only where an empty or translucent
// cube looks at material. Large uniform regions give few, large faces.
// The eight octants of the root are filled and searched for faces on the
// pool's threads; the tree of given cells is always the same, and so are
// its faces and their order.
class SurfaceOctree
{
public:
    // Directions and sides: 0 +z, 1 -z, 2 -x, 3 +x, 4 -y, 5 +y.
    enum Side { PlusZ = 0, MinusZ = 1, MinusX = 2, PlusX = 3, MinusY = 4, PlusY = 5 };

    // Builds the tree over the grid's range and emits its faces, scaled by
    // the cell sizes. `materials`, when given, receives the materials of
    // the range's non-empty cells, ascending.
    void build(const CellGrid &grid, const ColourMap &colours, std::vector<std::uint32_t> *materials = nullptr);
    void clear();

    const OctreeNode *root() const { return m_root.get(); }
    const QuadMesh &faces() const { return m_faces; }
    // Hands the faces over, leaving none.
    QuadMesh takeFaces() { return std::move(m_faces); }

    // The neighbour of equal or larger size beside `node` in `direction`,
    // or null at the border of the tree.
    static const OctreeNode *neighbour(const OctreeNode *node, int direction);

private:
    // Inserts a cell into the subtree of `top`, merging no higher than it.
    void insert(OctreeNode *top, int x, int y, int z, std::uint32_t material);
    // The range's cells inside `top`.
    void fill(OctreeNode *top, const CellGrid &grid);
    // Faces seen from the empty or translucent leaves under `top`, and the
    // materials of its leaves.
    void emitSeenFaces(const OctreeNode *top, QuadMesh &faces, MaterialsSeen &seen) const;
    // Faces of `node` on `side` as seen by `looker` (null: from outside the
    // tree). A leaf larger than the looker shows only the part the looker
    // faces, so that every piece of surface is emitted once.
    void emitFaces(const OctreeNode *node, int side, const OctreeNode *looker, QuadMesh &faces) const;
    void addFace(const OctreeNode &node, int side, const OctreeNode &footprint, QuadMesh &faces) const;

    std::unique_ptr<OctreeNode> m_root;
    std::array<float, 3> m_cellSize{1, 1, 1};
    const ColourMap *m_colours = nullptr;
    QuadMesh m_faces;
};

} // namespace Geometry
} // namespace Model
