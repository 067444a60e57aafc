#include "Core/Operations/Frames/SiWetEtchFrame.h"

#include "Core/Operations/Frames/Interrupter.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/StripTeam.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/Material.h"
#include "Util/DebugLog.h"
#include "Util/DecimalText.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;

namespace {

const char *const EtchPhase = "Etching";

// Threads take strips and parts as they come free: more of them than
// threads even out those of unequal work (the etch front rarely spreads
// evenly over the strips) and threads that start late. The passes over all
// atoms at the start of a run split finer: they need no hand-offs.
constexpr unsigned StripsPerThread = 4;
constexpr unsigned PartsPerThread = 8;

constexpr std::size_t CacheLine = 64;

void sortUnique(std::vector<std::uint32_t> &atoms)
{
    std::sort(atoms.begin(), atoms.end());
    atoms.erase(std::unique(atoms.begin(), atoms.end()), atoms.end());
}

// Drops the repeats from a list of atoms, each kept at its first place,
// through a mark per atom that is clear before and after: linear, where a
// sort would cost most of a step. Only the strip that owns the atoms marks
// them.
void dropRepeats(std::vector<std::uint32_t> &atoms, std::uint8_t *listed)
{
    std::size_t kept = 0;
    for (const std::uint32_t atom : atoms)
        if (!listed[atom]) {
            listed[atom] = 1;
            atoms[kept++] = atom;
        }
    atoms.resize(kept);
    for (const std::uint32_t atom : atoms)
        listed[atom] = 0;
}

} // namespace

// Atoms are listed by their numbers in the lattice. Each thread's state
// has cache lines of its own: the lists grow on every step.
struct alignas(CacheLine) SiWetEtchFrame::StripState
{
    std::vector<AtomId> surface;
    std::vector<AtomId> nextSurface;
    std::vector<AtomId> removed;
    std::vector<std::vector<AtomId>> outbox; // hand-offs, by receiving strip
    std::vector<std::size_t> changedCells;
    bool changedAtoms = false; // in this step: an atom removed or worn
};

struct alignas(CacheLine) SiWetEtchFrame::PartState
{
    struct alignas(CacheLine) AtomList
    {
        std::vector<AtomId> atoms;
    };
    std::vector<AtomList> surface; // by the strip of the atom
    std::vector<std::size_t> returned;        // cells of silicon atoms that came back
    std::size_t misplacedNeighbours = 0;
};

