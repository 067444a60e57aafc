#pragma once

namespace Model {
namespace Geometry {
struct VolumeGeometry;
}
}

namespace Ui {

// The outlines of the empty cells, drawn in the edge pass only: with the
// object edges off they do not show.
class EmptyCellOutlineModule
{
public:
    void drawEdges(const Model::Geometry::VolumeGeometry &geometry) const;
};

} // namespace Ui
