#pragma once

#include "Model/Automaton/Boundaries.h"
#include "Model/Automaton/CellMask.h"
#include "Model/Automaton/SpinLock.h"
#include "Model/Automaton/TotalVolumePainter.h"
#include "Model/Automaton/VolumeViewOptions.h"
#include "Model/Automaton/Voxel.h"
#include "Model/Object.h"
#include "Util/Vector3D.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace Model {
namespace Automaton {

class SiLattice;

// The cell volume: a block of sizeX x sizeY x sizeZ cubic cells placed at
// `position`, each holding a material id. Cell (x, y, z) is element
// z + sizeZ * (y + sizeY * x) of a cell array. Processes read one array and
// write the other, then swap them; each array has a spin lock that a pass
// holds from its start to its end.
class TotalVolume : public Object
{
public:
    TotalVolume(unsigned sizeX, unsigned sizeY, unsigned sizeZ,
                float cellsizeX, float cellsizeY, float cellsizeZ,
                const Util::Vector3D &position,
                const std::vector<std::uint32_t> &materials);
    ~TotalVolume() override;

    unsigned sizeX() const { return m_sizeX; }
    unsigned sizeY() const { return m_sizeY; }
    unsigned sizeZ() const { return m_sizeZ; }
    std::size_t cellCount() const { return m_cellCount; }
    float cellsizeX() const { return m_cellsizeX; }
    float cellsizeY() const { return m_cellsizeY; }
    float cellsizeZ() const { return m_cellsizeZ; }
    Util::Vector3D position() const { return m_position; }
    // How the volume goes on beyond its faces; closed everywhere unless set.
    Boundaries boundaries() const { return m_boundaries; }
    void setBoundaries(const Boundaries &boundaries) { m_boundaries = boundaries; }

    std::size_t cellIndex(unsigned x, unsigned y, unsigned z) const
    {
        return z + std::size_t(m_sizeZ) * (y + std::size_t(m_sizeY) * x);
    }

    Voxel *lockCells();
    // The current cells if no one holds them, else null without waiting.
    Voxel *tryLockCells();
    void unlockCells();
    Voxel *lockWorkingCells();
    void unlockWorkingCells();
    // Exchanges the current and the working arrays; no cell is copied.
    void swapCells();

    // Material ids of the current cells in cell-index order.
    std::vector<std::uint32_t> materials();

    int objectType() const override { return CellVolumeType; }
    void draw(IRenderPass &pass, bool renderObjects, bool renderEdges) override;
    void drawForSelection(IRenderPass &pass) override;
    // Copies sizes, cell sizes, position, boundaries and materials only: the
    // copy has a new id, no lattice, no masks, and the whole of it in view.
    TotalVolume *clone() override;
    void moveBy(const Util::Vector3D &d) override;
    void bounds(Util::Vector4D &low, Util::Vector4D &high) override;

    // The view reads the lattice on the GUI thread while a step may replace
    // it on a pool thread: the pointer is handed over under a mutex.
    boost::shared_ptr<SiLattice> siLattice() const;
    // Lays a new Si lattice over the current cells, replacing the old one.
    // A build that `progress` stops leaves the volume without a lattice and
    // returns false.
    bool rebuildSiLattice(const std::function<bool(unsigned done, unsigned total)> &progress = {});
    void dropSiLattice();

    // Counts the changes of the cells. Whoever rewrote them marks them
    // changed once done (and has released them); whatever shows or exports
    // the volume regenerates its geometry when the count has moved.
    std::uint64_t cellsGeneration() const { return m_cellsGeneration.load(std::memory_order_acquire); }
    void markCellsChanged() { m_cellsGeneration.fetch_add(1, std::memory_order_acq_rel); }

    // What the view shows of the volume; its draw range always lies within
    // the volume.
    VolumeViewOptions viewOptions() const;
    void setViewOptions(const VolumeViewOptions &options);
    // Changes some options in one step.
    void changeViewOptions(const std::function<void(VolumeViewOptions &)> &change);

    // The painting controls of the operations, over the view options.
    TotalVolumePainter painter() { return TotalVolumePainter(*this); }

    // The lithography masks laid over the volume while a development is
    // prepared. The view reads them on the GUI thread while a batch run may
    // clear them on its own, so they are handed out as copies.
    void setBottomMask(const std::vector<bool> &bits, int width, int height);
    void setTopMask(const std::vector<bool> &bits, int width, int height);
    CellMask bottomMask() const;
    CellMask topMask() const;
    void clearBottomMask();
    void clearTopMask();
    // Takes both masks away (no bits, no size).
    void removeMasks();

private:
    std::unique_ptr<Voxel[]> m_cells;
    std::unique_ptr<Voxel[]> m_workingCells;
    SpinLock m_cellsLock;
    SpinLock m_workingCellsLock;
    unsigned m_sizeX;
    unsigned m_sizeY;
    unsigned m_sizeZ;
    std::size_t m_cellCount;
    float m_cellsizeX;
    float m_cellsizeY;
    float m_cellsizeZ;
    Util::Vector3D m_position;
    Boundaries m_boundaries;
    mutable std::mutex m_masksMutex;
    CellMask m_bottomMask;
    CellMask m_topMask;
    mutable std::mutex m_siLatticeMutex;
    boost::shared_ptr<SiLattice> m_siLattice;
    std::atomic<std::uint64_t> m_cellsGeneration{0};
    mutable std::mutex m_viewOptionsMutex;
    VolumeViewOptions m_viewOptions;
};

// Holds the current cells of a volume for the lifetime of the guard.
class LockedCells
{
public:
    explicit LockedCells(TotalVolume &volume) : m_volume(volume), m_cells(volume.lockCells()) {}
    // Takes the cells only if they are free: see ownsCells().
    LockedCells(TotalVolume &volume, std::try_to_lock_t) : m_volume(volume), m_cells(volume.tryLockCells()) {}
    ~LockedCells()
    {
        if (m_cells)
            m_volume.unlockCells();
    }
    LockedCells(const LockedCells &) = delete;
    LockedCells &operator=(const LockedCells &) = delete;

    bool ownsCells() const { return m_cells != nullptr; }
    Voxel *get() const { return m_cells; }
    Voxel &operator[](std::size_t index) const { return m_cells[index]; }

private:
    TotalVolume &m_volume;
    Voxel *m_cells;
};

// Holds both cell arrays of a volume, current and working, for the lifetime
// of the guard.
class LockedCellArrays
{
public:
    explicit LockedCellArrays(TotalVolume &volume)
        : m_volume(volume), m_cells(volume.lockCells()), m_working(volume.lockWorkingCells())
    {
    }
    ~LockedCellArrays()
    {
        m_volume.unlockWorkingCells();
        m_volume.unlockCells();
    }
    LockedCellArrays(const LockedCellArrays &) = delete;
    LockedCellArrays &operator=(const LockedCellArrays &) = delete;

    Voxel *current() const { return m_cells; }
    Voxel *working() const { return m_working; }

private:
    TotalVolume &m_volume;
    Voxel *m_cells;
    Voxel *m_working;
};

} // namespace Automaton
} // namespace Model
