#pragma once

#include "Model/ModelExtraction/IModelRule.h"

namespace Model {
namespace ModelExtraction {

// Finds beams that stick out sideways with one free end: a non-Si block with
// one sideways neighbour and nothing above or below, extended by the blocks
// of its material behind it that continue the beam (two neighbours, one of
// them further along).
class CantileverModelRule : public IModelRule
{
public:
    boost::shared_ptr<IStructure> apply(const EnvelopeList &model) override;
    // One block per cantilever, spanning its whole length.
    const EnvelopeList &cantilevers() const { return m_cantilevers; }

private:
    EnvelopeList m_cantilevers;
};

} // namespace ModelExtraction
} // namespace Model
