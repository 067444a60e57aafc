// Face generation of the painter against hand-counted faces, serial against
// threaded, and the octree surface against the direct faces.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/TotalVolumePainter.h"
#include "Model/Materials/MaterialFactory.h"

#include "TempFolder.h"

#include <QThreadPool>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <map>
#include <random>
#include <tuple>

using Model::Automaton::TotalVolume;
using Model::Automaton::TotalVolumePainter;
using Model::Geometry::QuadFace;
using Model::Materials::Colour;
using Model::Materials::Material;

namespace {

// Materials with the alphas the translucency rules turn on.
enum TestMaterial : std::uint32_t {
    Opaque = 1,
    OtherOpaque = 2,
    HalfClear = 3,    // alpha 0.5
    NearlyClear = 4,  // alpha 0.05
    AlmostOpaque = 5, // alpha 0.998: opaque itself, hides nothing
    Pinkish = 6,      // (0.8, 0.2, 0.5)
    Unknown = 999,    // not in the catalogue
};

class PainterTest : public ::testing::Test
{
protected:
    PainterTest() : catalogue(boost::make_shared<Model::Materials::MaterialFactory>(temp.path()))
    {
        catalogue->setMaterial(Material(Opaque, "Opaque", 1, 1, 1, Colour{0.5f, 0.5f, 0.5f, 1.0f}));
        catalogue->setMaterial(Material(OtherOpaque, "Other", 1, 1, 1, Colour{0.1f, 0.9f, 0.1f, 1.0f}));
        catalogue->setMaterial(Material(HalfClear, "Half", 1, 1, 1, Colour{0.2f, 0.2f, 1.0f, 0.5f}));
        catalogue->setMaterial(Material(NearlyClear, "Clear", 1, 1, 1, Colour{1.0f, 1.0f, 1.0f, 0.05f}));
        catalogue->setMaterial(Material(AlmostOpaque, "Almost", 1, 1, 1, Colour{1.0f, 0.0f, 0.0f, 0.998f}));
        catalogue->setMaterial(Material(Pinkish, "Pink", 1, 1, 1, Colour{0.8f, 0.2f, 0.5f, 1.0f}));
    }

    ~PainterTest() override { QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount()); }

    std::unique_ptr<TotalVolume> volume(unsigned sx, unsigned sy, unsigned sz, const std::vector<std::uint32_t> &m,
                                        float cell = 1.0f)
    {
        auto v = std::make_unique<TotalVolume>(sx, sy, sz, cell, cell, cell, Util::Vector3D(), m);
        v->painter().setMaterialCatalogue(catalogue);
        return v;
    }

    std::size_t faces(TotalVolume &v)
    {
        v.painter().generateCubicFaces();
        return v.painter().opaqueFaces().size() + v.painter().translucentFaces().size();
    }

    TestSupport::TempFolder temp;
    boost::shared_ptr<Model::Materials::MaterialFactory> catalogue;
};

double area(const std::vector<QuadFace> &faces)
{
    double sum = 0;
    for (const QuadFace &face : faces)
        sum += face.area();
    return sum;
}

// Faces as comparable tuples: where, facing where, of what.
std::vector<std::tuple<std::array<std::array<float, 3>, 4>, const float *, std::uint32_t>>
signature(const std::vector<QuadFace> &faces)
{
    std::vector<std::tuple<std::array<std::array<float, 3>, 4>, const float *, std::uint32_t>> result;
    for (const QuadFace &face : faces)
        result.emplace_back(face.corners, face.normal, face.material);
    return result;
}

// A substrate with trenches and a film of another material on top.
std::vector<std::uint32_t> trenchedStructure(unsigned sx, unsigned sy, unsigned sz, std::uint32_t base,
                                             std::uint32_t film)
{
    std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz, 0);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z) {
                const bool trench = (x / 3) % 2 == 1 && z >= sz / 4;
                std::uint32_t value = 0;
                if (z < sz / 2 && !trench)
                    value = base;
                else if (z == sz / 2 && !trench)
                    value = film;
                m[z + std::size_t(sz) * (y + std::size_t(sy) * x)] = value;
            }
    return m;
}

} // namespace

