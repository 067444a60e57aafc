#pragma once

#include "Core/Operations/FilmProcessOperation.h"

namespace Core {
namespace Operations {

// Electroplating: grows metal from a conducting material only.
class ElectrodepositionOperation : public FilmProcessOperation
{
public:
    explicit ElectrodepositionOperation(OperationContext *context);

    void setConductingMaterial(std::uint32_t id)
    {
        m_conductor = id;
        addInput();
    }
    std::uint32_t conductingMaterial() const { return m_conductor; }

protected:
    ProcessRun processRun() const override;

private:
    std::uint32_t m_conductor = 0;
};

} // namespace Operations
} // namespace Core
