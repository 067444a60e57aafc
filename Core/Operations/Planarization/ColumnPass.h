#pragma once

#include "Core/Operations/Frames/Interrupter.h"
#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/TotalVolume.h"

#include <cstddef>

namespace Core {
namespace Operations {

// One pass over every column (x, y) of a volume, both cell arrays held:
// `column(current, working)` gets the two arrays at the column's cell
// z = 0, whose cells z follow one another. Strips of at least three x
// planes run on the pool threads; a thinner volume runs on the calling
// thread. Each strip writes only its own columns, so no lock is needed.
// False when the interrupter stopped the pass before it began.
template<typename Column>
bool runColumnPass(Model::Automaton::TotalVolume &volume, Interrupter *interrupter, const char *phase,
                   const Column &column)
{
    using Model::Automaton::ParallelStrips;
    const int sizeX = int(volume.sizeX());
    const std::size_t sizeY = volume.sizeY(), sizeZ = volume.sizeZ();
    const auto strips = ParallelStrips::split(0, sizeX, ParallelStrips::threadCount(), 3);
    Model::Automaton::LockedCellArrays arrays(volume);
    Model::Automaton::Voxel *current = arrays.current();
    Model::Automaton::Voxel *working = arrays.working();
    return runSteps(interrupter, phase, 1, [&](int) {
        ParallelStrips::run(strips, [&](const ParallelStrips::Strip &strip) {
            for (std::size_t x = std::size_t(strip.first); x < std::size_t(strip.end); ++x)
                for (std::size_t y = 0; y < sizeY; ++y) {
                    const std::size_t first = sizeZ * (y + sizeY * x);
                    column(current + first, working + first);
                }
        });
    });
}

} // namespace Operations
} // namespace Core