TEST_F(PainterTest, OpaqueCellsShowOnlyTheirOuterSides)
{
    auto one = volume(1, 1, 1, {Opaque});
    EXPECT_EQ(faces(*one), 6u);
    auto two = volume(2, 1, 1, {Opaque, OtherOpaque});
    EXPECT_EQ(faces(*two), 10u);
    auto withGap = volume(3, 1, 1, {Opaque, 0, Opaque});
    EXPECT_EQ(faces(*withGap), 12u);
}

TEST_F(PainterTest, TranslucentCellsMergeOnlyAboveAlphaOneTenth)
{
    auto half = volume(2, 1, 1, {HalfClear, HalfClear});
    EXPECT_EQ(faces(*half), 10u);
    EXPECT_TRUE(half->painter().opaqueFaces().empty());
    auto clear = volume(2, 1, 1, {NearlyClear, NearlyClear});
    EXPECT_EQ(faces(*clear), 12u);
}

TEST_F(PainterTest, NearlyOpaqueNeighbourDoesNotHideASide)
{
    auto v = volume(2, 1, 1, {Opaque, AlmostOpaque});
    EXPECT_EQ(faces(*v), 11u) << "the opaque cell keeps its side toward the 0.998 cell";
    EXPECT_EQ(v->painter().translucentFaces().size(), 0u) << "0.998 still counts as opaque itself";
}

TEST_F(PainterTest, NarrowedDrawRangeExposesTheCutSides)
{
    auto v = volume(4, 1, 1, {Opaque, Opaque, Opaque, Opaque});
    EXPECT_EQ(faces(*v), 18u);
    v->painter().setDrawRange({1, 0, 0}, {3, 1, 1});
    EXPECT_EQ(faces(*v), 10u);
    double minX = 1e9, maxX = -1e9;
    for (const QuadFace &face : v->painter().opaqueFaces())
        for (const auto &corner : face.corners) {
            minX = std::min<double>(minX, corner[0]);
            maxX = std::max<double>(maxX, corner[0]);
        }
    EXPECT_EQ(minX, 1.0);
    EXPECT_EQ(maxX, 3.0);
}

TEST_F(PainterTest, FacesAreScaledByTheCellSizes)
{
    auto v = volume(1, 1, 1, {Opaque}, 0.5f);
    v->painter().generateCubicFaces();
    EXPECT_FLOAT_EQ(float(area(v->painter().opaqueFaces())), 6 * 0.25f);
}

TEST_F(PainterTest, UnknownMaterialsAreDrawnInNeutralGrey)
{
    auto v = volume(1, 1, 1, {Unknown});
    EXPECT_EQ(faces(*v), 6u);
    EXPECT_EQ(v->painter().opaqueFaces()[0].fill, Model::Automaton::ColourMap::UnknownMaterialColour);
}

TEST_F(PainterTest, EmptyCellsGetSixOutlineSidesEach)
{
    auto v = volume(3, 1, 1, {0, Opaque, 0});
    v->painter().setRenderEmptyVoxelOutlines(true);
    v->painter().rebuildAll();
    EXPECT_EQ(v->painter().outlineFaces().size(), 12u);
    EXPECT_EQ(v->painter().outlineFaces()[0].edge, TotalVolumePainter::OutlineColour);
}

TEST_F(PainterTest, SelectionShiftsColoursAndDeselectionRestoresThem)
{
    auto v = volume(1, 1, 1, {Pinkish});
    v->painter().generateCubicFaces();
    v->setSelected(true);
    v->painter().followSelection();
    const auto &shown = v->painter().opaqueFaces()[0].fill;
    EXPECT_NEAR(shown[0], 0.1f, 1e-6);
    EXPECT_NEAR(shown[1], 0.5f, 1e-6);
    EXPECT_NEAR(shown[2], 0.8f, 1e-6);
    EXPECT_EQ(shown[3], 1.0f);
    EXPECT_EQ(v->painter().opaqueFaces()[0].edge, shown);

    v->setSelected(false);
    v->painter().followSelection();
    EXPECT_EQ(v->painter().opaqueFaces()[0].fill, (QuadFace::Colour{0.8f, 0.2f, 0.5f, 1.0f}));
}