SiWetEtchFrame::SiWetEtchFrame(Model::Automaton::TotalVolume &volume, double depth, Interrupter *interrupter)
    : m_volume(volume)
    , m_lattice(volume.siLattice())
    , m_depth(depth)
    , m_size{int(volume.sizeX()), int(volume.sizeY()), int(volume.sizeZ())}
    , m_interrupter(interrupter)
{
    // A volume thinner than that still gets a strip per thread where it can.
    const unsigned strips = std::min(ParallelStrips::threadCount() * StripsPerThread,
                                     std::max(unsigned(std::max(m_size[0], 0)), ParallelStrips::threadCount()));
    m_strips = ParallelStrips::split(0, m_size[0], strips, 1);
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
    const SiLattice::Reach reach = SiLattice::reachOf(volume);
    double farthest = std::max({std::abs(p.x), std::abs(p.y), std::abs(p.z)}) + reach.x + reach.y;
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

bool SiWetEtchFrame::servesCells(Model::Automaton::TotalVolume &volume, std::string *problem)
{
    // The crystal's unit cells are a unit wide: in each (100) layer, a
    // quarter unit apart, the atoms lie on a square grid along x and y with
    // a spacing of √2/2. Cells at least that wide and a layer high hold
    // atoms wherever they lie; finer ones may hold none, and silicon there
    // could never be etched away.
    std::size_t bare = 0;
    {
        Model::Automaton::LockedCells cells(volume);
        for (std::size_t i = 0; i < volume.cellCount(); ++i)
            bare += cells[i].material == Model::Materials::SiliconId && cells[i].siAtomCount <= 0 ? 1 : 0;
    }
    if (bare == 0)
        return true;
    if (problem)
        *problem = "Cells of " + Util::generalNumber(volume.cellsizeX()).toStdString() + " x "
                   + Util::generalNumber(volume.cellsizeY()).toStdString() + " x "
                   + Util::generalNumber(volume.cellsizeZ()).toStdString() + " units are too small for the Si lattice: "
                   + std::to_string(bare) + " silicon cells of this volume hold no Si atom, and the etch could never "
                   "empty them. Cells at least 0.71 units wide in x and y and 0.25 units high always hold atoms.";
    return false;
}

SiWetEtchFrame::ZeroedBytes SiWetEtchFrame::zeroedBytes(std::size_t count)
{
    ZeroedBytes bytes(static_cast<std::uint8_t *>(std::calloc(std::max<std::size_t>(count, 1), 1)));
    if (!bytes)
        throw std::bad_alloc();
    return bytes;
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

    m_parts = ParallelStrips::split(0, int(m_lattice->cellCount()), ParallelStrips::threadCount() * PartsPerThread, 1);
    m_partState = std::vector<PartState>(m_parts.size());
    m_fullPlaces = zeroedBytes(m_lattice->tableSize());
    for (PartState &state : m_partState)
        state.surface.resize(m_strips.size());
    float occupation = 0.0f;
    const bool setOccupation = startsOccupations(occupation);
    ParallelStrips::run(m_parts, [this, setOccupation, occupation](const ParallelStrips::Strip &part) {
        collect(part, setOccupation, occupation);
    });
    for (const PartState &state : m_partState)
        for (const std::size_t index : state.returned)
            m_working[index].siAtomCount = m_current[index].siAtomCount;
    ParallelStrips::run(m_parts, [this](const ParallelStrips::Strip &part) { findSurface(part); });
    ParallelStrips::run(m_strips, [this](const ParallelStrips::Strip &strip) { gatherSurface(strip); });
    std::size_t misplacedNeighbours = 0;
    for (const PartState &state : m_partState)
        misplacedNeighbours += state.misplacedNeighbours;
    if (misplacedNeighbours)
        qCDebug(tessivalLog) << "This wasn't suppose to happen." << misplacedNeighbours << "times";
    m_partState.clear();
    m_fullPlaces.reset();
    m_listed = zeroedBytes(m_lattice->atomCount());
    const int count = steps();
    // Between two steps every removal is applied to atoms and cells alike.
    // Once no strip has a surface atom left, no step can remove one; and a
    // step that changed no atom leaves every state as it was, so every later
    // step would change none either.
    const auto surfaceLeft = [this] {
        for (const StripState &state : m_state)
            if (!state.surface.empty())
                return true;
        return false;
    };
    const auto changedAtoms = [this] {
        for (const StripState &state : m_state)
            if (state.changedAtoms)
                return true;
        return false;
    };
    // A step is two short passes: the team's helpers stay between them.
    Model::Automaton::StripTeam team(m_strips);
    const std::function<void(const ParallelStrips::Strip &)> decidePass = [this](const ParallelStrips::Strip &strip) {
        decideStep(strip);
    };
    const std::function<void(const ParallelStrips::Strip &)> applyPass = [this](const ParallelStrips::Strip &strip) {
        applyStep(strip);
    };
    const bool finished = runSteps(m_interrupter, EtchPhase, count, [&](int) {
        if (!surfaceLeft())
            return false;
        team.run(decidePass);
        team.run(applyPass);
        return changedAtoms() && surfaceLeft();
    });
    // A stopped run keeps its border atoms too: they hold bonds of lattice
    // atoms.
    m_state.clear();
    m_listed.reset();
    m_current = m_working = nullptr;
    return finished;
}

void SiWetEtchFrame::collect(const ParallelStrips::Strip &part, bool setOccupation, float occupation)
{
    // Every atom is brought in line with the material of its cell; silicon
    // removed by an earlier run comes back while its cell is still silicon.
    // Border atoms of an earlier run go.
    SiLattice &lattice = *m_lattice;
    PartState &state = m_partState[part.index];
    for (std::uint32_t cell = std::uint32_t(part.first); cell < std::uint32_t(part.end); ++cell) {
        bool full = true;
        lattice.clearCellBorderAtoms(cell);
        for (AtomId atom = cell * 8; atom < cell * 8 + 8; ++atom) {
            const std::int32_t at = lattice.index(atom);
            if (at < 0) {
                full = full && lattice.state(atom) == SiAtom::Silicon;
                continue;
            }
            const std::size_t index = std::size_t(at);
            const std::uint32_t material = m_current[index].material;
            if (material == Model::Materials::SiliconId) {
                if (lattice.state(atom) != SiAtom::Silicon) {
                    lattice.setState(atom, SiAtom::Silicon);
                    // Atoms of another part may share the volume cell.
                    __atomic_fetch_add(&m_current[index].siAtomCount, 1, __ATOMIC_RELAXED);
                    state.returned.push_back(index);
                }
                if (setOccupation && lattice.occupation(atom) != occupation)
                    lattice.setOccupation(atom, occupation);
            } else {
                lattice.setState(atom, material == 0 ? SiAtom::Absent : SiAtom::Fixed);
                full = false;
            }
        }
        m_fullPlaces[lattice.tablePlaceOf(cell)] = full ? 1 : 0;
    }
}

void SiWetEtchFrame::findSurface(const ParallelStrips::Strip &part)
{
    // After the collection the silicon atoms are those the run starts from.
    // Most of them lie deep in the silicon: a cell of silicon atoms whose
    // bonds all lead to cells of silicon atoms holds no surface atom.
    PartState &state = m_partState[part.index];
    const SiLattice &lattice = *m_lattice;
    SiLattice::BondedCells cells;
    std::array<std::int64_t, std::tuple_size<SiLattice::BondedCells>::value> bondSteps{};
    for (std::size_t d = 1; d < bondSteps.size(); ++d)
        bondSteps[d] = lattice.bondStep(d);
    const std::uint8_t *full = m_fullPlaces.get();
    for (std::uint32_t cell = std::uint32_t(part.first); cell < std::uint32_t(part.end); ++cell) {
        const std::int64_t place = lattice.tablePlaceOf(cell);
        if (full[place]) {
            bool enclosed = true;
            for (std::size_t d = 1; d < bondSteps.size() && enclosed; ++d)
                enclosed = full[place + bondSteps[d]] != 0;
            if (enclosed)
                continue;
        }
        lattice.bondedCells(cell, cells);
        for (AtomId atom = cell * 8; atom < cell * 8 + 8; ++atom) {
            if (lattice.state(atom) != SiAtom::Silicon)
                continue;
            int present = 0;
            for (int slot = 0; slot < 4; ++slot)
                present += lattice.stateOf(lattice.neighbour(cells, atom, slot)) != SiAtom::Absent ? 1 : 0;
            if (present < 4 && treatMissingNeighbours(atom, state))
                state.surface[stripOf(lattice.index(atom))].atoms.push_back(atom);
        }
    }
}

void SiWetEtchFrame::gatherSurface(const ParallelStrips::Strip &strip)
{
    StripState &state = m_state[strip.index];
    for (const PartState &part : m_partState)
        state.surface.insert(state.surface.end(), part.surface[strip.index].atoms.begin(),
                             part.surface[strip.index].atoms.end());
    sortUnique(state.surface);
    qCDebug(tessivalLog) << "Surface list size for thread " << strip.index << ": " << state.surface.size();
}

bool SiWetEtchFrame::treatMissingNeighbours(AtomId atom, PartState &state)
{
    SiLattice &lattice = *m_lattice;
    bool exposed = false;
    for (int slot = 0; slot < 4; ++slot) {
        const AtomId neighbour = lattice.neighbour(atom, slot);
        if (neighbour != SiLattice::NoAtom) {
            const std::int32_t index = lattice.index(neighbour);
            if (index < 0)
                ++state.misplacedNeighbours;
            else if (m_current[std::size_t(index)].material == 0)
                exposed = true;
            continue;
        }
        const long cell = cellAt(lattice.borderPosition(atom, slot));
        if (cell >= 0 && m_current[std::size_t(cell)].material == 0) {
            exposed = true;
            continue;
        }
        if (cell >= 0 && m_current[std::size_t(cell)].material == Model::Materials::SiliconId)
            continue;
        // Another material, or outside the volume: a fixed atom holds the bond.
        lattice.addBorderAtom(atom, slot);
    }
    return exposed;
}

void SiWetEtchFrame::decideStep(const ParallelStrips::Strip &strip)
{
    StripState &state = m_state[strip.index];
    state.nextSurface.clear();
    state.removed.clear();
    for (auto &box : state.outbox)
        box.clear();
    SiLattice &lattice = *m_lattice;
    bool worn = false;
    for (const AtomId atom : state.surface) {
        if (lattice.state(atom) != SiAtom::Silicon)
            continue;
        const Decision decision = decide(lattice, atom);
        if (decision != Decision::Remove) {
            worn = worn || decision == Decision::Wear;
            state.nextSurface.push_back(atom);
            continue;
        }
        state.removed.push_back(atom);
        for (int slot = 0; slot < 4; ++slot) {
            const AtomId neighbour = lattice.neighbour(atom, slot);
            if (lattice.stateOf(neighbour) != SiAtom::Silicon || lattice.index(neighbour) < 0)
                continue;
            const unsigned owner = stripOf(lattice.index(neighbour));
            (owner == strip.index ? state.nextSurface : state.outbox[owner]).push_back(neighbour);
        }
    }
    state.changedAtoms = worn || !state.removed.empty();
}

void SiWetEtchFrame::applyStep(const ParallelStrips::Strip &strip)
{
    StripState &state = m_state[strip.index];
    SiLattice &lattice = *m_lattice;
    std::vector<std::size_t> &changed = state.changedCells;
    changed.clear();
    for (const AtomId atom : state.removed) {
        lattice.setState(atom, SiAtom::Absent);
        const std::int32_t index = lattice.index(atom);
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
    dropRepeats(state.nextSurface, m_listed.get());
    state.surface.swap(state.nextSurface);
    qCDebug(tessivalLog) << "Surface list size for thread " << strip.index << ": " << state.surface.size();
}

} // namespace Operations
} // namespace Core
