// The material surfaces the mesh exports write: every body closed and
// consistently oriented, enclosing exactly its cells, with faces between
// two materials the same triangles in both bodies; merged walls instead of one quad per side;
// no triangle far from equilateral, so that a mesher can fill each body;
// the same result for one pool thread as for several.
#include "Model/Automaton/CellRange.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/MaterialSurfaceBuilder.h"

#include "FilledVolume.h"
#include "SurfaceChecks.h"

#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

using Model::Automaton::TotalVolume;
using Model::Geometry::MaterialSurfaces;
using TestSupport::filledVolume;

namespace {

MaterialSurfaces surfacesOf(TotalVolume &volume, const std::array<double, 3> &origin = {0, 0, 0})
{
    Model::Automaton::LockedCells cells(volume);
    const auto grid = Model::Geometry::CellGrid::of(
        volume, cells.get(), Model::Automaton::CellRange::whole(volume.sizeX(), volume.sizeY(), volume.sizeZ()));
    return Model::Geometry::MaterialSurfaceBuilder::build(grid, origin);
}

// The most elongated triangle of the bodies checked so far.
double worstElongation = 0;

// Every body closed, without slivers, enclosing its cells' volume; the
// cell counts those of the cells.
void expectSoundBodies(TotalVolume &volume, const MaterialSurfaces &surfaces)
{
    std::map<std::uint32_t, std::uint64_t> cells;
    {
        Model::Automaton::LockedCells locked(volume);
        for (std::size_t i = 0; i < volume.cellCount(); ++i)
            if (locked[i].material != 0)
                ++cells[locked[i].material];
    }
    ASSERT_EQ(surfaces.bodies.size(), cells.size());
    const double cellVolume = double(volume.cellsizeX()) * volume.cellsizeY() * volume.cellsizeZ();
    for (const MaterialSurfaces::Body &body : surfaces.bodies) {
        SCOPED_TRACE("material " + std::to_string(body.material));
        EXPECT_EQ(body.cellCount, cells[body.material]);
        EXPECT_EQ(TestSupport::unmatchedEdges(body), 0u);
        EXPECT_NEAR(TestSupport::enclosedVolume(surfaces, body), double(body.cellCount) * cellVolume,
                    1e-6 * double(body.cellCount) * cellVolume);
        for (const auto &triangle : body.triangles) {
            ASSERT_GT(TestSupport::doubledArea(surfaces, triangle), 1e-9);
            worstElongation = std::max(worstElongation, TestSupport::elongation(surfaces, triangle));
        }
    }
}

// Triangles whose outer side is a cell of another material that the body of
// that material does not share, walked the other way: a face between two
// materials must be the same triangles in both bodies.
std::size_t unsharedInterfaceTriangles(TotalVolume &volume, const MaterialSurfaces &surfaces,
                                       const std::array<double, 3> &origin)
{
    using Triangle = MaterialSurfaces::Triangle;
    auto canonical = [](Triangle t) {
        while (t[0] > t[1] || t[0] > t[2])
            t = {t[1], t[2], t[0]};
        return t;
    };
    std::set<std::pair<std::uint32_t, Triangle>> faces;
    for (const auto &body : surfaces.bodies)
        for (const auto &t : body.triangles)
            faces.insert({body.material, canonical(t)});
    const std::array<float, 3> cell{volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()};
    const std::array<unsigned, 3> size{volume.sizeX(), volume.sizeY(), volume.sizeZ()};
    std::size_t unshared = 0;
    Model::Automaton::LockedCells cells(volume);
    for (const auto &body : surfaces.bodies)
        for (const auto &t : body.triangles) {
            const auto &a = surfaces.points[t[0]], &b = surfaces.points[t[1]], &c = surfaces.points[t[2]];
            const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
            std::array<long, 3> outside{};
            for (std::size_t axis = 0; axis < 3; ++axis) {
                const double centroid = (double(a[axis]) + b[axis] + c[axis]) / 3;
                const double step = n[axis] > 0 ? 0.5 : n[axis] < 0 ? -0.5 : 0.0;
                outside[axis] = long(std::floor((centroid - origin[axis]) / cell[axis] + step));
            }
            bool inside = true;
            for (std::size_t axis = 0; axis < 3; ++axis)
                inside = inside && outside[axis] >= 0 && outside[axis] < long(size[axis]);
            if (!inside)
                continue;
            const std::uint32_t other =
                cells[volume.cellIndex(unsigned(outside[0]), unsigned(outside[1]), unsigned(outside[2]))].material;
            if (other != 0 && !faces.count({other, canonical({t[0], t[2], t[1]})}))
                ++unshared;
        }
    return unshared;
}

class MaterialSurfaceBuilderTest : public ::testing::Test
{
protected:
    ~MaterialSurfaceBuilderTest() override
    {
        QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount());
    }
};

} // namespace

