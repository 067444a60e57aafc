#pragma once

#include "Core/Operations/Frames/MooreNeighbours.h"
#include "Core/Operations/Frames/StripFronts.h"
#include "Model/Automaton/Voxel.h"

#include <array>
#include <cstdint>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// Grows or removes a film by whole cells: every step turns the cells of the
// front from the material they share (the front material) into the new
// material, and the next front is their 26 neighbours that still hold the
// front material. After k steps a film is k cells thick in the chessboard
// metric. Only material ids are read and written.
class MooreNeighborhoodFront
{
public:
    virtual ~MooreNeighborhoodFront();

    // Runs the steps on the volume; both cell arrays are held for it. With
    // an interrupter, reports each step and stops between two steps when
    // asked to: a stopped run returns false, its cells holding the whole
    // steps done before the stop. The run ends early once its fronts are
    // empty.
    bool run();

    int steps() const { return m_steps; }
    unsigned threadCount() const { return m_threads; }

protected:
    MooreNeighborhoodFront(Model::Automaton::TotalVolume &volume, std::uint32_t frontMaterial,
                           std::uint32_t newMaterial, int steps, Interrupter *interrupter);

    // Whether a neighbour of a cell of the front material puts that cell
    // on the first front.
    virtual bool startsFront(std::uint32_t neighbourMaterial) const = 0;

    std::uint32_t frontMaterial() const { return m_frontMaterial; }
    std::uint32_t newMaterial() const { return m_newMaterial; }
    int planes() const { return m_size[0]; }

private:
    using Strip = Model::Automaton::ParallelStrips::Strip;

    void seedStrip(const Strip &strip);
    void computeStep(const Strip &strip);
    void coordinates(std::size_t index, int &x, int &y, int &z) const;

    Model::Automaton::TotalVolume &m_volume;
    const std::uint32_t m_frontMaterial;
    const std::uint32_t m_newMaterial;
    const int m_steps;
    const std::array<int, 3> m_size;
    const unsigned m_threads;
    const MooreNeighbours m_neighbours;
    StripFronts m_fronts;
    Model::Automaton::Voxel *m_current = nullptr;
    Model::Automaton::Voxel *m_working = nullptr;
    Interrupter *const m_interrupter;
};

} // namespace Operations
} // namespace Core
