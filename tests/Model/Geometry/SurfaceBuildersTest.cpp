// The geometry builders against hand-counted faces, serial against
// threaded, and the octree surface against the direct faces; all without
// a display.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/ColourMap.h"
#include "Model/Geometry/EmptyCellOutlineBuilder.h"
#include "Model/Geometry/MaskOverlay.h"
#include "Model/Geometry/SurfaceOctree.h"
#include "Model/Geometry/VolumeGeometryBuilder.h"
#include "Model/Materials/MaterialFactory.h"

#include "TempFolder.h"

#include <QThreadPool>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <random>
#include <tuple>

using Model::Automaton::SurfaceGenerationAlgorithm;
using Model::Automaton::TotalVolume;
using Model::Geometry::QuadFace;
using Model::Geometry::QuadFaceList;
using Model::Geometry::VolumeGeometry;
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

class SurfaceBuildersTest : public ::testing::Test
{
protected:
    SurfaceBuildersTest() : catalogue(boost::make_shared<Model::Materials::MaterialFactory>(temp.path()))
    {
        catalogue->setMaterial(Material(Opaque, "Opaque", 1, 1, 1, Colour{0.5f, 0.5f, 0.5f, 1.0f}));
        catalogue->setMaterial(Material(OtherOpaque, "Other", 1, 1, 1, Colour{0.1f, 0.9f, 0.1f, 1.0f}));
        catalogue->setMaterial(Material(HalfClear, "Half", 1, 1, 1, Colour{0.2f, 0.2f, 1.0f, 0.5f}));
        catalogue->setMaterial(Material(NearlyClear, "Clear", 1, 1, 1, Colour{1.0f, 1.0f, 1.0f, 0.05f}));
        catalogue->setMaterial(Material(AlmostOpaque, "Almost", 1, 1, 1, Colour{1.0f, 0.0f, 0.0f, 0.998f}));
        catalogue->setMaterial(Material(Pinkish, "Pink", 1, 1, 1, Colour{0.8f, 0.2f, 0.5f, 1.0f}));
        colours.rebuild(*catalogue);
    }

    ~SurfaceBuildersTest() override { QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount()); }

    std::unique_ptr<TotalVolume> volume(unsigned sx, unsigned sy, unsigned sz, const std::vector<std::uint32_t> &m,
                                        float cell = 1.0f)
    {
        return std::make_unique<TotalVolume>(sx, sy, sz, cell, cell, cell, Util::Vector3D(), m);
    }

    // What the volume's view options ask for, with the given algorithm.
    VolumeGeometry build(TotalVolume &v, SurfaceGenerationAlgorithm algorithm = SurfaceGenerationAlgorithm::DirectCubic)
    {
        auto options = v.viewOptions();
        options.algorithm = algorithm;
        return Model::Geometry::VolumeGeometryBuilder::build(v, options, colours);
    }

    std::size_t faces(TotalVolume &v) { return build(v).cubicFaces.size(); }

    TestSupport::TempFolder temp;
    boost::shared_ptr<Model::Materials::MaterialFactory> catalogue;
    Model::Geometry::ColourMap colours;
};

double area(const QuadFaceList &faces)
{
    double sum = 0;
    for (const QuadFace &face : faces)
        sum += face.area();
    return sum;
}

