#include "Model/ModelExtraction/ExtractedModel.h"

#include <array>

namespace Model {
namespace ModelExtraction {

namespace {

const std::array<Util::Vector3D, 14> Palette{{{1, 0, 0},
                                              {1, 1, 0},
                                              {1, 1, 1},
                                              {0, 1, 0},
                                              {0, 1, 1},
                                              {1, 0, 1},
                                              {0, 0, 1},
                                              {0.5, 0, 0},
                                              {0.5, 0.5, 0},
                                              {0.5, 0.5, 0.5},
                                              {0, 0.5, 0},
                                              {0, 0.5, 0.5},
                                              {0.5, 0, 0.5},
                                              {0, 0, 0.5}}};

} // namespace

const Util::Vector3D ExtractedModel::OutlineColour(0.25, 0.25, 0.25);

ExtractedModel::ExtractedModel(const EnvelopeList &envelopes) : m_envelopes(envelopes) {}

void ExtractedModel::moveBy(const Util::Vector3D &d)
{
    m_translation += d;
}

std::vector<IRenderPass::ShadedBox> ExtractedModel::boxes(const Util::Vector3D &offset) const
{
    const double scale[3] = {1.0, 1.0, HeightScale};
    std::vector<IRenderPass::ShadedBox> result;
    result.reserve(m_envelopes.size());
    std::size_t colour = 0;
    for (const auto &e : m_envelopes) {
        IRenderPass::ShadedBox box;
        for (int axis = 0; axis < 3; ++axis) {
            box.low[axis] = offset[axis] + e->origin(axis) * scale[axis];
            box.high[axis] = offset[axis] + (e->origin(axis) + e->size(axis)) * scale[axis];
        }
        box.colour = Palette[colour];
        colour = (colour + 1) % Palette.size();
        result.push_back(box);
    }
    return result;
}

void ExtractedModel::draw(IRenderPass &pass, bool, bool)
{
    pass.paintBoxes(boxes(m_translation), OutlineColour);
}

void ExtractedModel::drawForSelection(IRenderPass &pass)
{
    pass.paintBoxes(boxes(Util::Vector3D()), OutlineColour);
}

} // namespace ModelExtraction
} // namespace Model
