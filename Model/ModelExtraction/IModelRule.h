#pragma once

#include "Model/ModelExtraction/EnvelopeDecomposition.h"
#include "Model/ModelExtraction/IStructure.h"

#include <boost/shared_ptr.hpp>

namespace Model {
namespace ModelExtraction {

// Recognises one kind of structure among the linked blocks of a volume.
class IModelRule
{
public:
    virtual ~IModelRule() = default;
    // The structure found, or null when there is none.
    virtual boost::shared_ptr<IStructure> apply(const EnvelopeList &model) = 0;
};

} // namespace ModelExtraction
} // namespace Model
