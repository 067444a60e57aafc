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

    // A cube merges when its last cell comes in, whatever the order of the
    // cells: the octants can fill apart and the root merge last.
    using Automaton::ParallelStrips;
    m_root->split();
    const auto octants = ParallelStrips::split(0, m_root->isLeaf() ? 1 : 8, ParallelStrips::threadCount(), 1);
    if (m_root->isLeaf()) {
        fill(m_root.get(), grid);
    } else {
        ParallelStrips::run(octants, [this, &grid](const ParallelStrips::Strip &strip) {
            for (int i = strip.first; i < strip.end; ++i)
                fill(m_root->child(i), grid);
        });
        m_root->mergeChildren();
    }

    // Faces seen from every empty or translucent leaf, octant by octant in
    // the order a search from the root meets them (the last first). Every
    // cell lies in one leaf of its material, so the leaves also tell which
    // materials the range holds, at far fewer visits than the cells.
    std::vector<const OctreeNode *> tops;
    if (m_root->isLeaf())
        tops.push_back(m_root.get());
    else
        for (int i = 7; i >= 0; --i)
            tops.push_back(m_root->child(i));
    std::vector<QuadMesh> faces(tops.size());
    std::vector<MaterialsSeen> seen(tops.size());
    const auto parts = ParallelStrips::split(0, int(tops.size()), ParallelStrips::threadCount(), 1);
    ParallelStrips::run(parts, [&](const ParallelStrips::Strip &strip) {
        for (int i = strip.first; i < strip.end; ++i)
            emitSeenFaces(tops[std::size_t(i)], faces[std::size_t(i)], seen[std::size_t(i)]);
    });
    for (QuadMesh &part : faces) {
        m_faces.opaque.insert(m_faces.opaque.end(), part.opaque.begin(), part.opaque.end());
        m_faces.translucent.insert(m_faces.translucent.end(), part.translucent.begin(), part.translucent.end());
    }
    // The tree's own outside, seen from beyond it.
    for (int axis = 0; axis < 3; ++axis) {
        emitFaces(m_root.get(), 2 * axis + 1, nullptr, m_faces);
        emitFaces(m_root.get(), 2 * axis, nullptr, m_faces);
    }
    if (materials)
        *materials = MaterialsSeen::join(seen);
}

void SurfaceOctree::fill(OctreeNode *top, const CellGrid &grid)
{
    const Automaton::CellRange &range = grid.range;
    int lower[3], upper[3];
    for (std::size_t axis = 0; axis < 3; ++axis) {
        lower[axis] = std::max(range.lower[axis], top->origin()[axis]);
        upper[axis] = std::min(range.upper[axis], top->origin()[axis] + top->side());
    }
    for (int x = lower[0]; x < upper[0]; ++x)
        for (int y = lower[1]; y < upper[1]; ++y)
            for (int z = lower[2]; z < upper[2]; ++z)
                if (const std::uint32_t material = grid.material(x, y, z))
                    insert(top, x, y, z, material);
}

void SurfaceOctree::emitSeenFaces(const OctreeNode *top, QuadMesh &faces, MaterialsSeen &seen) const
{
    std::vector<const OctreeNode *> pending{top};
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
            if (m_colours->alpha(node->material()) >= 0.999f)
                continue;
        }
        for (int direction = 0; direction < 6; ++direction)
            if (const OctreeNode *other = neighbour(node, direction))
                emitFaces(other, direction ^ 1, node, faces);
    }
}

void SurfaceOctree::insert(OctreeNode *top, int x, int y, int z, std::uint32_t material)
{
    OctreeNode *node = top;
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
    // A merge frees the children, the node among them: step up first.
    while (node != top) {
        OctreeNode *parent = node->parent();
        if (!parent->mergeChildren())
            break;
        node = parent;
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

void SurfaceOctree::emitFaces(const OctreeNode *node, int side, const OctreeNode *looker, QuadMesh &faces) const
{
    if (!node->isLeaf()) {
        for (int child : SideChildren[side])
            emitFaces(node->child(child), side, looker, faces);
        return;
    }
    if (node->material() == 0)
        return;
    const bool lookerEmpty = !looker || looker->material() == 0;
    const float alpha = m_colours->alpha(node->material());
    if ((lookerEmpty && alpha > 0.001f) || alpha > 0.999f)
        addFace(*node, side, looker && looker->side() < node->side() ? *looker : *node, faces);
}

void SurfaceOctree::addFace(const OctreeNode &node, int side, const OctreeNode &footprint, QuadMesh &faces) const
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
    (face.fill[3] > 0.999f ? faces.opaque : faces.translucent).push_back(face);
}

} // namespace Geometry
} // namespace Model
