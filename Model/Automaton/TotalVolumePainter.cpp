#include "Model/Automaton/TotalVolumePainter.h"

#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"

#include <algorithm>

namespace Model {
namespace Automaton {

using Geometry::QuadFace;

constexpr QuadFace::Colour TotalVolumePainter::OutlineColour;

namespace {

// Sides in the order every cell examines them: -z, +z, -y, +y, -x, +x.
const int Offsets[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
const float Normals[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
const int Corners[6][4][3] = {
    {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
    {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
    {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}},
    {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
    {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}},
    {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}},
};

constexpr float TranslucentBelow = 0.997f;

QuadFace makeFace(int x, int y, int z, int side, const std::array<float, 3> &cellSize, std::uint32_t material,
                  const QuadFace::Colour &colour)
{
    QuadFace face;
    for (int corner = 0; corner < 4; ++corner) {
        face.corners[std::size_t(corner)] = {float(x + Corners[side][corner][0]) * cellSize[0],
                                             float(y + Corners[side][corner][1]) * cellSize[1],
                                             float(z + Corners[side][corner][2]) * cellSize[2]};
    }
    face.normal = Normals[side];
    face.fill = face.edge = colour;
    face.material = material;
    return face;
}

using FaceList = TotalVolumePainter::FaceList;

// Appends per-strip lists in strip order.
FaceList join(std::vector<FaceList> &parts)
{
    std::size_t total = 0;
    for (const FaceList &part : parts)
        total += part.size();
    FaceList result;
    result.reserve(total);
    for (FaceList &part : parts) {
        result.insert(result.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
        FaceList().swap(part);
    }
    return result;
}

// What one generation pass needs to know of the volume.
struct Grid
{
    const Voxel *cells;
    std::array<int, 3> size;
    std::array<int, 3> lower;
    std::array<int, 3> upper;
    std::array<float, 3> cellSize;

    static Grid over(const TotalVolume &volume, const Voxel *cells, const std::array<int, 3> &lower,
                     const std::array<int, 3> &upper, const std::array<float, 3> &cellSize)
    {
        return Grid{cells, {int(volume.sizeX()), int(volume.sizeY()), int(volume.sizeZ())}, lower, upper, cellSize};
    }

    std::size_t index(int x, int y, int z) const
    {
        return std::size_t(z) + std::size_t(size[2]) * (std::size_t(y) + std::size_t(size[1]) * std::size_t(x));
    }
    bool inRange(int x, int y, int z) const
    {
        return x >= lower[0] && x < upper[0] && y >= lower[1] && y < upper[1] && z >= lower[2] && z < upper[2];
    }
};

// The distinct materials one strip meets. Neighbouring cells mostly hold
// the same material, so the last one seen short-cuts the search.
struct MaterialsSeen
{
    std::vector<std::uint32_t> ids;
    std::uint32_t last = 0;

    void add(std::uint32_t material)
    {
        if (material == last)
            return;
        last = material;
        if (std::find(ids.begin(), ids.end(), material) == ids.end())
            ids.push_back(material);
    }
};

void cubicFacesOfStrip(const Grid &grid, const ColourMap &colours, int first, int end, FaceList &opaque,
                       FaceList &translucent, MaterialsSeen &seen)
{
    for (int x = first; x < end; ++x)
        for (int y = grid.lower[1]; y < grid.upper[1]; ++y)
            for (int z = grid.lower[2]; z < grid.upper[2]; ++z) {
                const std::uint32_t material = grid.cells[grid.index(x, y, z)].material;
                if (material == 0)
                    continue;
                seen.add(material);
                const QuadFace::Colour &colour = colours.colour(material);
                const bool isTranslucent = colour[3] < TranslucentBelow;
                for (int side = 0; side < 6; ++side) {
                    const int nx = x + Offsets[side][0], ny = y + Offsets[side][1], nz = z + Offsets[side][2];
                    if (grid.inRange(nx, ny, nz)) {
                        const std::uint32_t other = grid.cells[grid.index(nx, ny, nz)].material;
                        // A translucent cell merges only with its own material;
                        // an opaque one is hidden by any fully opaque neighbour.
                        const bool hidden = isTranslucent ? other == material && colour[3] > 0.1f
                                                          : other != 0 && colours.alpha(other) > 0.999f;
                        if (hidden)
                            continue;
                    }
                    (isTranslucent ? translucent : opaque)
                        .push_back(makeFace(x, y, z, side, grid.cellSize, material, colour));
                }
            }
}

void outlineFacesOfStrip(const Grid &grid, int first, int end, FaceList &outlines)
{
    for (int x = first; x < end; ++x)
        for (int y = grid.lower[1]; y < grid.upper[1]; ++y)
            for (int z = grid.lower[2]; z < grid.upper[2]; ++z) {
                if (grid.cells[grid.index(x, y, z)].material != 0)
                    continue;
                for (int side = 0; side < 6; ++side)
                    outlines.push_back(makeFace(x, y, z, side, grid.cellSize, 0, TotalVolumePainter::OutlineColour));
            }
}

} // namespace

TotalVolumePainter::TotalVolumePainter(TotalVolume &volume)
    : m_volume(volume)
    , m_catalogue(Materials::MaterialFactory::getInstance())
    , m_shownSelected(!volume.isSelected())
    , m_cellSize{volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()}
    , m_range{{0, 0, 0}, {int(volume.sizeX()), int(volume.sizeY()), int(volume.sizeZ())}}
{
}

void TotalVolumePainter::setMaterialCatalogue(const boost::shared_ptr<Materials::MaterialFactory> &catalogue)
{
    if (catalogue)
        m_catalogue = catalogue;
}

TotalVolumePainter::Range TotalVolumePainter::drawRange() const
{
    std::lock_guard<std::mutex> lock(m_rangeMutex);
    return m_range;
}

TotalVolumePainter::CellRange TotalVolumePainter::drawLower() const { return drawRange().lower; }
TotalVolumePainter::CellRange TotalVolumePainter::drawUpper() const { return drawRange().upper; }

void TotalVolumePainter::setDrawRange(const CellRange &lower, const CellRange &upper)
{
    const int size[3] = {int(m_volume.sizeX()), int(m_volume.sizeY()), int(m_volume.sizeZ())};
    Range range;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        range.lower[axis] = std::clamp(lower[axis], 0, size[axis]);
        range.upper[axis] = std::clamp(upper[axis], range.lower[axis], size[axis]);
    }
    std::lock_guard<std::mutex> lock(m_rangeMutex);
    m_range = range;
}

void TotalVolumePainter::setAlgorithm(int algorithm)
{
    if (algorithm == m_algorithm)
        return;
    m_algorithm = algorithm;
    generateCubicFaces();
}

void TotalVolumePainter::rebuildAll()
{
    generateCubicFaces();
    if (m_algorithm == OctreeSurface)
        generateOctree();
    if (m_renderOutlines)
        generateOutlineFaces();
}

void TotalVolumePainter::refreshColours()
{
    // Read first: a change while the map is built shows at the next frame.
    m_shownGeneration = m_catalogue->generation();
    m_colours.rebuild(*m_catalogue);
}

void TotalVolumePainter::generateCubicFaces()
{
    refreshColours();
    const Range range = drawRange();
    std::vector<FaceList> opaque, translucent;
    std::vector<MaterialsSeen> seen;
    {
        LockedCells cells(m_volume);
        const Grid grid = Grid::over(m_volume, cells.get(), range.lower, range.upper, m_cellSize);
        const auto strips = ParallelStrips::split(range.lower[0], range.upper[0], ParallelStrips::threadCount());
        opaque.resize(strips.size());
        translucent.resize(strips.size());
        seen.resize(strips.size());
        ParallelStrips::run(strips, [&](const ParallelStrips::Strip &strip) {
            cubicFacesOfStrip(grid, m_colours, strip.first, strip.end, opaque[strip.index], translucent[strip.index],
                              seen[strip.index]);
        });
    }
    FaceList newOpaque = join(opaque);
    FaceList newTranslucent = join(translucent);
    std::vector<std::uint32_t> present;
    for (const MaterialsSeen &strip : seen)
        present.insert(present.end(), strip.ids.begin(), strip.ids.end());
    std::sort(present.begin(), present.end());
    present.erase(std::unique(present.begin(), present.end()), present.end());
    const bool selected = m_volume.isSelected();
    if (selected) {
        recolour(newOpaque, true);
        recolour(newTranslucent, true);
    }
    std::lock_guard<std::mutex> lock(m_facesMutex);
    m_opaque.swap(newOpaque);
    m_translucent.swap(newTranslucent);
    m_presentMaterials.swap(present);
    m_shownSelected = selected;
}

void TotalVolumePainter::generateOutlineFaces()
{
    const Range range = drawRange();
    std::vector<FaceList> parts;
    {
        LockedCells cells(m_volume);
        const Grid grid = Grid::over(m_volume, cells.get(), range.lower, range.upper, m_cellSize);
        const auto strips = ParallelStrips::split(range.lower[0], range.upper[0], ParallelStrips::threadCount());
        parts.resize(strips.size());
        ParallelStrips::run(strips, [&](const ParallelStrips::Strip &strip) {
            outlineFacesOfStrip(grid, strip.first, strip.end, parts[strip.index]);
        });
    }
    FaceList outlines = join(parts);
    std::lock_guard<std::mutex> lock(m_facesMutex);
    m_outlines.swap(outlines);
}

void TotalVolumePainter::generateOctree()
{
    refreshColours();
    const Range range = drawRange();
    SurfaceOctree octree;
    {
        LockedCells cells(m_volume);
        octree.build(cells.get(), {m_volume.sizeX(), m_volume.sizeY(), m_volume.sizeZ()},
                     SurfaceOctree::Range{range.lower, range.upper}, m_cellSize, m_colours);
    }
    if (m_volume.isSelected()) {
        recolour(octree.opaqueFaces(), true);
        recolour(octree.translucentFaces(), true);
    }
    std::lock_guard<std::mutex> lock(m_facesMutex);
    std::swap(m_octree, octree);
}

std::vector<std::uint32_t> TotalVolumePainter::presentMaterials() const
{
    std::lock_guard<std::mutex> lock(m_facesMutex);
    return m_presentMaterials;
}

QuadFace::Colour TotalVolumePainter::selectedColour(const QuadFace::Colour &colour)
{
    QuadFace::Colour shifted = colour;
    for (int channel = 0; channel < 3; ++channel) {
        float &c = shifted[std::size_t(channel)];
        c = c >= 0.7f ? c - 0.7f : c + 0.3f;
    }
    return shifted;
}

void TotalVolumePainter::recolour(FaceList &faces, bool selected) const
{
    for (QuadFace &face : faces) {
        const QuadFace::Colour &colour = m_colours.colour(face.material);
        face.fill = face.edge = selected ? selectedColour(colour) : colour;
    }
}

void TotalVolumePainter::followSelection()
{
    const bool selected = m_volume.isSelected();
    if (selected == m_shownSelected && m_catalogue->generation() == m_shownGeneration)
        return;
    const ColourMap shown = m_colours;
    refreshColours();
    if (!m_colours.sameAlphas(shown)) {
        rebuildAll();
        return;
    }
    std::lock_guard<std::mutex> lock(m_facesMutex);
    m_shownSelected = selected;
    // Both surfaces: the one not drawn now is shown again after a switch of
    // the algorithm without being regenerated.
    recolour(m_opaque, selected);
    recolour(m_translucent, selected);
    recolour(m_octree.opaqueFaces(), selected);
    recolour(m_octree.translucentFaces(), selected);
}

std::vector<std::array<float, 4>> TotalVolumePainter::maskRectangles(const CellMask &mask) const
{
    std::vector<std::array<float, 4>> rectangles;
    if (mask.width <= 0 || mask.height <= 0)
        return rectangles;
    const int rows = std::min(mask.height, int(m_volume.sizeX()));
    const int columns = std::min(mask.width, int(m_volume.sizeY()));
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j) {
            const std::size_t bit = std::size_t(i) * std::size_t(mask.width) + std::size_t(j);
            if (bit < mask.bits.size() && mask.bits[bit])
                rectangles.push_back({float(i) * m_cellSize[0], float(j) * m_cellSize[1], float(i + 1) * m_cellSize[0],
                                      float(j + 1) * m_cellSize[1]});
        }
    return rectangles;
}

} // namespace Automaton
} // namespace Model
