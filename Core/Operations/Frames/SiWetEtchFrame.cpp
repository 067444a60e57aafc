#include "Core/Operations/Frames/SiWetEtchFrame.h"

#include "Core/Operations/Frames/Interrupter.h"
#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/Material.h"
#include "Util/DebugLog.h"
#include "Util/DecimalText.h"

#include <QDebug>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cmath>

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;

namespace {

const float B = float(std::sqrt(2.0) / 4.0);

// World-axis bond vectors by sublattice and slot (the lattice is turned 45°
// about z).
const float BondVectors[2][4][3] = {
    {{B, 0, -0.25f}, {-B, 0, -0.25f}, {0, -B, 0.25f}, {0, B, 0.25f}},
    {{0, -B, -0.25f}, {0, B, -0.25f}, {B, 0, 0.25f}, {-B, 0, 0.25f}},
};

const char *const EtchPhase = "Etching";

void sortUnique(std::vector<Model::Automaton::SiAtom *> &atoms)
{
    std::sort(atoms.begin(), atoms.end());
    atoms.erase(std::unique(atoms.begin(), atoms.end()), atoms.end());
}

} // namespace

struct SiWetEtchFrame::StripState
{
    std::vector<SiAtom *> atoms;   // the strip's atoms inside the volume
    std::vector<SiAtom *> silicon; // those the run starts from
    std::vector<SiAtom *> surface;
    std::vector<SiAtom *> nextSurface;
    std::vector<SiAtom *> removed;
    std::vector<std::vector<SiAtom *>> outbox; // hand-offs, by receiving strip
    std::list<boost::shared_ptr<SiAtom>> created;
    std::size_t misplacedNeighbours = 0;
};

SiWetEtchFrame::SiWetEtchFrame(Model::Automaton::TotalVolume &volume, double depth, Interrupter *interrupter)
    : m_volume(volume)
    , m_lattice(volume.siLattice())
    , m_depth(depth)
    , m_size{int(volume.sizeX()), int(volume.sizeY()), int(volume.sizeZ())}
    , m_interrupter(interrupter)
{
    m_strips = ParallelStrips::split(0, m_size[0], ParallelStrips::threadCount(), 1);
    m_stripOfPlane.assign(std::size_t(std::max(m_size[0], 0)), 0);
    for (const auto &strip : m_strips)
        for (int x = strip.first; x < strip.end; ++x)
            m_stripOfPlane[std::size_t(x)] = strip.index;
}

SiWetEtchFrame::~SiWetEtchFrame() = default;

int SiWetEtchFrame::stepCount(double depth)
{
    if (!(depth > 0.0))
        return 0;
    return int(std::min(std::floor(4.0 * depth + 0.5), double(MaxSteps)));
}

bool SiWetEtchFrame::depthFits(double depth, std::string *problem)
{
    if (std::isfinite(depth) && std::floor(4.0 * depth + 0.5) <= double(MaxSteps))
        return true;
    if (problem)
        *problem = "An etch depth of " + Util::generalNumber(depth).toStdString() + " would take more than "
                   + std::to_string(MaxSteps) + " steps; etch at most " + Util::generalNumber(MaxDepth).toStdString()
                   + " units deep at once.";
    return false;
}

bool SiWetEtchFrame::placesAtoms(const Model::Automaton::TotalVolume &volume, std::string *problem)
{
    // Atoms keep their world positions in single precision. Far from the
    // origin, or with cells much smaller than the lattice constant, they
    // would land in the wrong cells, and the etch would silently do
    // something else than asked.
    const Util::Vector3D p = volume.position();
    const double sizes[3] = {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()};
    const unsigned counts[3] = {volume.sizeX(), volume.sizeY(), volume.sizeZ()};
    // The lattice reaches past the volume's footprint by up to its width.
    double farthest = std::max({std::abs(p.x), std::abs(p.y), std::abs(p.z)}) + double(counts[0]) + counts[1];
    double finest = 0.25; // a (100) monolayer
    for (int axis = 0; axis < 3; ++axis) {
        farthest += double(counts[axis]) * sizes[axis];
        finest = std::min(finest, sizes[axis]);
    }
    // Single precision resolves 2^-23 of a coordinate; ask for 64 steps
    // across the finest distance the etch tells apart.
    const double resolution = farthest * std::ldexp(1.0, -23);
    if (std::isfinite(farthest) && resolution * 64.0 <= finest)
        return true;
    if (problem)
        *problem = "Its Si atoms cannot be placed within its cells: the cell volume reaches "
                   + Util::generalNumber(farthest).toStdString() + " units from the origin with cells of "
                   + Util::generalNumber(finest).toStdString()
                   + " units or less. Move it nearer to the origin or use larger cells.";
    return false;
}

