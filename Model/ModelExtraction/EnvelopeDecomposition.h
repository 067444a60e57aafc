#pragma once

#include "Model/ModelExtraction/RectangularCuboidEnvelope.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}

namespace ModelExtraction {

using EnvelopeList = std::vector<boost::shared_ptr<RectangularCuboidEnvelope>>;

// Cuts a cell volume into blocks along every plane where neighbouring cells
// change material, so each block holds one material; keeps the non-empty
// blocks, in the order a breadth-first walk from cell 0 meets them, and links
// the blocks whose faces coincide.
class EnvelopeDecomposition
{
public:
    // Holds the current cells of the volume while it reads them.
    static EnvelopeList decompose(Automaton::TotalVolume &volume);
    // Links every pair of blocks sharing a whole face; earlier links are kept
    // unless a face is matched again.
    static void link(const EnvelopeList &envelopes);
};

} // namespace ModelExtraction
} // namespace Model
