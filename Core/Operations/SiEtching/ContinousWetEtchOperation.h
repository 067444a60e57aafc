#pragma once

#include "Core/Operations/SiEtching/SiWetEtchOperation.h"

namespace Core {
namespace Operations {

// Wet etching of the volume's silicon as a continuous cellular automaton.
class ContinousWetEtchOperation : public SiWetEtchOperation
{
public:
    explicit ContinousWetEtchOperation(OperationContext *context);
};

} // namespace Operations
} // namespace Core
