#pragma once

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Ui {

// The lithography masks of a volume as translucent green rectangles below
// and above it, seen from both sides. Drawn in the blended pass.
class MaskOverlayModule
{
public:
    void draw(const Model::Automaton::TotalVolume &volume) const;
};

} // namespace Ui
