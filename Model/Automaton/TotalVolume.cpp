#include "Model/Automaton/TotalVolume.h"

#include "Model/Automaton/SiLattice.h"
#include "Model/IRenderPass.h"
#include "Util/DebugLog.h"

#include <QDebug>

#include <algorithm>

namespace Model {
namespace Automaton {

TotalVolume::TotalVolume(unsigned sizeX, unsigned sizeY, unsigned sizeZ,
                         float cellsizeX, float cellsizeY, float cellsizeZ,
                         const Util::Vector3D &position,
                         const std::vector<std::uint32_t> &materials)
    : m_sizeX(sizeX)
    , m_sizeY(sizeY)
    , m_sizeZ(sizeZ)
    , m_cellCount(std::size_t(sizeX) * sizeY * sizeZ)
    , m_cellsizeX(cellsizeX)
    , m_cellsizeY(cellsizeY)
    , m_cellsizeZ(cellsizeZ)
    , m_position(position)
{
    m_viewOptions.drawRange = CellRange::whole(sizeX, sizeY, sizeZ);
    m_cells.reset(new Voxel[m_cellCount]);
    m_workingCells.reset(new Voxel[m_cellCount]);
    // A short material list leaves the remaining cells empty rather than
    // reading past its end.
    const std::size_t given = std::min(m_cellCount, materials.size());
    for (std::size_t i = 0; i < given; ++i) {
        m_cells[i] = Voxel(materials[i]);
        m_workingCells[i] = Voxel(materials[i]);
    }
}

TotalVolume::~TotalVolume() = default;

Voxel *TotalVolume::lockCells()
{
    m_cellsLock.lock();
    return m_cells.get();
}

Voxel *TotalVolume::tryLockCells()
{
    return m_cellsLock.tryLock() ? m_cells.get() : nullptr;
}

void TotalVolume::unlockCells()
{
    m_cellsLock.unlock();
}

Voxel *TotalVolume::lockWorkingCells()
{
    m_workingCellsLock.lock();
    return m_workingCells.get();
}

void TotalVolume::unlockWorkingCells()
{
    m_workingCellsLock.unlock();
}

void TotalVolume::swapCells()
{
    m_cells.swap(m_workingCells);
}

std::vector<std::uint32_t> TotalVolume::materials()
{
    std::vector<std::uint32_t> result(m_cellCount);
    LockedCells cells(*this);
    for (std::size_t i = 0; i < m_cellCount; ++i)
        result[i] = cells[i].material;
    return result;
}

VolumeViewOptions TotalVolume::viewOptions() const
{
    std::lock_guard<std::mutex> lock(m_viewOptionsMutex);
    return m_viewOptions;
}

void TotalVolume::setViewOptions(const VolumeViewOptions &options)
{
    changeViewOptions([&options](VolumeViewOptions &current) { current = options; });
}

void TotalVolume::changeViewOptions(const std::function<void(VolumeViewOptions &)> &change)
{
    std::lock_guard<std::mutex> lock(m_viewOptionsMutex);
    change(m_viewOptions);
    m_viewOptions.drawRange = m_viewOptions.drawRange.clampedTo(m_sizeX, m_sizeY, m_sizeZ);
}

void TotalVolume::draw(IRenderPass &pass, bool renderObjects, bool renderEdges)
{
    pass.paintCellVolume(*this, renderObjects, renderEdges);
}

void TotalVolume::drawForSelection(IRenderPass &pass)
{
    pass.paintCellVolumeBounds(*this);
}

TotalVolume *TotalVolume::clone()
{
    auto *copy = new TotalVolume(m_sizeX, m_sizeY, m_sizeZ, m_cellsizeX, m_cellsizeY, m_cellsizeZ, m_position,
                                 materials());
    copy->setBoundaries(m_boundaries);
    return copy;
}

bool TotalVolume::rebuildSiLattice(const std::function<bool(unsigned done, unsigned total)> &progress)
{
    // The old lattice goes first: the two would not fit in memory together
    // for large volumes.
    dropSiLattice();
    boost::shared_ptr<SiLattice> lattice(new SiLattice(*this, progress));
    if (!lattice->isComplete())
        return false;
    {
        std::lock_guard<std::mutex> lock(m_siLatticeMutex);
        m_siLattice = lattice;
    }
    qCDebug(tessivalLog) << "Done initializing";
    return true;
}

boost::shared_ptr<SiLattice> TotalVolume::siLattice() const
{
    std::lock_guard<std::mutex> lock(m_siLatticeMutex);
    return m_siLattice;
}

void TotalVolume::dropSiLattice()
{
    boost::shared_ptr<SiLattice> old;
    {
        std::lock_guard<std::mutex> lock(m_siLatticeMutex);
        old.swap(m_siLattice);
    }
}

void TotalVolume::moveBy(const Util::Vector3D &d)
{
    m_position += d;
}

void TotalVolume::bounds(Util::Vector4D &, Util::Vector4D &)
{
}

void TotalVolume::setBottomMask(const std::vector<bool> &bits, int width, int height)
{
    std::lock_guard<std::mutex> lock(m_masksMutex);
    m_bottomMask.bits = bits;
    m_bottomMask.width = width;
    m_bottomMask.height = height;
}

void TotalVolume::setTopMask(const std::vector<bool> &bits, int width, int height)
{
    std::lock_guard<std::mutex> lock(m_masksMutex);
    m_topMask.bits = bits;
    m_topMask.width = width;
    m_topMask.height = height;
}

CellMask TotalVolume::bottomMask() const
{
    std::lock_guard<std::mutex> lock(m_masksMutex);
    return m_bottomMask;
}

CellMask TotalVolume::topMask() const
{
    std::lock_guard<std::mutex> lock(m_masksMutex);
    return m_topMask;
}

void TotalVolume::clearBottomMask()
{
    std::lock_guard<std::mutex> lock(m_masksMutex);
    m_bottomMask.clear();
}

void TotalVolume::clearTopMask()
{
    std::lock_guard<std::mutex> lock(m_masksMutex);
    m_topMask.clear();
}

void TotalVolume::removeMasks()
{
    std::lock_guard<std::mutex> lock(m_masksMutex);
    m_bottomMask = CellMask();
    m_topMask = CellMask();
}

} // namespace Automaton
} // namespace Model