// Faces as comparable tuples: where, facing where, of what, in what colour.
std::vector<std::tuple<std::array<std::array<float, 3>, 4>, const float *, std::uint32_t, QuadFace::Colour>>
signature(const QuadFaceList &faces)
{
    std::vector<std::tuple<std::array<std::array<float, 3>, 4>, const float *, std::uint32_t, QuadFace::Colour>> result;
    for (const QuadFace &face : faces)
        result.emplace_back(face.corners, face.normal, face.material, face.fill);
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

TEST_F(SurfaceBuildersTest, OpaqueCellsShowOnlyTheirOuterSides)
{
    auto one = volume(1, 1, 1, {Opaque});
    EXPECT_EQ(faces(*one), 6u);
    auto two = volume(2, 1, 1, {Opaque, OtherOpaque});
    EXPECT_EQ(faces(*two), 10u);
    auto withGap = volume(3, 1, 1, {Opaque, 0, Opaque});
    EXPECT_EQ(faces(*withGap), 12u);
}

TEST_F(SurfaceBuildersTest, TranslucentCellsMergeOnlyAboveAlphaOneTenth)
{
    auto half = volume(2, 1, 1, {HalfClear, HalfClear});
    const VolumeGeometry geometry = build(*half);
    EXPECT_EQ(geometry.cubicFaces.size(), 10u);
    EXPECT_TRUE(geometry.cubicFaces.opaque.empty());
    auto clear = volume(2, 1, 1, {NearlyClear, NearlyClear});
    EXPECT_EQ(faces(*clear), 12u);
}

TEST_F(SurfaceBuildersTest, NearlyOpaqueNeighbourDoesNotHideASide)
{
    auto v = volume(2, 1, 1, {Opaque, AlmostOpaque});
    const VolumeGeometry geometry = build(*v);
    EXPECT_EQ(geometry.cubicFaces.size(), 11u) << "the opaque cell keeps its side toward the 0.998 cell";
    EXPECT_EQ(geometry.cubicFaces.translucent.size(), 0u) << "0.998 still counts as opaque itself";
}

TEST_F(SurfaceBuildersTest, NarrowedDrawRangeExposesTheCutSides)
{
    auto v = volume(4, 1, 1, {Opaque, Opaque, Opaque, Opaque});
    EXPECT_EQ(faces(*v), 18u);
    v->painter().setDrawRange({1, 0, 0}, {3, 1, 1});
    const VolumeGeometry geometry = build(*v);
    EXPECT_EQ(geometry.cubicFaces.size(), 10u);
    double minX = 1e9, maxX = -1e9;
    for (const QuadFace &face : geometry.cubicFaces.opaque)
        for (const auto &corner : face.corners) {
            minX = std::min<double>(minX, corner[0]);
            maxX = std::max<double>(maxX, corner[0]);
        }
    EXPECT_EQ(minX, 1.0);
    EXPECT_EQ(maxX, 3.0);

    v->painter().setDrawRange({-5, 0, 0}, {9, 7, 1});
    EXPECT_EQ(faces(*v), 18u) << "a range beyond the volume is cut to it";
}

TEST_F(SurfaceBuildersTest, FacesAreScaledByTheCellSizes)
{
    auto v = volume(1, 1, 1, {Opaque}, 0.5f);
    EXPECT_FLOAT_EQ(float(area(build(*v).cubicFaces.opaque)), 6 * 0.25f);
}

TEST_F(SurfaceBuildersTest, UnknownMaterialsAreDrawnInNeutralGrey)
{
    auto v = volume(1, 1, 1, {Unknown});
    const VolumeGeometry geometry = build(*v);
    ASSERT_EQ(geometry.cubicFaces.size(), 6u);
    EXPECT_EQ(geometry.cubicFaces.opaque[0].fill, Model::Geometry::ColourMap::UnknownMaterialColour);
}

TEST_F(SurfaceBuildersTest, EmptyCellsGetSixOutlineSidesEachWithTheCubicFacesOnly)
{
    auto v = volume(3, 1, 1, {0, Opaque, 0});
    EXPECT_TRUE(build(*v).emptyCellOutlines.empty()) << "outlines are off by default";
    v->painter().setRenderEmptyVoxelOutlines(true);
    const VolumeGeometry geometry = build(*v);
    ASSERT_EQ(geometry.emptyCellOutlines.size(), 12u);
    EXPECT_EQ(geometry.emptyCellOutlines[0].edge, Model::Geometry::EmptyCellOutlineBuilder::OutlineColour);
    EXPECT_TRUE(build(*v, SurfaceGenerationAlgorithm::OctreeSurface).emptyCellOutlines.empty())
        << "the octree's edge pass shows no outlines";
}

TEST_F(SurfaceBuildersTest, SingleStripAndThreadedBuildsGiveTheSameDataInOrder)
{
    for (unsigned sx : {7u, 16u, 33u}) {
        std::vector<std::uint32_t> m = trenchedStructure(sx, 9, 8, Opaque, HalfClear);
        m[m.size() / 2] = Pinkish;
        auto v = volume(sx, 9, 8, m);
        v->painter().setRenderEmptyVoxelOutlines(true);
        QThreadPool::globalInstance()->setMaxThreadCount(1);
        const VolumeGeometry serial = build(*v);
        for (int threads : {2, 3, 8}) {
            QThreadPool::globalInstance()->setMaxThreadCount(threads);
            const VolumeGeometry threaded = build(*v);
            EXPECT_EQ(signature(threaded.cubicFaces.opaque), signature(serial.cubicFaces.opaque))
                << sx << " x, " << threads << " threads";
            EXPECT_EQ(signature(threaded.cubicFaces.translucent), signature(serial.cubicFaces.translucent));
            EXPECT_EQ(signature(threaded.emptyCellOutlines), signature(serial.emptyCellOutlines));
            EXPECT_EQ(threaded.presentMaterials, serial.presentMaterials);
            EXPECT_EQ(build(*v, SurfaceGenerationAlgorithm::MarchingCubes).presentMaterials, serial.presentMaterials);
        }
    }
}

TEST_F(SurfaceBuildersTest, OctreeCoversTheSameOpaqueSurfaceAsTheCellFaces)
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
        const QuadFaceList cubic = build(*v).cubicFaces.opaque;
        const QuadFaceList octree = build(*v, SurfaceGenerationAlgorithm::OctreeSurface).octreeFaces.opaque;
        EXPECT_NEAR(area(octree), area(cubic), 1e-3) << c.sx << "x" << c.sy << "x" << c.sz;
        EXPECT_LE(octree.size(), cubic.size());

        v->painter().setDrawRange({1, 2, 1}, {int(c.sx), int(c.sy) - 1, int(c.sz)});
        EXPECT_NEAR(area(build(*v, SurfaceGenerationAlgorithm::OctreeSurface).octreeFaces.opaque),
                    area(build(*v).cubicFaces.opaque), 1e-3)
            << "range from (1, 2, 1)";
    }
}