TEST_F(PainterTest, ColourChangesInTheCatalogueRecolourUnselectedAndSelectedVolumes)
{
    auto plain = volume(1, 1, 1, {Pinkish});
    auto selected = volume(1, 1, 1, {Pinkish});
    auto octree = volume(2, 2, 2, std::vector<std::uint32_t>(8, Pinkish));
    selected->setSelected(true);
    octree->painter().setAlgorithm(TotalVolumePainter::OctreeSurface);
    for (TotalVolume *v : {plain.get(), selected.get(), octree.get()}) {
        v->painter().rebuildAll();
        v->painter().followSelection();
    }

    catalogue->setMaterial(Material(Pinkish, "Pink", 1, 1, 1, Colour{0.1f, 0.2f, 0.3f, 1.0f}));
    for (TotalVolume *v : {plain.get(), selected.get(), octree.get()})
        v->painter().followSelection();

    const QuadFace::Colour changed = {0.1f, 0.2f, 0.3f, 1.0f};
    for (const QuadFace &face : plain->painter().opaqueFaces()) {
        EXPECT_EQ(face.fill, changed);
        EXPECT_EQ(face.edge, changed);
    }
    for (const QuadFace &face : selected->painter().opaqueFaces())
        EXPECT_EQ(face.fill, TotalVolumePainter::selectedColour(changed));
    ASSERT_FALSE(octree->painter().octree().opaqueFaces().empty());
    for (const QuadFace &face : octree->painter().octree().opaqueFaces())
        EXPECT_EQ(face.fill, changed);
}

TEST_F(PainterTest, AlphaChangeInTheCatalogueRebuildsTheFaces)
{
    auto v = volume(2, 1, 1, {Opaque, Opaque});
    v->painter().generateCubicFaces();
    ASSERT_EQ(v->painter().opaqueFaces().size(), 10u);

    catalogue->setMaterial(Material(Opaque, "Opaque", 1, 1, 1, Colour{0.5f, 0.5f, 0.5f, 0.05f}));
    v->painter().followSelection();
    EXPECT_TRUE(v->painter().opaqueFaces().empty());
    EXPECT_EQ(v->painter().translucentFaces().size(), 12u) << "nearly clear cells show every side";
}

TEST_F(PainterTest, SingleStripAndThreadedGenerationGiveTheSameFacesInOrder)
{
    for (unsigned sx : {7u, 16u, 33u}) {
        auto v = volume(sx, 9, 8, trenchedStructure(sx, 9, 8, Opaque, HalfClear));
        QThreadPool::globalInstance()->setMaxThreadCount(1);
        v->painter().generateCubicFaces();
        const auto serialOpaque = signature(v->painter().opaqueFaces());
        const auto serialTranslucent = signature(v->painter().translucentFaces());
        for (int threads : {2, 3, 8}) {
            QThreadPool::globalInstance()->setMaxThreadCount(threads);
            v->painter().generateCubicFaces();
            EXPECT_EQ(signature(v->painter().opaqueFaces()), serialOpaque) << sx << " x, " << threads << " threads";
            EXPECT_EQ(signature(v->painter().translucentFaces()), serialTranslucent);
        }
    }
}

