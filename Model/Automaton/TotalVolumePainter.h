#pragma once

#include "Model/Automaton/ColourMap.h"
#include "Model/Automaton/SurfaceOctree.h"
#include "Model/Geometry/QuadFace.h"

#include <boost/shared_ptr.hpp>

#include <array>
#include <mutex>
#include <vector>

namespace Model {
namespace Materials {
class MaterialFactory;
}

namespace Automaton {

struct CellMask;
class TotalVolume;

// Turns a cell volume into the surfaces the view draws: one quad per exposed
// cell side (direct cubic faces), an octree surface, and outlines of the
// empty cells. Surfaces are rebuilt after every change of the cells, on the
// pool threads by x strips, and kept between frames: a frame only walks the
// lists. Drawing itself belongs to the view.
class TotalVolumePainter
{
public:
    using FaceList = std::vector<Geometry::QuadFace>;
    using CellRange = std::array<int, 3>;

    enum SurfaceGenerationAlgorithm { DirectCubic = 0, MarchingCubes = 1, OctreeSurface = 2 };

    explicit TotalVolumePainter(TotalVolume &volume);

    // Every surface of the current algorithm, from the current cells.
    void rebuildAll();
    void generateCubicFaces();
    void generateOutlineFaces();
    void generateOctree();

    int algorithm() const { return m_algorithm; }
    // A different algorithm regenerates the direct cubic faces.
    void setAlgorithm(int algorithm);
    // Cells drawn: lower corner inclusive, upper exclusive; clamped to the volume.
    void setDrawRange(const CellRange &lower, const CellRange &upper);
    CellRange drawLower() const;
    CellRange drawUpper() const;
    bool rendersEmptyVoxelOutlines() const { return m_renderOutlines; }
    void setRenderEmptyVoxelOutlines(bool on) { m_renderOutlines = on; }
    bool isPaintingSuspended() const { return m_suspended; }
    void setPaintingSuspended(bool suspended) { m_suspended = suspended; }

    // Called at the start of each frame: when the volume was selected or
    // deselected, or the catalogue changed, since the faces were last
    // coloured, recolours them to match. A change of a material's alpha
    // rebuilds the surfaces instead, since alpha decides which sides show.
    void followSelection();

    // For the duration of a frame: the lists must not change meanwhile.
    std::unique_lock<std::mutex> lockFaces() const { return std::unique_lock<std::mutex>(m_facesMutex); }
    const FaceList &opaqueFaces() const { return m_opaque; }
    const FaceList &translucentFaces() const { return m_translucent; }
    const FaceList &outlineFaces() const { return m_outlines; }
    const SurfaceOctree &octree() const { return m_octree; }
    // The materials of the drawn cells, in ascending id order, as of the
    // last build of the surfaces: the legend reads them without a pass over
    // the cells in each frame.
    std::vector<std::uint32_t> presentMaterials() const;

    // The set cells of a lithography mask as rectangles (x0, y0, x1, y1) on
    // the volume's top or bottom, in world units.
    std::vector<std::array<float, 4>> maskRectangles(const CellMask &mask) const;

    // Colours come from this catalogue (the program's by default).
    void setMaterialCatalogue(const boost::shared_ptr<Materials::MaterialFactory> &catalogue);

    static constexpr Geometry::QuadFace::Colour OutlineColour = {0.8f, 0.8f, 0.8f, 1.0f};
    // A selected volume shows every colour channel shifted by this much.
    static Geometry::QuadFace::Colour selectedColour(const Geometry::QuadFace::Colour &colour);

private:
    struct Range
    {
        CellRange lower;
        CellRange upper;
    };
    Range drawRange() const;
    // Takes the catalogue's colours into m_colours.
    void refreshColours();
    void recolour(FaceList &faces, bool selected) const;

    TotalVolume &m_volume;
    boost::shared_ptr<Materials::MaterialFactory> m_catalogue;
    bool m_renderOutlines = false;
    bool m_suspended = false;
    bool m_shownSelected;
    // The catalogue generation m_colours was taken at.
    unsigned m_shownGeneration = 0;
    int m_algorithm = DirectCubic;
    std::array<float, 3> m_cellSize;
    mutable std::mutex m_rangeMutex;
    Range m_range;
    ColourMap m_colours;
    mutable std::mutex m_facesMutex;
    FaceList m_opaque;
    FaceList m_translucent;
    FaceList m_outlines;
    SurfaceOctree m_octree;
    std::vector<std::uint32_t> m_presentMaterials;
};

} // namespace Automaton
} // namespace Model