unsigned SiWetEtchFrame::stripOf(std::int32_t index) const
{
    const std::size_t plane = std::size_t(index) / (std::size_t(m_size[1]) * std::size_t(m_size[2]));
    return m_stripOfPlane[plane];
}

long SiWetEtchFrame::cellAt(const std::array<float, 3> &position) const
{
    // Relative to the volume's corner and by its cell sizes, wherever the
    // volume lies; compared with the counts before any conversion, so that
    // no far position wraps round into the volume.
    const Util::Vector3D p = m_volume.position();
    const double size[3] = {m_volume.cellsizeX(), m_volume.cellsizeY(), m_volume.cellsizeZ()};
    const double origin[3] = {p.x, p.y, p.z};
    std::int64_t cell[3];
    for (int axis = 0; axis < 3; ++axis) {
        const double at = (double(position[std::size_t(axis)]) - origin[axis]) / size[axis];
        if (!(at >= 0.0 && at < double(m_size[axis])))
            return -1;
        cell[axis] = std::int64_t(at);
    }
    return long((cell[0] * m_size[1] + cell[1]) * m_size[2] + cell[2]);
}

bool SiWetEtchFrame::runEtching()
{
    qCDebug(tessivalLog) << "Running etching";
    if (!m_lattice)
        return true;
    Model::Automaton::LockedCellArrays arrays(m_volume);
    m_current = arrays.current();
    m_working = arrays.working();
    m_state = std::vector<StripState>(m_strips.size());
    for (StripState &state : m_state)
        state.outbox.resize(m_strips.size());

    m_lattice->borderAtoms().clear();
    bucketAtoms();
    ParallelStrips::run(m_strips, [this](const ParallelStrips::Strip &strip) { collect(strip); });
    ParallelStrips::run(m_strips, [this](const ParallelStrips::Strip &strip) { findSurface(strip); });
    const int count = steps();
    // Between two steps every removal is applied to atoms and cells alike.
    // Once no strip has a surface atom left, no step can remove one.
    const auto surfaceLeft = [this] {
        for (const StripState &state : m_state)
            if (!state.surface.empty())
                return true;
        return false;
    };
    const bool finished = runSteps(m_interrupter, EtchPhase, count, [this, &surfaceLeft](int) {
        if (!surfaceLeft())
            return false;
        ParallelStrips::run(m_strips, [this](const ParallelStrips::Strip &strip) { decideStep(strip); });
        ParallelStrips::run(m_strips, [this](const ParallelStrips::Strip &strip) { applyStep(strip); });
        return surfaceLeft();
    });
    // A stopped run hands over its border atoms too: they hold bonds of
    // lattice atoms.
    for (StripState &state : m_state) {
        if (state.misplacedNeighbours)
            qCDebug(tessivalLog) << "This wasn't suppose to happen." << state.misplacedNeighbours << "times";
        m_lattice->borderAtoms().splice(m_lattice->borderAtoms().end(), state.created);
    }
    m_state.clear();
    m_current = m_working = nullptr;
    return finished;
}

void SiWetEtchFrame::bucketAtoms()
{
    for (const auto &entry : m_lattice->cells())
        for (const auto &atom : entry.second->atoms())
            if (atom->index() >= 0)
                m_state[stripOf(atom->index())].atoms.push_back(atom.get());
}

void SiWetEtchFrame::collect(const ParallelStrips::Strip &strip)
{
    // Every atom is brought in line with the material of its cell; silicon
    // removed by an earlier run comes back while its cell is still silicon.
    StripState &state = m_state[strip.index];
    for (SiAtom *atom : state.atoms) {
        const std::size_t index = std::size_t(atom->index());
        const std::uint32_t material = m_current[index].material;
        if (material == Model::Materials::SiliconId) {
            if (atom->state() != SiAtom::Silicon) {
                atom->setState(SiAtom::Silicon);
                m_current[index].siAtomCount += 1;
                m_working[index].siAtomCount = m_current[index].siAtomCount;
            }
            initializeAtom(*atom);
            state.silicon.push_back(atom);
        } else {
            atom->setState(material == 0 ? SiAtom::Absent : SiAtom::Fixed);
        }
    }
}

