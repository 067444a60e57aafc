#pragma once

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// What gluing a top cell volume onto a base one needs to know before the
// user chooses the result's size: how high each is filled, how large the
// result must at least be and how far the top may be displaced.
struct GlueLayout
{
    // Highest filled z of the base plus one: the top rests on it.
    unsigned baseHeight = 0;
    // The top's filled slab, lowest and highest z; only meaningful when the
    // top holds any material.
    unsigned topLowest = 0;
    unsigned topHighest = 0;
    bool topEmpty = true;
    // The larger of the two volumes along x and y.
    unsigned finalX = 0;
    unsigned finalY = 0;
    // The base's filled height plus the top's filled slab.
    unsigned stackedHeight = 0;
    // How far the top may be moved along x and y and still fit.
    unsigned maxDisplacementX = 0;
    unsigned maxDisplacementY = 0;
    // Per axis the larger cell edge of the two volumes.
    float cellsizeX = 1.0f;
    float cellsizeY = 1.0f;
    float cellsizeZ = 1.0f;

    // Height of the top's filled slab (0 for an empty top).
    unsigned topSlabHeight() const { return topEmpty ? 0 : topHighest + 1 - topLowest; }
    // The lowest result height the user may choose: the stack, and at
    // least one layer so that the result is a volume at all.
    unsigned minimumHeight() const { return stackedHeight > 0 ? stackedHeight : 1; }

    // Reads both volumes' current cells.
    static GlueLayout measure(Model::Automaton::TotalVolume &base, Model::Automaton::TotalVolume &top);
};

} // namespace Operations
} // namespace Core