TEST_F(SurfaceBuildersTest, OctreeFacesAreTheSameInOrderForEveryThreadCount)
{
    // Random cells of opaque and translucent materials over blocks of one
    // material, whole and through a narrowed draw range, in volumes whose
    // sides are and are not powers of two.
    const std::uint32_t palette[] = {0, Opaque, OtherOpaque, HalfClear, NearlyClear, Pinkish};
    // The faces of the octree built on one thread before it was threaded,
    // per volume and range (printed with TESSIVAL_PRINT_FINGERPRINTS set).
    const std::uint64_t before[3][2] = {{0xaf068b1b64326db8ull, 0x6750e5a0fd9c245cull},
                                        {0x53adb3eca3600845ull, 0xc1e8580f4b402142ull},
                                        {0x7f0902e95dd4543aull, 0x4e0c9aafedf6745bull}};
    const auto fingerprint = [](const Model::Geometry::QuadMesh &mesh) {
        std::uint64_t hash = 14695981039346656037ull;
        for (const QuadFaceList *list : {&mesh.opaque, &mesh.translucent})
            for (const QuadFace &face : *list) {
                unsigned char bytes[sizeof(face.corners) + sizeof(float) * 3 + sizeof(face.material) + sizeof(face.fill)];
                std::memcpy(bytes, &face.corners, sizeof(face.corners));
                std::memcpy(bytes + sizeof(face.corners), face.normal, sizeof(float) * 3);
                std::memcpy(bytes + sizeof(face.corners) + sizeof(float) * 3, &face.material, sizeof(face.material));
                std::memcpy(bytes + sizeof(face.corners) + sizeof(float) * 3 + sizeof(face.material), &face.fill,
                            sizeof(face.fill));
                for (unsigned char byte : bytes)
                    hash = (hash ^ byte) * 1099511628211ull;
            }
        return hash;
    };
    std::mt19937 random(5);
    int n = 0;
    for (unsigned sx : {8u, 13u, 32u}) {
        const unsigned sy = 11, sz = 9;
        std::vector<std::uint32_t> m = trenchedStructure(sx, sy, sz, Opaque, HalfClear);
        for (std::size_t i = 0; i < m.size(); ++i)
            if (random() % 4 == 0)
                m[i] = palette[random() % 6];
        auto v = volume(sx, sy, sz, m);
        for (bool narrowed : {false, true}) {
            if (narrowed)
                v->painter().setDrawRange({1, 2, 0}, {int(sx) - 2, int(sy), int(sz) - 3});
            QThreadPool::globalInstance()->setMaxThreadCount(1);
            const VolumeGeometry serial = build(*v, SurfaceGenerationAlgorithm::OctreeSurface);
            ASSERT_FALSE(serial.octreeFaces.opaque.empty());
            ASSERT_FALSE(serial.octreeFaces.translucent.empty());
            if (qEnvironmentVariableIsSet("TESSIVAL_PRINT_FINGERPRINTS"))
                std::cout << "0x" << std::hex << fingerprint(serial.octreeFaces) << "ull" << std::dec << std::endl;
            EXPECT_EQ(fingerprint(serial.octreeFaces), before[n / 2][n % 2]) << sx << " x, narrowed " << narrowed;
            ++n;
            for (int threads : {2, 3, 8}) {
                QThreadPool::globalInstance()->setMaxThreadCount(threads);
                const VolumeGeometry threaded = build(*v, SurfaceGenerationAlgorithm::OctreeSurface);
                EXPECT_EQ(signature(threaded.octreeFaces.opaque), signature(serial.octreeFaces.opaque))
                    << sx << " x, " << threads << " threads, narrowed " << narrowed;
                EXPECT_EQ(signature(threaded.octreeFaces.translucent), signature(serial.octreeFaces.translucent));
                EXPECT_EQ(threaded.presentMaterials, serial.presentMaterials);
            }
        }
    }
}

