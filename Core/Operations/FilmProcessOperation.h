#pragma once

#include "Core/Operations/ProcessOperation.h"

#include <cstdint>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

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
    FilmProcessOperation(OperationContext *context, const std::string &title, int id, const std::string &stateKey,
                         int instance, int inputsNeeded);

    virtual void runWorker(Model::Automaton::TotalVolume &volume, Interrupter *interrupter) = 0;
    // Silicon grown or removed leaves the Si lattice out of date.
    virtual bool changesSilicon() const { return m_material == 1; }

private:
    float m_thickness = 0.0f;
    std::uint32_t m_material = 0;
    const int m_inputsNeeded;
};

} // namespace Operations
} // namespace Core
