#pragma once

#include "Core/Operations/SiEtching/SiWetEtchOperation.h"

namespace Core {
namespace Operations {

// Atomistic wet etching of the volume's silicon by bond counting.
class AtomisticSiWetEtchingOperation : public SiWetEtchOperation
{
public:
    explicit AtomisticSiWetEtchingOperation(OperationContext *context);
};

} // namespace Operations
} // namespace Core
