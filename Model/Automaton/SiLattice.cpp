#include "Model/Automaton/SiLattice.h"

#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/Material.h"

#include <algorithm>
#include <cmath>

namespace Model {
namespace Automaton {

const float SiLattice::Basis[8][3] = {
    {0, 0, 0}, {0.5f, 0.5f, 0}, {0.25f, 0.25f, 0.25f}, {0.75f, 0.75f, 0.25f},
    {0.5f, 0, 0.5f}, {0, 0.5f, 0.5f}, {0.75f, 0.25f, 0.75f}, {0.25f, 0.75f, 0.75f},
};

namespace {

const double Sqrt2 = std::sqrt(2.0);
const float B = float(std::sqrt(2.0) / 4.0);

// Bonds inside a cell: (atom, atom, slot); the first atom holds the bond in
// `slot`, the second in 3 - slot.
const int InnerBonds[7][3] = {{0, 2, 3}, {1, 2, 2}, {1, 3, 3}, {2, 4, 2}, {2, 5, 3}, {4, 6, 3}, {5, 7, 3}};

// Bonds to the neighbouring cells: the cell offset and (this cell's atom,
// neighbour's atom, slot) pairs. With the inner bonds every slot of every
// atom of an inner cell is used once.
struct NeighbourBonds
{
    int di, dj, dk;
    int count;
    int bonds[2][3];
};
const NeighbourBonds CellBonds[6] = {
    {0, 1, 0, 2, {{3, 4, 3}, {7, 4, 1}}},
    {1, 0, 0, 2, {{3, 5, 2}, {6, 5, 1}}},
    {0, 0, 1, 2, {{6, 1, 3}, {7, 1, 2}}},
    {1, 1, 0, 1, {{3, 0, 1}, {0, 0, 0}}},
    {1, 0, 1, 1, {{6, 0, 2}, {0, 0, 0}}},
    {0, 1, 1, 1, {{7, 0, 3}, {0, 0, 0}}},
};

// Direction d (1..6) is CellBonds[d - 1]; direction d + 6 the way back.
struct LinkTable
{
    std::uint8_t direction[8][4];
    std::uint8_t basis[8][4];
    LinkTable()
    {
        for (const auto &bond : InnerBonds) {
            set(bond[0], bond[2], 0, bond[1]);
            set(bond[1], 3 - bond[2], 0, bond[0]);
        }
        for (int d = 0; d < 6; ++d)
            for (int b = 0; b < CellBonds[d].count; ++b) {
                const int *bond = CellBonds[d].bonds[b];
                set(bond[0], bond[2], d + 1, bond[1]);
                set(bond[1], 3 - bond[2], d + 7, bond[0]);
            }
    }
    void set(int atom, int slot, int towards, int other)
    {
        direction[atom][slot] = std::uint8_t(towards);
        basis[atom][slot] = std::uint8_t(other);
    }
};

// Bumps a volume cell's Si atom count from several build threads at once:
// unit cells of neighbouring rows share volume cells.
void countAtom(std::int32_t &count)
{
    __atomic_fetch_add(&count, 1, __ATOMIC_RELAXED);
}

} // namespace

const std::array<std::array<SiLattice::Link, 4>, 8> SiLattice::Links = [] {
    const LinkTable table;
    std::array<std::array<Link, 4>, 8> links{};
    for (int a = 0; a < 8; ++a)
        for (int s = 0; s < 4; ++s)
            links[std::size_t(a)][std::size_t(s)] = Link{table.direction[a][s], table.basis[a][s]};
    return links;
}();

const float SiLattice::BondVectors[2][4][3] = {
    {{B, 0, -0.25f}, {-B, 0, -0.25f}, {0, -B, 0.25f}, {0, B, 0.25f}},
    {{0, -B, -0.25f}, {0, B, -0.25f}, {B, 0, 0.25f}, {-B, 0, 0.25f}},
};

SiLattice::SiLattice(TotalVolume &volume, const BuildProgress &progress)
{
    if (!build(volume, progress))
        return;
    // The bonds follow from the places of the cells: nothing is left to do
    // for them but to say so.
    if (progress && !progress(m_li, m_li + 1))
        return;
    m_complete = true;
    if (progress)
        progress(m_li + 1, m_li + 1);
}

SiLattice::Reach SiLattice::reachOf(const TotalVolume &volume)
{
    return reachOf(volume.sizeX(), volume.sizeY(), volume.sizeZ(), volume.cellsizeX(), volume.cellsizeY(),
                   volume.cellsizeZ());
}

SiLattice::Reach SiLattice::reachOf(unsigned sizeX, unsigned sizeY, unsigned sizeZ, double cellX, double cellY,
                                    double cellZ)
{
    const auto along = [](unsigned count, double cell) { return std::max(double(count), double(count) * cell); };
    return {along(sizeX, cellX), along(sizeY, cellY), along(sizeZ, cellZ)};
}

namespace {

// Counts past 32 bits belong to reaches no lattice is built for (they are
// not numberable): they saturate rather than wrap round.
unsigned saturated(double count)
{
    return count < 4294967295.0 ? unsigned(count) : 4294967295u;
}

} // namespace

unsigned SiLattice::lateralCells(const Reach &reach)
{
    return saturated(std::ceil((reach.x + reach.y) / Sqrt2));
}

unsigned SiLattice::layers(const Reach &reach)
{
    return saturated(std::ceil(reach.z));
}

std::uint64_t SiLattice::candidateCells(const Reach &reach)
{
    const std::uint64_t side = lateralCells(reach);
    return side * side * layers(reach);
}

std::uint64_t SiLattice::tableCells(const Reach &reach)
{
    const std::uint64_t side = std::uint64_t(lateralCells(reach)) + 2;
    return side * side * (std::uint64_t(layers(reach)) + 2);
}

bool SiLattice::numberable(const Reach &reach)
{
    // Atoms are numbered by 32 bits, eight per cell, below the numbers that
    // stand for no atom and for a border atom; so are the places of the
    // table. Counted in doubles: a reach of large cells gives more unit
    // cells than any integer type holds.
    const double limit = double(BorderAtom) - 1.0;
    const double side = std::ceil((reach.x + reach.y) / Sqrt2), up = std::ceil(reach.z);
    return side * side * up * 8.0 <= limit && (side + 2.0) * (side + 2.0) * (up + 2.0) <= limit;
}

std::uint32_t SiLattice::findCell(unsigned i, unsigned j, unsigned k) const
{
    if (i >= m_li || j >= m_lj || k >= m_lk)
        return NoCell;
    return m_table[tablePlace(i, j, k)];
}

std::array<unsigned, 3> SiLattice::cellPlace(std::uint32_t n) const
{
    const std::size_t place = m_cellPlaces[n];
    const std::size_t k = place % (std::size_t(m_lk) + 2);
    const std::size_t j = (place / (std::size_t(m_lk) + 2)) % (std::size_t(m_lj) + 2);
    const std::size_t i = place / ((std::size_t(m_lk) + 2) * (std::size_t(m_lj) + 2));
    return {unsigned(i - 1), unsigned(j - 1), unsigned(k - 1)};
}

unsigned SiLattice::cellKey(std::uint32_t n) const
{
    const auto place = cellPlace(n);
    return key(place[0], place[1], place[2]);
}

std::array<float, 3> SiLattice::position(AtomId id) const
{
    // The same arithmetic as the build's placement, so that positions and
    // volume cells agree to the last bit.
    const auto place = cellPlace(id >> 3);
    const float *basis = Basis[id & 7u];
    const double lx = place[0] + basis[0], ly = place[1] + basis[1], lz = place[2] + basis[2];
    return {float(lx * m_cos - ly * m_sin + m_origin.x), float(lx * m_sin + ly * m_cos + m_origin.y),
            float(lz + m_origin.z)};
}

std::array<float, 3> SiLattice::borderPosition(AtomId id, int slot) const
{
    const std::array<float, 3> p = position(id);
    const float *bond = BondVectors[sublattice(id)][slot];
    return {p[0] + bond[0], p[1] + bond[1], p[2] + bond[2]};
}

int SiLattice::secondNeighbourSum(AtomId id) const
{
    int sum = 0;
    for (int slot = 0; slot < 4; ++slot) {
        const AtomId other = neighbour(id, slot);
        const int state = stateOf(other);
        if (state == SiAtom::Fixed)
            sum += 3;
        else if (state == SiAtom::Silicon)
            sum += presentNeighbours(other) - 1;
    }
    return sum;
}

void SiLattice::firstNeighbourSplit(AtomId id, unsigned &ns1, unsigned &nb1) const
{
    ns1 = nb1 = 0;
    for (int slot = 0; slot < 4; ++slot) {
        const AtomId other = neighbour(id, slot);
        const int state = stateOf(other);
        if (state == SiAtom::Absent)
            continue;
        if (state == SiAtom::Fixed || presentNeighbours(other) == 4)
            ++nb1;
        else
            ++ns1;
    }
}

void SiLattice::secondNeighbourSplit(AtomId id, unsigned &ns2, unsigned &nb2) const
{
    ns2 = nb2 = 0;
    for (int j = 0; j < 4; ++j) {
        // A border atom has no neighbour but the atom it is bonded to.
        const AtomId r = neighbour(id, j);
        if (r == NoAtom || r == BorderAtom)
            continue;
        for (int k = 0; k < 4; ++k) {
            if (k == 3 - j)
                continue; // the bond back to this atom
            const AtomId s = neighbour(r, k);
            const int state = stateOf(s);
            if (state == SiAtom::Absent)
                continue;
            if (state == SiAtom::Fixed || presentNeighbours(s) == 4)
                ++nb2;
            else
                ++ns2;
        }
    }
}

std::size_t SiLattice::borderAtomCount() const
{
    std::size_t count = 0;
    for (const std::uint8_t bits : m_borders)
        count += std::size_t(__builtin_popcount(bits));
    return count;
}

void SiLattice::forEachBorderAtom(const std::function<void(SiAtom)> &visit)
{
    for (std::size_t id = 0; id < m_borders.size(); ++id)
        if (m_borders[id])
            for (int slot = 0; slot < 4; ++slot)
                if (hasBorderAtom(AtomId(id), slot))
                    visit(SiAtom(this, AtomId(id), slot));
}

std::array<Util::Vector3D, 8> SiLattice::unitCellOutline() const
{
    const double h = Sqrt2 / 2.0;
    return {Util::Vector3D(0, 0, 0),  Util::Vector3D(0, 0, 1),  Util::Vector3D(-h, h, 0), Util::Vector3D(-h, h, 1),
            Util::Vector3D(h, h, 0),  Util::Vector3D(h, h, 1),  Util::Vector3D(0, Sqrt2, 0),
            Util::Vector3D(0, Sqrt2, 1)};
}

std::uint64_t SiLattice::memoryBytes() const
{
    return m_cellPlaces.bytes() + m_table.bytes() + m_states.bytes() + m_borders.bytes() + m_indices.bytes()
        + m_occupations.bytes();
}

namespace {

// The kept cells of one row of unit cells (one i), before they are joined.
struct Row
{
    std::vector<std::uint32_t> places;
    std::vector<std::uint8_t> states;
    std::vector<std::int32_t> indices;
};

} // namespace

bool SiLattice::build(TotalVolume &volume, const BuildProgress &progress)
{
    const unsigned nx = volume.sizeX(), ny = volume.sizeY(), nz = volume.sizeZ();
    const Util::Vector3D p = volume.position();
    // The turned square of unit cells touches the corners of the volume's
    // footprint, in world units.
    const Reach reach = reachOf(volume);
    m_li = m_lj = lateralCells(reach);
    m_lk = layers(reach);
    m_origin = Util::Vector3D(p.x + reach.x / 2.0, p.y - reach.x / 2.0, p.z);
    const double angle = 45.0 * std::acos(0.0) / 90.0;
    m_cos = std::cos(angle);
    m_sin = std::sin(angle);
    const double c = m_cos, s = m_sin;
    const double size[3] = {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()};
    const long counts[3] = {long(nx), long(ny), long(nz)};

    const std::int64_t strideJ = std::int64_t(m_lk) + 2, strideI = strideJ * (std::int64_t(m_lj) + 2);
    for (int d = 0; d < 6; ++d) {
        const std::int64_t offset = CellBonds[d].di * strideI + CellBonds[d].dj * strideJ + CellBonds[d].dk;
        m_offsets[d + 1] = offset;
        m_offsets[d + 7] = -offset;
    }

    LockedCellArrays arrays(volume);
    Voxel *current = arrays.current();
    Voxel *working = arrays.working();
    // A rebuilt lattice counts its atoms afresh.
    for (std::size_t i = 0; i < volume.cellCount(); ++i)
        current[i].siAtomCount = working[i].siAtomCount = 0;

    // The volume layer of each basis atom of each layer of cells, -1 when
    // it lies above or below the volume: the same for every column.
    std::vector<std::array<long, 8>> layers(m_lk);
    for (unsigned k = 0; k < m_lk; ++k)
        for (int a = 0; a < 8; ++a) {
            // Heights and places below are taken from the volume's corner,
            // so where the volume lies changes neither the cells nor the
            // atoms; quotients are compared before any conversion, since a
            // tiny cell size gives one beyond every integer.
            const double at = (k + Basis[a][2]) / size[2];
            layers[k][std::size_t(a)] = at >= 0.0 && at < double(counts[2]) ? long(at) : -1;
        }

    std::vector<Row> rows(m_li);
    const auto buildRow = [&](unsigned i) {
        Row &row = rows[i];
        for (unsigned j = 0; j < m_lj; ++j) {
            // The lateral place of each basis atom is the same all up the
            // column of cells: only its height changes with k.
            long lateral[8][2];
            bool inside[8];
            bool anyInside = false;
            for (int a = 0; a < 8; ++a) {
                const double lx = i + Basis[a][0], ly = j + Basis[a][1];
                const double relative[2] = {lx * c - ly * s + reach.x / 2.0, lx * s + ly * c - reach.x / 2.0};
                inside[a] = true;
                for (int axis = 0; axis < 2; ++axis) {
                    const double at = relative[axis] / size[axis];
                    inside[a] = inside[a] && at >= 0.0 && at < double(counts[axis]);
                    lateral[a][axis] = inside[a] ? long(at) : 0;
                }
                anyInside = anyInside || inside[a];
            }
            // A column wholly beside the volume holds only fixed atoms.
            if (!anyInside)
                continue;
            std::int64_t columns[8];
            for (int a = 0; a < 8; ++a)
                columns[a] = inside[a] ? (std::int64_t(lateral[a][0]) * ny + lateral[a][1]) * nz : -1;
            for (unsigned k = 0; k < m_lk; ++k) {
                std::uint8_t states[8];
                std::int32_t indices[8];
                bool holdsSilicon = false;
                for (int a = 0; a < 8; ++a) {
                    states[a] = SiAtom::Fixed;
                    indices[a] = -1;
                    const long layer = layers[k][std::size_t(a)];
                    if (columns[a] < 0 || layer < 0)
                        continue;
                    indices[a] = std::int32_t(columns[a] + layer);
                    const std::uint32_t material = current[std::size_t(indices[a])].material;
                    if (material == Materials::SiliconId) {
                        states[a] = SiAtom::Silicon;
                        holdsSilicon = true;
                    } else {
                        states[a] = material == 0 ? SiAtom::Absent : SiAtom::Fixed;
                    }
                }
                if (!holdsSilicon)
                    continue;
                row.places.push_back(std::uint32_t(tablePlace(i, j, k)));
                for (int a = 0; a < 8; ++a) {
                    row.states.push_back(states[a]);
                    row.indices.push_back(indices[a]);
                    if (states[a] == SiAtom::Silicon) {
                        countAtom(current[std::size_t(indices[a])].siAtomCount);
                        countAtom(working[std::size_t(indices[a])].siAtomCount);
                    }
                }
            }
        }
    };

    // Rows are built a batch at a time on the pool; the progress hears of
    // every row of a batch, in order, before the batch starts.
    const unsigned threads = ParallelStrips::threadCount();
    const unsigned batch = std::max(1u, threads * 4);
    for (unsigned first = 0; first < m_li; first += batch) {
        const unsigned end = std::min(m_li, first + batch);
        for (unsigned i = first; i < end; ++i)
            if (progress && !progress(i, m_li + 1))
                return false;
        const auto strips = ParallelStrips::split(int(first), int(end), threads, 1);
        ParallelStrips::run(strips, [&buildRow](const ParallelStrips::Strip &strip) {
            for (int i = strip.first; i < strip.end; ++i)
                buildRow(unsigned(i));
        });
    }

    // Join the rows in key order.
    std::vector<std::size_t> firstCell(m_li + 1, 0);
    for (unsigned i = 0; i < m_li; ++i)
        firstCell[i + 1] = firstCell[i] + rows[i].places.size();
    const std::size_t cells = firstCell[m_li];
    m_table.allocate(std::size_t(strideI) * (std::size_t(m_li) + 2));
    m_cellPlaces.allocate(cells);
    m_states.allocate(cells * 8);
    m_indices.allocate(cells * 8);
    m_borders.allocate(cells * 8);
    m_occupations.allocate(cells * 8);
    // The margin planes before the first row and after the last.
    std::fill(m_table.begin(), m_table.begin() + strideI, NoCell);
    std::fill(m_table.end() - strideI, m_table.end(), NoCell);
    const auto strips = ParallelStrips::split(0, int(m_li), threads, 1);
    ParallelStrips::run(strips, [&](const ParallelStrips::Strip &strip) {
        std::fill(m_table.begin() + (strip.first + 1) * strideI, m_table.begin() + (strip.end + 1) * strideI, NoCell);
        const std::size_t first = firstCell[std::size_t(strip.first)] * 8, end = firstCell[std::size_t(strip.end)] * 8;
        std::fill(m_borders.begin() + first, m_borders.begin() + end, std::uint8_t(0));
        std::fill(m_occupations.begin() + first, m_occupations.begin() + end, 0.0f);
        for (int i = strip.first; i < strip.end; ++i) {
            Row &row = rows[std::size_t(i)];
            const std::size_t at = firstCell[std::size_t(i)];
            std::copy(row.places.begin(), row.places.end(), m_cellPlaces.begin() + at);
            std::copy(row.states.begin(), row.states.end(), m_states.begin() + at * 8);
            std::copy(row.indices.begin(), row.indices.end(), m_indices.begin() + at * 8);
            for (std::size_t n = 0; n < row.places.size(); ++n)
                m_table[row.places[n]] = std::uint32_t(at + n);
            row = Row();
        }
    });
    return true;
}

} // namespace Automaton
} // namespace Model
