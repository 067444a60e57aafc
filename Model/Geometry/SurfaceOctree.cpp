#include "Model/Geometry/SurfaceOctree.h"

#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/ColourMap.h"
#include "Model/Geometry/MaterialsSeen.h"

#include <algorithm>
#include <vector>

namespace Model {
namespace Geometry {

namespace {

const float Normals[6][3] = {{0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}};

// Corners of each side of a unit cube, counter-clockwise seen from outside.
const int Corners[6][4][3] = {
    {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
    {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
    {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}},
    {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}},
    {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}},
    {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
};

// Flipping a child index across the axis of a direction.
int mirror(int index, int direction)
{
    static const int flips[6] = {1, 1, 4, 4, 2, 2};
    return index ^ flips[direction];
}

// True when the child `index` has its neighbour in `direction` as a sibling.
bool siblingLiesInDirection(int index, int direction)
{
    switch (direction) {
    case SurfaceOctree::PlusZ: return (index & 1) == 0;
    case SurfaceOctree::MinusZ: return (index & 1) == 1;
    case SurfaceOctree::MinusX: return (index & 4) != 0;
    case SurfaceOctree::PlusX: return (index & 4) == 0;
    case SurfaceOctree::MinusY: return (index & 2) != 0;
    default: return (index & 2) == 0; // PlusY
    }
}

// The four children that make up a node's `side`.
const int SideChildren[6][4] = {
    {1, 3, 5, 7}, {0, 2, 4, 6}, {0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 4, 5}, {2, 3, 6, 7},
};

int roundUpToPowerOfTwo(int value)
{
    int power = 1;
    while (power < value)
        power *= 2;
    return power;
}

} // namespace

void SurfaceOctree::clear()
{
    m_root.reset();
    m_faces = QuadMesh();
}

void SurfaceOctree::build(const CellGrid &grid, const ColourMap &colours, std::vector<std::uint32_t> *materials)
{
    clear();
    const Automaton::CellRange &range = grid.range;
    m_cellSize = grid.cellSize;
    m_colours = &colours;
    int extent = 1;
    for (int axis = 0; axis < 3; ++axis)
        extent = std::max(extent, range.upper[std::size_t(axis)] - range.lower[std::size_t(axis)]);
    m_root.reset(new OctreeNode(nullptr, 0, range.lower, roundUpToPowerOfTwo(extent)));

    grid.forEachCell(range.lower[0], range.upper[0], [&](int x, int y, int z) {
        if (const std::uint32_t material = grid.material(x, y, z))
            insert(x, y, z, material);
    });

    // Faces seen from every empty or translucent leaf. Every cell lies in
    // one leaf of its material, so the leaves also tell which materials
    // the range holds, at far fewer visits than the cells.
    MaterialsSeen seen;
    std::vector<const OctreeNode *> pending{m_root.get()};
    while (!pending.empty()) {
        const OctreeNode *node = pending.back();
        pending.pop_back();
        if (!node->isLeaf()) {
            for (int i = 0; i < 8; ++i)
                pending.push_back(node->child(i));
            continue;
        }
        if (node->material() != 0) {
            seen.add(node->material());
            if (colours.alpha(node->material()) >= 0.999f)
                continue;
        }
        for (int direction = 0; direction < 6; ++direction)
            if (const OctreeNode *other = neighbour(node, direction))
                emitFaces(other, direction ^ 1, node);
    }
    // The tree's own outside, seen from beyond it.
    for (int axis = 0; axis < 3; ++axis) {
        emitFaces(m_root.get(), 2 * axis + 1, nullptr);
        emitFaces(m_root.get(), 2 * axis, nullptr);
    }
    if (materials)
        *materials = MaterialsSeen::join({seen});
}

void SurfaceOctree::insert(int x, int y, int z, std::uint32_t material)
{
    OctreeNode *node = m_root.get();
    while (node->side() / 2 > 0) {
        if (node->isLeaf()) {
            if (node->material() == material)
                return; // already inside a cube of this material
            node->split();
        }
        const int half = node->side() / 2;
        const auto &o = node->origin();
        const int index = 4 * ((x - o[0]) / half) + 2 * ((y - o[1]) / half) + (z - o[2]) / half;
        node = node->child(index);
    }
    node->setMaterial(material);
    for (OctreeNode *parent = node->parent(); parent && parent->mergeChildren(); parent = parent->parent()) {
    }
}

const OctreeNode *SurfaceOctree::neighbour(const OctreeNode *node, int direction)
{
    std::vector<int> path; // mirrored indices, from the node upwards
    const OctreeNode *current = node;
    while (current->parent()) {
        const int index = current->indexInParent();
        path.push_back(mirror(index, direction));
        if (siblingLiesInDirection(index, direction)) {
            const OctreeNode *result = current->parent();
            for (auto it = path.rbegin(); it != path.rend() && !result->isLeaf(); ++it)
                result = result->child(*it);
            return result;
        }
        current = current->parent();
    }
    return nullptr;
}

void SurfaceOctree::emitFaces(const OctreeNode *node, int side, const OctreeNode *looker)
{
    if (!node->isLeaf()) {
        for (int child : SideChildren[side])
            emitFaces(node->child(child), side, looker);
        return;
    }
    if (node->material() == 0)
        return;
    const bool lookerEmpty = !looker || looker->material() == 0;
    const float alpha = m_colours->alpha(node->material());
    if ((lookerEmpty && alpha > 0.001f) || alpha > 0.999f)
        addFace(*node, side, looker && looker->side() < node->side() ? *looker : *node);
}

void SurfaceOctree::addFace(const OctreeNode &node, int side, const OctreeNode &footprint)
{
    Geometry::QuadFace face;
    const auto &o = footprint.origin();
    for (int corner = 0; corner < 4; ++corner)
        for (int axis = 0; axis < 3; ++axis)
            face.corners[std::size_t(corner)][std::size_t(axis)] =
                float(o[std::size_t(axis)] + footprint.side() * Corners[side][corner][axis])
                * m_cellSize[std::size_t(axis)];
    // The face lies in the plane of the node's side, whatever its extent.
    const int axis = side / 2 == 0 ? 2 : side / 2 == 1 ? 0 : 1;
    const bool far = side == PlusZ || side == PlusX || side == PlusY;
    const float plane = float(node.origin()[std::size_t(axis)] + (far ? node.side() : 0)) * m_cellSize[std::size_t(axis)];
    for (auto &corner : face.corners)
        corner[std::size_t(axis)] = plane;
    face.normal = Normals[side];
    face.material = node.material();
    face.fill = face.edge = m_colours->colour(node.material());
    (face.fill[3] > 0.999f ? m_faces.opaque : m_faces.translucent).push_back(face);
}

} // namespace Geometry
} // namespace Model
