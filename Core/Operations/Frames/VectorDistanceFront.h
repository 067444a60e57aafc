#pragma once

#include "Core/Operations/Frames/StripFronts.h"
#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/Voxel.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// The vector-distance front: every cell carries the displacement to the
// nearest source found so far, and a front of cells improves its vectors
// from its face neighbours' vectors plus one face step, once per step,
// until the growth covers the thickness T. Sources, obstacles, which cells
// may change and how, and where the front spreads are the process's rules;
// this class is the shared machinery: x strips on the pool threads, the
// per-strip fronts and hand-over lists, and the two phases of each step
// (every strip computes before any strip merges and commits).
class VectorDistanceFront
{
public:
    using Voxel = Model::Automaton::Voxel;

    virtual ~VectorDistanceFront();

    // The longest face path per unit of Euclidean distance, (√2 + 1)/√2.
    static constexpr double StepFactor = 1.7071067811865475;

    // The number of steps a thickness needs: ceil(T / smallest edge) times
    // the step factor.
    static int stepCount(float thickness, float smallestEdge);

    // Runs the whole process on the volume; both cell arrays are held for it.
    // With an interrupter, reports each step and stops between two steps
    // when asked to: a stopped run returns false, its cells holding the
    // whole steps done before the stop. The run ends early once its fronts
    // are empty.
    bool run();

    unsigned threadCount() const { return m_threads; }
    int steps() const;

protected:
    enum class SeedKind { Source, Obstacle, Open };
    struct SeedResult
    {
        SeedKind kind;
        bool candidate; // an open cell that may join the front
    };
    enum class Neighbourhood { Faces, Moore };

    // Face directions in the order every step examines them:
    // (0,0,-1) (0,0,+1) (0,-1,0) (0,+1,0) (-1,0,0) (+1,0,0).
    static const int FaceOffsets[6][3];

    // `cellSizes` are the edges the steps measure (the volume's own by default).
    // The interrupter, when there is one, hears of the run's progress and
    // may stop it.
    VectorDistanceFront(Model::Automaton::TotalVolume &volume, float thickness,
                        const std::array<float, 3> &cellSizes, Interrupter *interrupter = nullptr);
    VectorDistanceFront(Model::Automaton::TotalVolume &volume, float thickness, Interrupter *interrupter = nullptr);

    // Rules of the process.
    virtual SeedResult seed(const Voxel *cells, int x, int y, int z) const = 0;
    // Whether a neighbour of a candidate makes it join the front.
    virtual bool joinsFront(const Voxel &neighbour) const = 0;
    // Whether a front cell that is not fixed takes part in the step.
    virtual bool takesPart(const Voxel &) const { return true; }
    // The material a reached cell gets.
    virtual std::uint32_t reachedMaterial(const Voxel &current) const = 0;
    // Whether a neighbour of a reached cell joins the next front.
    virtual bool spreadsTo(const Voxel &neighbour) const = 0;
    virtual Neighbourhood frontNeighbourhood() const { return Neighbourhood::Moore; }
    virtual Neighbourhood spreadNeighbourhood() const { return Neighbourhood::Moore; }
    // The longest squared vector a front cell may take: T² unless the
    // process bounds cells by what they hold.
    virtual float squaredBound(const Voxel &) const { return m_thickness * m_thickness; }
    // The vector added when a cell takes its face neighbour's vector. By
    // default the signed face step, so that a vector is the straight-line
    // displacement to its source.
    virtual std::array<float, 3> stepVector(int direction) const;

    // A process with a seed of its own (by columns, say) overrides this; it
    // may add cells to the front through addToFront.
    virtual void seedStrip(const Model::Automaton::ParallelStrips::Strip &strip);
    // Runs for every strip once all steps are done (not after a stop), with
    // both arrays still held and the current cells final: a process that
    // turns cells into materials by their vectors, or that changes its
    // sources' materials only once nobody reads them, does it here. Only
    // cells of the strip's own planes may be written.
    virtual void finishStrip(const Model::Automaton::ParallelStrips::Strip &) {}
    // Sets a cell in both arrays as a seed of `kind`.
    void setSeed(std::size_t index, SeedKind kind);
    // Adds a cell to the front of `strip`, or hands it to the neighbouring
    // strip whose planes it lies in.
    void addToFront(unsigned strip, int x, std::size_t index);

    std::size_t cellIndex(int x, int y, int z) const
    {
        return std::size_t(z) + std::size_t(m_size[2]) * (std::size_t(y) + std::size_t(m_size[1]) * std::size_t(x));
    }
    bool inside(int x, int y, int z) const
    {
        return x >= 0 && y >= 0 && z >= 0 && x < m_size[0] && y < m_size[1] && z < m_size[2];
    }

    float thickness() const { return m_thickness; }
    Interrupter *interrupter() const { return m_interrupter; }
    const std::array<int, 3> &size() const { return m_size; }
    Voxel *current() const { return m_current; }
    Voxel *working() const { return m_working; }

private:
    void computeStep(const Model::Automaton::ParallelStrips::Strip &strip);
    void coordinates(std::size_t index, int &x, int &y, int &z) const;
    bool interior(int x, int y, int z) const
    {
        return x > 0 && y > 0 && z > 0 && x + 1 < m_size[0] && y + 1 < m_size[1] && z + 1 < m_size[2];
    }
    // Index offsets of the neighbourhoods, for cells away from the border.
    const std::vector<std::ptrdiff_t> &indexOffsets(Neighbourhood hood) const;

    Model::Automaton::TotalVolume &m_volume;
    const float m_thickness;
    const std::array<float, 3> m_cellSizes;
    const std::array<int, 3> m_size;
    const unsigned m_threads;
    StripFronts m_fronts;
    std::array<std::array<float, 3>, 6> m_steps{};
    std::vector<std::ptrdiff_t> m_faceIndexOffsets;
    std::vector<std::ptrdiff_t> m_mooreIndexOffsets;
    Voxel *m_current = nullptr;
    Voxel *m_working = nullptr;
    Interrupter *const m_interrupter;
};

} // namespace Operations
} // namespace Core
