#pragma once

#include "Model/Geometry/QuadFace.h"

namespace Model {
namespace Geometry {

struct CellGrid;

// Outlines of the empty cells of the draw range: all six sides of every
// cell without material, so that the cavities of a structure can be seen
// in the picture of its edges.
class EmptyCellOutlineBuilder
{
public:
    static constexpr QuadFace::Colour OutlineColour = {0.8f, 0.8f, 0.8f, 1.0f};

    // Built on the pool threads by x strips, joined in strip order.
    static QuadFaceList build(const CellGrid &grid);
};

} // namespace Geometry
} // namespace Model
