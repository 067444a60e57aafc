#pragma once

#include "Core/Operations/ProcessOperation.h"

#include <cstdint>

namespace Core {
namespace Operations {

// A process operation whose options are a thickness (or depth) and a
// material, and that runs once all its inputs arrived.
class FilmProcessOperation : public ProcessOperation
{
public:
    void setThickness(float thickness)
    {
        m_thickness = thickness;
        addInput();
    }
    void setMaterialId(std::uint32_t id)
    {
        m_material = id;
        addInput();
    }

    // Runs the worker once every input arrived; cancels otherwise.
    void end() override;

    float thickness() const { return m_thickness; }
    std::uint32_t materialId() const { return m_material; }

protected:
    FilmProcessOperation(OperationContext *context, const ProcessDescriptor &descriptor, int instance,
                         int inputsNeeded);

    // The run the received options ask for, from the descriptor.
    virtual ProcessRun processRun() const = 0;

private:
    float m_thickness = 0.0f;
    std::uint32_t m_material = 0;
    const int m_inputsNeeded;
};

} // namespace Operations
} // namespace Core