TEST_F(SurfaceBuildersTest, OctreeMergesUniformRegionsIntoLargeFaces)
{
    std::vector<std::uint32_t> block(8 * 8 * 8, Opaque);
    auto v = volume(8, 8, 8, block);
    Model::Geometry::SurfaceOctree octree;
    {
        Model::Automaton::LockedCells cells(*v);
        octree.build(Model::Geometry::CellGrid::of(*v, cells.get(), v->viewOptions().drawRange), colours);
    }
    EXPECT_EQ(octree.faces().opaque.size(), 6u);
    EXPECT_TRUE(octree.root()->isLeaf());
    EXPECT_TRUE(build(*v, SurfaceGenerationAlgorithm::OctreeSurface).cubicFaces.opaque.empty())
        << "only the shown surface is built";
}

TEST_F(SurfaceBuildersTest, OctreeShowsTranslucentMaterialFromTheEmptySide)
{
    auto v = volume(2, 1, 1, {HalfClear, 0});
    const VolumeGeometry geometry = build(*v, SurfaceGenerationAlgorithm::OctreeSurface);
    EXPECT_TRUE(geometry.octreeFaces.opaque.empty());
    EXPECT_NEAR(area(geometry.octreeFaces.translucent), 6.0, 1e-6);
}

TEST_F(SurfaceBuildersTest, MaskBitsBecomeRectanglesBelowAndAboveTheVolume)
{
    auto v = volume(2, 3, 4, std::vector<std::uint32_t>(24, Opaque), 0.5f);
    // A 4 x 3 image: one run of three bits per image column, bottom row
    // first. Columns 0 and 1 lie over the volume; 2 and 3 reach past x.
    v->setTopMask({true, false, false, true, false, true, false, false, true, true, true, true}, 4, 3);
    const auto top = Model::Geometry::MaskOverlay::topOf(*v);
    ASSERT_EQ(top.rectangles.size(), 3u) << "pixels beyond x are left out";
    EXPECT_EQ(top.rectangles[0], (std::array<float, 4>{0, 0, 0.5f, 0.5f}));
    EXPECT_EQ(top.rectangles[1], (std::array<float, 4>{0.5f, 0, 1, 0.5f}));
    EXPECT_EQ(top.rectangles[2], (std::array<float, 4>{0.5f, 1, 1, 1.5f}));
    EXPECT_EQ(top.height, (4 + 5) * 0.5f);
    const auto bottom = Model::Geometry::MaskOverlay::bottomOf(*v);
    EXPECT_TRUE(bottom.rectangles.empty()) << "no bottom mask";
    EXPECT_EQ(bottom.height, -5 * 0.5f);
}

