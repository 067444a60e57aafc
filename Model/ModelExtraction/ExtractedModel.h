#pragma once

#include "Model/IRenderPass.h"
#include "Model/ModelExtraction/EnvelopeDecomposition.h"
#include "Model/Object.h"

namespace Model {
namespace ModelExtraction {

// Shows blocks found in a cell volume, each in the next colour of a fixed
// palette. It lives only while a model is extracted: it cannot be copied
// and documents do not store it.
class ExtractedModel : public Object
{
public:
    explicit ExtractedModel(const EnvelopeList &envelopes);

    const EnvelopeList &envelopes() const { return m_envelopes; }
    Util::Vector3D translation() const { return m_translation; }

    int objectType() const override { return ExtractedModelType; }
    void draw(IRenderPass &pass, bool renderObjects, bool renderEdges) override;
    void drawForSelection(IRenderPass &pass) override;
    Object *clone() override { return nullptr; }
    void moveBy(const Util::Vector3D &d) override;
    // Leaves the bounds as they are.
    void bounds(Util::Vector4D &, Util::Vector4D &) override {}

    // The boxes drawn, in envelope order, shifted by `offset`. The height is
    // drawn at the scale the blocks were always shown at.
    std::vector<IRenderPass::ShadedBox> boxes(const Util::Vector3D &offset) const;

    static constexpr double HeightScale = 0.35355246;
    static const Util::Vector3D OutlineColour;

private:
    EnvelopeList m_envelopes;
    Util::Vector3D m_translation;
};

} // namespace ModelExtraction
} // namespace Model
