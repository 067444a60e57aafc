#pragma once

#include "Model/Automaton/CellMask.h"
#include "Model/Automaton/SpinLock.h"
#include "Model/Automaton/TotalVolumePainter.h"
#include "Model/Automaton/Voxel.h"
#include "Model/Object.h"
#include "Util/Vector3D.h"

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
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

    std::size_t cellIndex(unsigned x, unsigned y, unsigned z) const
    {
        return z + std::size_t(m_sizeZ) * (y + std::size_t(m_sizeY) * x);
    }

    Voxel *lockCells();
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
    // Copies sizes, cell sizes, position and materials only: the copy has a
    // new id, no lattice and no masks.
    TotalVolume *clone() override;
    void moveBy(const Util::Vector3D &d) override;
    void bounds(Util::Vector4D &low, Util::Vector4D &high) override;

    boost::shared_ptr<SiLattice> siLattice() const { return m_siLattice; }
    // Lays a new Si lattice over the current cells, replacing the old one.
    // A build that `progress` stops leaves the volume without a lattice and
    // returns false.
    bool rebuildSiLattice(const std::function<bool(unsigned done, unsigned total)> &progress = {});
    void dropSiLattice() { m_siLattice.reset(); }

    TotalVolumePainter &painter() { return m_painter; }
    const TotalVolumePainter &painter() const { return m_painter; }

    void setBottomMask(const std::vector<bool> &bits, int width, int height);
    void setTopMask(const std::vector<bool> &bits, int width, int height);
    const CellMask &bottomMask() const { return m_bottomMask; }
    const CellMask &topMask() const { return m_topMask; }
    void clearBottomMask() { m_bottomMask.clear(); }
    void clearTopMask() { m_topMask.clear(); }

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
    CellMask m_bottomMask;
    CellMask m_topMask;
    boost::shared_ptr<SiLattice> m_siLattice;
    // Last: it reads the sizes above when it is built.
    TotalVolumePainter m_painter;
};

// Holds the current cells of a volume for the lifetime of the guard.
class LockedCells
{
public:
    explicit LockedCells(TotalVolume &volume) : m_volume(volume), m_cells(volume.lockCells()) {}
    ~LockedCells() { m_volume.unlockCells(); }
    LockedCells(const LockedCells &) = delete;
    LockedCells &operator=(const LockedCells &) = delete;

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