// The overlay previews the columns the development keeps: a non-square
// mask must not come out transposed.
TEST_F(SurfaceBuildersTest, MaskOverlayCoversTheColumnsTheDevelopmentKeeps)
{
    auto v = volume(4, 2, 1, std::vector<std::uint32_t>(8, Opaque));
    // A 3 x 2 image whose only opaque pixel is column 2, top row: bit 2·2 + 1.
    const std::vector<bool> bits{false, false, false, false, false, true};
    v->setBottomMask(bits, 3, 2);
    const auto bottom = Model::Geometry::MaskOverlay::bottomOf(*v);
    ASSERT_EQ(bottom.rectangles.size(), 1u);
    EXPECT_EQ(bottom.rectangles[0], (std::array<float, 4>{2, 1, 3, 2}));
    const std::vector<bool> columns = v->bottomMask().columnBits(4, 2);
    EXPECT_TRUE(columns[2 * 2 + 1]);
    EXPECT_EQ(std::count(columns.begin(), columns.end(), true), 1);

    v->setBottomMask({true, true}, 3, 2);
    EXPECT_TRUE(Model::Geometry::MaskOverlay::bottomOf(*v).rectangles.empty())
        << "bits that do not fill the image cover nothing";
}

TEST_F(SurfaceBuildersTest, PresentMaterialsAreThoseOfTheDrawnCellsWhateverTheThreadsAndSurface)
{
    using Ids = std::vector<std::uint32_t>;
    // Along x: Pinkish, Opaque, empty, Unknown, Opaque, HalfClear, Pinkish (one cell each).
    auto v = volume(7, 1, 1, {Pinkish, Opaque, 0, Unknown, Opaque, HalfClear, Pinkish});
    const SurfaceGenerationAlgorithm algorithms[] = {SurfaceGenerationAlgorithm::DirectCubic,
                                                     SurfaceGenerationAlgorithm::MarchingCubes,
                                                     SurfaceGenerationAlgorithm::OctreeSurface};
    for (int threads : {1, 2, 3, 8}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        for (const auto algorithm : algorithms)
            EXPECT_EQ(build(*v, algorithm).presentMaterials, (Ids{Opaque, HalfClear, Pinkish, Unknown}))
                << threads << " threads, algorithm " << int(algorithm);
    }
    v->painter().setDrawRange({1, 0, 0}, {3, 1, 1});
    for (const auto algorithm : algorithms)
        EXPECT_EQ(build(*v, algorithm).presentMaterials, (Ids{Opaque})) << "cells cut away are not shown";
    v->painter().setDrawRange({2, 0, 0}, {3, 1, 1});
    for (const auto algorithm : algorithms)
        EXPECT_TRUE(build(*v, algorithm).presentMaterials.empty()) << "an empty cell is no material";
}
