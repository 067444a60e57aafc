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

// Cuts a cell volume into blocks of one material each. Every body (the
// face-connected cells of one material) is cut on its own, at the planes
// where its cells or the cells around it change material, so a beam is cut
// where it rests on or touches something but never by a structure elsewhere
// in the volume. Bodies come in the order of their first cells, the blocks
// of a body in x, then y, then z order. Blocks whose faces coincide are
// linked; each block also knows which of its faces touch anything at all.
class EnvelopeDecomposition
{
public:
    // Holds the current cells of the volume while it reads them. Also marks
    // the faces of each block that touch any material.
    static EnvelopeList decompose(Automaton::TotalVolume &volume);
    // Links every pair of blocks sharing a whole face; earlier links are kept
    // unless a face is matched again.
    static void link(const EnvelopeList &envelopes);
};

} // namespace ModelExtraction
} // namespace Model
