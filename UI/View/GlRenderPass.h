#pragma once

#include "Model/IRenderPass.h"

namespace Ui {

// Draws the scene with the fixed-function OpenGL pipeline of the current
// context; the mode follows GL's render mode (render or select).
class GlRenderPass : public Model::IRenderPass
{
public:
    Mode mode() const override;
    void pushName(unsigned name) override;
    void popName() override;
    void paintCellVolume(Model::Automaton::TotalVolume &volume, bool renderObjects, bool renderEdges) override;
    void paintCellVolumeBounds(const Model::Automaton::TotalVolume &volume) override;
};

} // namespace Ui
