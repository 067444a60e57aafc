#pragma once

#include "Model/ModelExtraction/CantileverStructure.h"
#include "Model/ModelExtraction/IModelRule.h"

namespace Model {
namespace ModelExtraction {

// Finds beams that stick out sideways with one free end: a non-Si block
// that touches something across one side face only, extended by the blocks
// of its material behind it that continue the beam (touching only the block
// before and the block after them).
class CantileverModelRule : public IModelRule
{
public:
    // The structure found gives its lengths with cells of these edges.
    explicit CantileverModelRule(const CellEdges &edges = CellEdges::ofDefaultUnit());

    boost::shared_ptr<IStructure> apply(const EnvelopeList &model) override;
    // The cantilevers found, each with the axis along which it runs.
    const CantileverList &found() const { return m_found; }
    // One block per cantilever, spanning its whole length.
    const EnvelopeList &cantilevers() const { return m_cantilevers; }

private:
    CellEdges m_edges;
    CantileverList m_found;
    EnvelopeList m_cantilevers;
};

} // namespace ModelExtraction
} // namespace Model