TEST_F(PainterTest, OctreeCoversTheSameOpaqueSurfaceAsTheCellFaces)
{
    std::mt19937 random(2024);
    struct Case { unsigned sx, sy, sz; std::vector<std::uint32_t> materials; };
    std::vector<Case> cases;
    cases.push_back({1, 1, 1, {Opaque}});
    cases.push_back({13, 7, 11, trenchedStructure(13, 7, 11, Opaque, OtherOpaque)});
    std::vector<std::uint32_t> speckled(10 * 6 * 9);
    for (auto &m : speckled)
        m = random() % 3 == 0 ? 0u : std::uint32_t(random() % 2 ? Opaque : OtherOpaque);
    cases.push_back({10, 6, 9, speckled});
    std::vector<std::uint32_t> cube(16 * 16 * 16, Opaque);
    cube[5] = 0;
    cases.push_back({16, 16, 16, cube});

    for (const Case &c : cases) {
        auto v = volume(c.sx, c.sy, c.sz, c.materials);
        v->painter().setAlgorithm(TotalVolumePainter::OctreeSurface);
        v->painter().rebuildAll();
        EXPECT_NEAR(area(v->painter().octree().opaqueFaces()), area(v->painter().opaqueFaces()), 1e-3)
            << c.sx << "x" << c.sy << "x" << c.sz;
        EXPECT_LE(v->painter().octree().opaqueFaces().size(), v->painter().opaqueFaces().size());

        v->painter().setDrawRange({1, 2, 1}, {int(c.sx), int(c.sy) - 1, int(c.sz)});
        v->painter().rebuildAll();
        EXPECT_NEAR(area(v->painter().octree().opaqueFaces()), area(v->painter().opaqueFaces()), 1e-3)
            << "range from (1, 2, 1)";
    }
}

TEST_F(PainterTest, OctreeMergesUniformRegionsIntoLargeFaces)
{
    std::vector<std::uint32_t> block(8 * 8 * 8, Opaque);
    auto v = volume(8, 8, 8, block);
    v->painter().setAlgorithm(TotalVolumePainter::OctreeSurface);
    v->painter().rebuildAll();
    EXPECT_EQ(v->painter().octree().opaqueFaces().size(), 6u);
    EXPECT_TRUE(v->painter().octree().root()->isLeaf());
}

TEST_F(PainterTest, OctreeShowsTranslucentMaterialFromTheEmptySide)
{
    auto v = volume(2, 1, 1, {HalfClear, 0});
    v->painter().setAlgorithm(TotalVolumePainter::OctreeSurface);
    v->painter().rebuildAll();
    EXPECT_TRUE(v->painter().octree().opaqueFaces().empty());
    EXPECT_NEAR(area(v->painter().octree().translucentFaces()), 6.0, 1e-6);
}

TEST_F(PainterTest, MaskBitsBecomeRectanglesOverTheVolume)
{
    auto v = volume(2, 3, 1, std::vector<std::uint32_t>(6, Opaque));
    // Four columns per row: the fourth reaches past the volume's y size.
    v->setTopMask({true, false, false, true, false, true, false, false, true, true, true, true}, 4, 3);
    const auto rectangles = v->painter().maskRectangles(v->topMask());
    ASSERT_EQ(rectangles.size(), 2u) << "rows beyond x and columns beyond y are left out";
    EXPECT_EQ(rectangles[0], (std::array<float, 4>{0, 0, 1, 1}));
    EXPECT_EQ(rectangles[1], (std::array<float, 4>{1, 1, 2, 2}));
}

TEST_F(PainterTest, PresentMaterialsAreThoseOfTheDrawnCellsWhateverTheThreads)
{
    using Ids = std::vector<std::uint32_t>;
    // Along x: Pinkish, Opaque, empty, Unknown, Opaque, HalfClear, Pinkish (one cell each).
    auto v = volume(7, 1, 1, {Pinkish, Opaque, 0, Unknown, Opaque, HalfClear, Pinkish});
    EXPECT_TRUE(v->painter().presentMaterials().empty()) << "nothing built yet";
    for (int threads : {1, 2, 3, 8}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        v->painter().rebuildAll();
        EXPECT_EQ(v->painter().presentMaterials(), (Ids{Opaque, HalfClear, Pinkish, Unknown})) << threads;
    }
    v->painter().setDrawRange({1, 0, 0}, {3, 1, 1});
    v->painter().generateCubicFaces();
    EXPECT_EQ(v->painter().presentMaterials(), (Ids{Opaque})) << "cells cut away are not shown";
    v->painter().setDrawRange({2, 0, 0}, {3, 1, 1});
    v->painter().setAlgorithm(TotalVolumePainter::OctreeSurface);
    v->painter().rebuildAll();
    EXPECT_TRUE(v->painter().presentMaterials().empty()) << "an empty cell is no material";
}
