#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtching.h"

namespace Core {
namespace Operations {

MooreNeighborhoodEtching::MooreNeighborhoodEtching(Model::Automaton::TotalVolume &volume, std::uint32_t material,
                                                   int steps, Interrupter *interrupter)
    : MooreNeighborhoodFront(volume, material, 0, steps, interrupter)
{
}

} // namespace Operations
} // namespace Core
