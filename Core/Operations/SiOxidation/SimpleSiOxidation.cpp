#include "Core/Operations/SiOxidation/SimpleSiOxidation.h"

#include "Core/Operations/Frames/VectorDistanceFront.h"
#include "Model/Automaton/TotalVolume.h"
#include "Util/DebugLog.h"

#include <algorithm>
#include <cmath>

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;

namespace {

// Shares of the oxide thickness: how far the front may reach into the
// solid and into the empty space, and how far conversion goes on each side.
constexpr float SolidReach = 0.44f;
constexpr float EmptyReach = 0.56f;
constexpr float SolidConversion = 0.3f;
constexpr float EmptyConversion = 0.6f;

float squared(float v)
{
    return v * v;
}

} // namespace

// The front of one oxidation: the free faces of the oxidizable cells are
// the sources, the vectors spread through the oxidizable solid and the empty
// space by face steps, and the conversion afterwards turns the cells near
// enough into oxide.
class SimpleSiOxidation::Front : public VectorDistanceFront
{
public:
    Front(Model::Automaton::TotalVolume &volume, float x, const Model::Process::MaterialSet &oxidizable,
          Interrupter *interrupter)
        : VectorDistanceFront(volume, x, interrupter)
        , m_oxidizable(oxidizable)
        , m_solidBound(squared(SolidReach * x))
        , m_emptyBound(squared(EmptyReach * x))
        , m_solidConversion(squared(SolidConversion * x))
        , m_emptyConversion(squared(EmptyConversion * x))
    {
    }

protected:
    SeedResult seed(const Voxel *cells, int x, int y, int z) const override
    {
        const std::uint32_t material = cells[cellIndex(x, y, z)].material;
        if (oxidizable(material)) {
            if (isFree(cells, x, y, z))
                return {SeedKind::Source, false};
            return {SeedKind::Open, anyFace(cells, x, y, z, [&](int nx, int ny, int nz) {
                        return oxidizable(cells[cellIndex(nx, ny, nz)].material) && isFree(cells, nx, ny, nz);
                    })};
        }
        if (material == 0)
            return {SeedKind::Open, anyFace(cells, x, y, z, [&](int nx, int ny, int nz) {
                        return oxidizable(cells[cellIndex(nx, ny, nz)].material);
                    })};
        return {SeedKind::Obstacle, false};
    }
    // The seed itself decides who joins (seedStrip): whether a solid cell
    // joins depends on its neighbour's neighbours.
    bool joinsFront(const Voxel &) const override { return false; }
    void seedStrip(const ParallelStrips::Strip &strip) override
    {
        for (int x = strip.first; x < strip.end; ++x)
            for (int y = 0; y < size()[1]; ++y)
                for (int z = 0; z < size()[2]; ++z) {
                    const SeedResult result = seed(current(), x, y, z);
                    setSeed(cellIndex(x, y, z), result.kind);
                    if (result.candidate)
                        addToFront(strip.index, x, cellIndex(x, y, z));
                }
    }
    // Only the vectors move; the materials change in the conversion.
    std::uint32_t reachedMaterial(const Voxel &current) const override { return current.material; }
    bool spreadsTo(const Voxel &neighbour) const override
    {
        return neighbour.material == 0 || neighbour.material == OxideId || oxidizable(neighbour.material);
    }
    Neighbourhood frontNeighbourhood() const override { return Neighbourhood::Faces; }
    Neighbourhood spreadNeighbourhood() const override { return Neighbourhood::Faces; }
    float squaredBound(const Voxel &cell) const override { return cell.material ? m_solidBound : m_emptyBound; }
    void finishStrip(const ParallelStrips::Strip &strip) override
    {
        const std::size_t first = cellIndex(strip.first, 0, 0), end = cellIndex(strip.end, 0, 0);
        for (std::size_t i = first; i < end; ++i) {
            const Voxel &cell = current()[i];
            const float length = cell.dx * cell.dx + cell.dy * cell.dy + cell.dz * cell.dz;
            const bool converts = cell.material == 0 ? length < m_emptyConversion
                                                     : oxidizable(cell.material) && length < m_solidConversion;
            if (converts)
                current()[i].material = working()[i].material = OxideId;
        }
    }

private:
    bool oxidizable(std::uint32_t material) const { return material != 0 && m_oxidizable.contains(material); }

    template<typename Test>
    bool anyFace(const Voxel *, int x, int y, int z, const Test &test) const
    {
        for (const auto &d : FaceOffsets) {
            const int nx = x + d[0], ny = y + d[1], nz = z + d[2];
            if (inside(nx, ny, nz) && test(nx, ny, nz))
                return true;
        }
        return false;
    }
    // A face of the cell touches an empty cell; diagonal contact does not count.
    bool isFree(const Voxel *cells, int x, int y, int z) const
    {
        return anyFace(cells, x, y, z,
                       [&](int nx, int ny, int nz) { return cells[cellIndex(nx, ny, nz)].material == 0; });
    }

    const Model::Process::MaterialSet &m_oxidizable;
    const float m_solidBound;
    const float m_emptyBound;
    const float m_solidConversion;
    const float m_emptyConversion;
};

SimpleSiOxidation::SimpleSiOxidation(Model::Automaton::TotalVolume &volume, double cellUnitsPerMicron,
                                     Interrupter *interrupter)
    : m_volume(volume)
    , m_unitsPerMicron(cellUnitsPerMicron)
    , m_interrupter(interrupter)
    , m_oxidizable(Model::Process::MaterialSet::compatibleWith(QStringLiteral("Simple Si Oxidation")))
{
}

double SimpleSiOxidation::oxideThickness(double hours, double kelvin, double atm)
{
    qCDebug(tessivalLog) << "Time:" << hours;
    qCDebug(tessivalLog) << "Temperature:" << kelvin;
    qCDebug(tessivalLog) << "Pressure:" << atm;
    // Parabolic rate constant at 1 atm and the linear rate constant, in
    // microns and hours.
    const double b1 = 1297.907373 * std::exp(-14.92366568 * 1000.0 / kelvin);
    qCDebug(tessivalLog) << "B (1 atm)" << b1;
    const double b = atm * 0.999264839884312 * b1;
    qCDebug(tessivalLog) << "B" << b;
    const double bOverA = 7973245.767 * std::exp(-23.43965534 * 1000.0 / kelvin);
    qCDebug(tessivalLog) << "B/A" << bOverA;
    const double a = b / bOverA;
    qCDebug(tessivalLog) << "A" << a;
    // The time an initial oxide of 0.025 µm would have taken: (x0² + A·x0) / B.
    const double tau = (0.025 * a + 0.000625) / b;
    qCDebug(tessivalLog) << "tau" << tau;
    const double x = (std::sqrt(a * a + 4.0 * b * (hours + tau)) - a) / 2.0;
    qCDebug(tessivalLog) << "Oxide thickness in microns" << x;
    return x;
}

bool SimpleSiOxidation::oxidateFor(double time, double temperature, double pressure)
{
    const double x = oxideThickness(time, temperature, pressure) * m_unitsPerMicron;
    qCDebug(tessivalLog) << "Oxide thickness in cell units" << x;
    return runOxidation(x);
}

bool SimpleSiOxidation::oxidizes(const Model::Automaton::TotalVolume &volume, double x)
{
    const double smallest = std::min({volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()});
    // Also false for a thickness that is not a number.
    return x > smallest;
}

bool SimpleSiOxidation::runOxidation(double x)
{
    if (!oxidizes(m_volume, x))
        return true;
    return Front(m_volume, float(x), m_oxidizable, m_interrupter).run();
}

} // namespace Operations
} // namespace Core
