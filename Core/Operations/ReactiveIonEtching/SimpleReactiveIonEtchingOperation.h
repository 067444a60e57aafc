#pragma once

#include "Core/Operations/ProcessOperation.h"

#include <cstdint>

namespace Core {
namespace Operations {

// Simple RIE: etches a material of the picked volume vertically, from its
// top surfaces, its bottom surfaces or both.
class SimpleReactiveIonEtchingOperation : public ProcessOperation
{
public:
    explicit SimpleReactiveIonEtchingOperation(OperationContext *context);

    void setDepth(double depth)
    {
        m_depth = depth;
        m_depthSet = true;
    }
    void setMaterialId(std::uint32_t id)
    {
        m_material = id;
        m_materialSet = true;
    }
    // Each sets or clears its own side only; from top alone at first.
    void setFromTop(bool on) { setDirection(1, on); }
    void setFromBelow(bool on) { setDirection(2, on); }

    // Runs once the volume, the depth and the material are known; cancels
    // otherwise. Neither side chosen etches nothing and still finishes.
    void end() override;

    double depth() const { return m_depth; }
    std::uint32_t materialId() const { return m_material; }
    std::uint8_t directions() const { return m_directions; }

private:
    void setDirection(std::uint8_t bit, bool on)
    {
        m_directions = std::uint8_t(on ? (m_directions | bit) : (m_directions & ~bit));
    }

    double m_depth = 0.0;
    std::uint32_t m_material = 0;
    std::uint8_t m_directions = 1;
    bool m_depthSet = false;
    bool m_materialSet = false;
};

} // namespace Operations
} // namespace Core