TEST_F(MaterialSurfaceBuilderTest, ABlockIsSixRectanglesWhateverItsSize)
{
    auto block = filledVolume(9, 7, 5, [](unsigned, unsigned, unsigned) { return 3u; });
    const MaterialSurfaces surfaces = surfacesOf(*block);
    ASSERT_EQ(surfaces.bodies.size(), 1u);
    EXPECT_EQ(surfaces.bodies[0].material, 3u);
    EXPECT_EQ(surfaces.bodies[0].triangles.size(), 12u);
    EXPECT_EQ(surfaces.points.size(), 8u);
    expectSoundBodies(*block, surfaces);
}

TEST_F(MaterialSurfaceBuilderTest, AnEmptyVolumeHasNoBodies)
{
    auto empty = filledVolume(3, 3, 3, [](unsigned, unsigned, unsigned) { return 0u; });
    const MaterialSurfaces surfaces = surfacesOf(*empty);
    EXPECT_TRUE(surfaces.bodies.empty());
    EXPECT_TRUE(surfaces.points.empty());
}

TEST_F(MaterialSurfaceBuilderTest, AFaceBetweenTwoMaterialsBelongsToBoth)
{
    // Silicon below, a film above: both bodies are boxes sharing the plane
    // z = 2, each facing out of itself there.
    auto stack = filledVolume(4, 3, 5, [](unsigned, unsigned, unsigned z) { return z < 2 ? 1u : 7u; });
    const MaterialSurfaces surfaces = surfacesOf(*stack);
    ASSERT_EQ(surfaces.bodies.size(), 2u);
    for (const auto &body : surfaces.bodies) {
        EXPECT_EQ(body.triangles.size(), 12u);
        int onInterface = 0;
        for (const auto &t : body.triangles) {
            const bool flat = surfaces.points[t[0]][2] == 2.0f && surfaces.points[t[1]][2] == 2.0f
                              && surfaces.points[t[2]][2] == 2.0f;
            onInterface += flat ? 1 : 0;
        }
        EXPECT_EQ(onInterface, 2);
    }
    expectSoundBodies(*stack, surfaces);
    EXPECT_EQ(unsharedInterfaceTriangles(*stack, surfaces, {0, 0, 0}), 0u);
}

TEST_F(MaterialSurfaceBuilderTest, WallsMeetingSmallerFacesAreSplitAtTheirCorners)
{
    // A slab with a one-cell post on top: the slab's top is merged around
    // the post's foot, whose corners lie on the merged rectangles' edges.
    auto post = filledVolume(5, 5, 3, [](unsigned x, unsigned y, unsigned z) {
        return z == 0 || (z == 1 && x == 2 && y == 2) ? 2u : 0u;
    });
    const MaterialSurfaces surfaces = surfacesOf(*post);
    expectSoundBodies(*post, surfaces);
}

TEST_F(MaterialSurfaceBuilderTest, HollowsAndCellsTouchingAtAnEdgeStayClosed)
{
    // A box with a cavity, and two cells meeting only along an edge, whose
    // edge four triangles of the same body share.
    auto hollow = filledVolume(5, 5, 5, [](unsigned x, unsigned y, unsigned z) {
        const bool inside = x >= 1 && x <= 3 && y >= 1 && y <= 3 && z >= 1 && z <= 3;
        return inside && !(x == 2 && y == 2 && z == 2) ? 4u : 0u;
    });
    expectSoundBodies(*hollow, surfacesOf(*hollow));
    auto diagonal = filledVolume(2, 2, 1, [](unsigned x, unsigned y, unsigned) { return x == y ? 5u : 0u; });
    const MaterialSurfaces touching = surfacesOf(*diagonal);
    ASSERT_EQ(touching.bodies.size(), 1u);
    EXPECT_EQ(touching.bodies[0].triangles.size(), 24u);
    expectSoundBodies(*diagonal, touching);
}

