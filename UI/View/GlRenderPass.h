#pragma once

#include "Model/IRenderPass.h"
#include "UI/View/VolumeRenderer.h"

namespace Ui {

// Draws the scene with the fixed-function OpenGL pipeline of the current
// context; the mode follows GL's render mode (render or select). Each kind
// of object goes to its renderer, which keeps what it derived from the
// object between frames.
class GlRenderPass : public Model::IRenderPass
{
public:
    VolumeRenderer &volumes() { return m_volumes; }
    const VolumeRenderer &volumes() const { return m_volumes; }

    Mode mode() const override;
    void pushName(unsigned name) override;
    void popName() override;
    void paintCellVolume(Model::Automaton::TotalVolume &volume, bool renderObjects, bool renderEdges) override;
    void paintCellVolumeBounds(const Model::Automaton::TotalVolume &volume) override;
    void paintBoxes(const std::vector<ShadedBox> &boxes, const Util::Vector3D &outline) override;

private:
    VolumeRenderer m_volumes;
};

} // namespace Ui
