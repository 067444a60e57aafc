#include "Model/Geometry/OctreeNode.h"

namespace Model {
namespace Geometry {

int OctreeNode::indexInParent() const
{
    if (!m_parent)
        return -1;
    return int(this - m_parent->m_children.get());
}

void OctreeNode::split()
{
    if (m_children || m_side < 2)
        return;
    const int half = m_side / 2;
    m_children.reset(new OctreeNode[8]);
    for (int i = 0; i < 8; ++i) {
        const std::array<int, 3> origin = {m_origin[0] + half * ((i >> 2) & 1), m_origin[1] + half * ((i >> 1) & 1),
                                           m_origin[2] + half * (i & 1)};
        m_children[std::size_t(i)] = OctreeNode(this, m_material, origin, half);
    }
}

bool OctreeNode::mergeChildren()
{
    if (!m_children)
        return false;
    const std::uint32_t material = m_children[0].m_material;
    for (int i = 0; i < 8; ++i)
        if (!m_children[std::size_t(i)].isLeaf() || m_children[std::size_t(i)].m_material != material)
            return false;
    m_children.reset();
    m_material = material;
    return true;
}

} // namespace Geometry
} // namespace Model
