#pragma once

#include "Core/Operations/ProcessOperation.h"

#include <cstdint>

namespace Core {
namespace Operations {

// Spin coating: pours a material into every empty cell of the picked volume
// below a deposition height.
class SpinCoatingOperation : public ProcessOperation
{
public:
    explicit SpinCoatingOperation(OperationContext *context);

    void setMaterialId(std::uint32_t id)
    {
        m_material = id;
        m_materialSet = true;
    }
    void setHeight(int height)
    {
        m_height = height;
        m_heightSet = true;
    }

    // Runs once the volume, the material and the height are known; cancels
    // otherwise.
    void end() override;

private:
    std::uint32_t m_material = 0;
    int m_height = 0;
    bool m_materialSet = false;
    bool m_heightSet = false;
};

} // namespace Operations
} // namespace Core