TEST_F(MaterialSurfaceBuilderTest, ScatteredMaterialsGiveClosedBodiesInWorldUnits)
{
    std::mt19937 random(23);
    std::uniform_int_distribution<unsigned> pick(0, 3);
    auto scattered = filledVolume(
        11, 9, 7, [&](unsigned, unsigned, unsigned) { return pick(random); }, {0.5f, 1.0f, 2.0f});
    const std::array<double, 3> origin{10, -4, 2.5};
    const MaterialSurfaces surfaces = surfacesOf(*scattered, origin);
    ASSERT_EQ(surfaces.bodies.size(), 3u);
    expectSoundBodies(*scattered, surfaces);
    EXPECT_EQ(unsharedInterfaceTriangles(*scattered, surfaces, origin), 0u);
    std::array<float, 3> low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
    for (const auto &point : surfaces.points)
        for (std::size_t axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], point[axis]);
            high[axis] = std::max(high[axis], point[axis]);
        }
    EXPECT_EQ(low, (std::array<float, 3>{10.0f, -4.0f, 2.5f}));
    EXPECT_EQ(high, (std::array<float, 3>{15.5f, 5.0f, 16.5f}));
}

TEST_F(MaterialSurfaceBuilderTest, ATrenchCostsFarFewerTrianglesThanItHasSides)
{
    // 40 x 40 x 20 silicon with a trench 10 cells wide and 8 deep.
    auto trench = filledVolume(40, 40, 20, [](unsigned x, unsigned, unsigned z) {
        return z >= 12 && x >= 15 && x < 25 ? 0u : 1u;
    });
    const MaterialSurfaces surfaces = surfacesOf(*trench);
    expectSoundBodies(*trench, surfaces);
    EXPECT_LT(surfaces.triangleCount(), 200u);
}

TEST_F(MaterialSurfaceBuilderTest, OneThreadBuildsWhatSeveralBuild)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<unsigned> pick(0, 2);
    auto scattered = filledVolume(17, 6, 5, [&](unsigned, unsigned, unsigned) { return pick(random); });
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    const MaterialSurfaces serial = surfacesOf(*scattered);
    for (int threads : {2, 3, 5}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        const MaterialSurfaces threaded = surfacesOf(*scattered);
        EXPECT_EQ(threaded.points, serial.points) << threads << " threads";
        ASSERT_EQ(threaded.bodies.size(), serial.bodies.size());
        for (std::size_t i = 0; i < serial.bodies.size(); ++i)
            EXPECT_EQ(threaded.bodies[i].triangles, serial.bodies[i].triangles) << threads << " threads";
    }
}

// Elongated walls and small features beside large faces: without cutting,
// a film one cell thick has walls one cell high and sixty long, and a post's
// corners fan the slab's top into needles. Meshers need neither.
TEST_F(MaterialSurfaceBuilderTest, NoTriangleIsFarFromEquilateral)
{
    worstElongation = 0;
    auto film = filledVolume(60, 40, 4, [](unsigned, unsigned, unsigned z) { return z == 0 ? 1u : z == 1 ? 2u : 0u; });
    expectSoundBodies(*film, surfacesOf(*film));
    auto posts = filledVolume(50, 50, 3, [](unsigned x, unsigned y, unsigned z) {
        return z == 0 || (z == 1 && ((x == 1 && y == 1) || (x == 30 && y == 48) || (x == 25 && y == 25))) ? 2u : 0u;
    });
    expectSoundBodies(*posts, surfacesOf(*posts));
    std::mt19937 random(31);
    std::uniform_int_distribution<unsigned> pick(0, 40);
    auto scattered = filledVolume(23, 19, 17, [&](unsigned, unsigned, unsigned z) {
        const unsigned p = pick(random);
        return z < 6 ? 1u : p < 3 ? p : 0u;
    });
    const MaterialSurfaces surfaces = surfacesOf(*scattered);
    expectSoundBodies(*scattered, surfaces);
    EXPECT_EQ(unsharedInterfaceTriangles(*scattered, surfaces, {0, 0, 0}), 0u);
    // Longest edge over shortest height: 6.7 at most on cubic cells, where
    // a side cut in three (a square's half is 2.5, an equilateral 1.15).
    EXPECT_LE(worstElongation, 6.7);
    EXPECT_GT(worstElongation, 1.0);

    // Cells twice as high as wide: the bound holds in world units.
    worstElongation = 0;
    auto tall = filledVolume(
        30, 20, 6, [](unsigned x, unsigned, unsigned z) { return z < 2 || (z < 5 && x > 10 && x < 14) ? 3u : 0u; },
        {1.0f, 1.0f, 2.0f});
    expectSoundBodies(*tall, surfacesOf(*tall));
    EXPECT_LE(worstElongation, 6.7);
}
