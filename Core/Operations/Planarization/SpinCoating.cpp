#include "Core/Operations/Planarization/SpinCoating.h"

#include "Core/Operations/Planarization/ColumnPass.h"

#include <algorithm>

namespace Core {
namespace Operations {

SpinCoating::SpinCoating(Model::Automaton::TotalVolume &volume, std::uint32_t material, int height,
                         Interrupter *interrupter)
    : m_volume(volume)
    , m_material(material)
    , m_height(std::clamp(height, 0, int(volume.sizeZ())))
    , m_interrupter(interrupter)
{
}

bool SpinCoating::runSpinCoating()
{
    const std::uint32_t material = m_material;
    const int height = m_height;
    return runColumnPass(m_volume, m_interrupter, "Pouring",
                         [material, height](Model::Automaton::Voxel *current, Model::Automaton::Voxel *working) {
                             for (int z = 0; z < height; ++z)
                                 if (current[z].material == 0)
                                     current[z].material = working[z].material = material;
                         });
}

} // namespace Operations
} // namespace Core