void SiWetEtchFrame::findSurface(const ParallelStrips::Strip &strip)
{
    StripState &state = m_state[strip.index];
    for (SiAtom *atom : state.silicon)
        if (atom->coordination() < 4)
            treatMissingNeighbours(*atom, state);
    sortUnique(state.surface);
    qCDebug(tessivalLog) << "Surface list size for thread " << strip.index << ": " << state.surface.size();
}

void SiWetEtchFrame::treatMissingNeighbours(SiAtom &atom, StripState &state)
{
    bool exposed = false;
    for (int slot = 0; slot < 4; ++slot) {
        if (const SiAtom *neighbour = atom.neighbour(slot)) {
            if (neighbour->index() < 0)
                ++state.misplacedNeighbours;
            else if (m_current[std::size_t(neighbour->index())].material == 0)
                exposed = true;
            continue;
        }
        const float *bond = BondVectors[atom.sublattice()][slot];
        const std::array<float, 3> &p = atom.position();
        const std::array<float, 3> position = {p[0] + bond[0], p[1] + bond[1], p[2] + bond[2]};
        const long cell = cellAt(position);
        if (cell >= 0 && m_current[std::size_t(cell)].material == 0) {
            exposed = true;
            continue;
        }
        if (cell >= 0 && m_current[std::size_t(cell)].material == Model::Materials::SiliconId)
            continue;
        // Another material, or outside the volume: a fixed atom holds the bond.
        auto fixed = boost::make_shared<SiAtom>(nullptr, std::uint8_t(0), position);
        fixed->setState(SiAtom::Fixed);
        SiAtom::link(atom, *fixed, slot);
        state.created.push_back(fixed);
    }
    if (exposed)
        state.surface.push_back(&atom);
}

void SiWetEtchFrame::decideStep(const ParallelStrips::Strip &strip)
{
    StripState &state = m_state[strip.index];
    state.nextSurface.clear();
    state.removed.clear();
    for (auto &box : state.outbox)
        box.clear();
    for (SiAtom *atom : state.surface) {
        if (atom->state() != SiAtom::Silicon)
            continue;
        if (decide(*atom) == Decision::Stay) {
            state.nextSurface.push_back(atom);
            continue;
        }
        state.removed.push_back(atom);
        for (int slot = 0; slot < 4; ++slot) {
            SiAtom *neighbour = atom->neighbour(slot);
            if (!neighbour || neighbour->state() != SiAtom::Silicon || neighbour->index() < 0)
                continue;
            const unsigned owner = stripOf(neighbour->index());
            (owner == strip.index ? state.nextSurface : state.outbox[owner]).push_back(neighbour);
        }
    }
}

void SiWetEtchFrame::applyStep(const ParallelStrips::Strip &strip)
{
    StripState &state = m_state[strip.index];
    std::vector<std::size_t> changed;
    for (SiAtom *atom : state.removed) {
        atom->setState(SiAtom::Absent);
        const std::int32_t index = atom->index();
        Model::Automaton::Voxel &cell = m_working[std::size_t(index)];
        const int count = cell.siAtomCount;
        cell.siAtomCount = count - 1;
        if (count <= 1)
            cell.material = 0;
        if (count < 1)
            qCDebug(tessivalLog) << "Negative atom count reached for index: " << index << " count is: " << count - 1;
        changed.push_back(std::size_t(index));
    }
    for (const std::size_t index : changed) {
        m_current[index].siAtomCount = m_working[index].siAtomCount;
        m_current[index].material = m_working[index].material;
    }
    for (const StripState &other : m_state)
        state.nextSurface.insert(state.nextSurface.end(), other.outbox[strip.index].begin(),
                                 other.outbox[strip.index].end());
    sortUnique(state.nextSurface);
    state.surface.swap(state.nextSurface);
    qCDebug(tessivalLog) << "Surface list size for thread " << strip.index << ": " << state.surface.size();
}

} // namespace Operations
} // namespace Core
