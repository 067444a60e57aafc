#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace Model {
namespace Geometry {

// A cube of cells of one material (a leaf) or eight half-size cubes. Child
// index = 4 * xbit + 2 * ybit + zbit; children are allocated as one block.
class OctreeNode
{
public:
    OctreeNode() = default;
    OctreeNode(OctreeNode *parent, std::uint32_t material, std::array<int, 3> origin, int side)
        : m_material(material), m_parent(parent), m_origin(origin), m_side(side)
    {
    }

    std::uint32_t material() const { return m_material; }
    void setMaterial(std::uint32_t material) { m_material = material; }
    OctreeNode *parent() const { return m_parent; }
    const std::array<int, 3> &origin() const { return m_origin; }
    int side() const { return m_side; }
    bool isLeaf() const { return !m_children; }
    OctreeNode *child(int index) const { return m_children ? &m_children[std::size_t(index)] : nullptr; }
    // This node's index in its parent, or -1 for the root.
    int indexInParent() const;

    // Turns the leaf into eight leaves of its material.
    void split();
    // Turns the node back into a leaf when its eight children are leaves of
    // one material; true when it did.
    bool mergeChildren();

private:
    std::uint32_t m_material = 0;
    OctreeNode *m_parent = nullptr;
    std::unique_ptr<OctreeNode[]> m_children;
    std::array<int, 3> m_origin{};
    int m_side = 1;
};

} // namespace Geometry
} // namespace Model
