// The marching-cube surface against hand-counted shapes: closed, facing
// outwards, enclosing exactly the cells of the draw range, the same for any
// number of threads; all without a display.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/ColourMap.h"
#include "Model/Geometry/MarchingCubeSurface.h"
#include "Model/Geometry/MarchingCubeTables.h"

#include "CellGrid.h"

#include <QThreadPool>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <tuple>

using Model::Automaton::CellRange;
using Model::Automaton::TotalVolume;
using Model::Geometry::MarchingCubeSurface;
using Model::Geometry::MarchingCubeTables;
using Model::Geometry::Triangle;
using Model::Geometry::TriangleMesh;

namespace {

using Vec3 = std::array<float, 3>;

class MarchingCubeSurfaceTest : public ::testing::Test
{
protected:
    MarchingCubeSurfaceTest()
    {
        colours.set(1, {0.5f, 0.5f, 0.5f, 1.0f});
        colours.set(2, {0.1f, 0.9f, 0.1f, 1.0f});
    }
    ~MarchingCubeSurfaceTest() override
    {
        QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount());
    }

    TriangleMesh build(TotalVolume &v, const CellRange *range = nullptr)
    {
        Model::Automaton::LockedCells cells(v);
        const CellRange whole = CellRange::whole(v.sizeX(), v.sizeY(), v.sizeZ());
        return MarchingCubeSurface::build(Model::Geometry::CellGrid::of(v, cells.get(), range ? *range : whole),
                                          colours);
    }

    Model::Geometry::ColourMap colours;
};

Vec3 centroid(const Triangle &t)
{
    Vec3 c{};
    for (const auto &v : t.vertices)
        for (std::size_t a = 0; a < 3; ++a)
            c[a] += v.position[a] / 3.0f;
    return c;
}

Vec3 faceNormal(const Triangle &t)
{
    const Vec3 &a = t.vertices[0].position, &b = t.vertices[1].position, &c = t.vertices[2].position;
    const Vec3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

float dot(const Vec3 &a, const Vec3 &b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vec3 minus(const Vec3 &a, const Vec3 &b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

// Closed and consistently wound: every directed edge of a triangle appears
// once, and its reverse belongs to exactly one other triangle. Positions
// are compared in quarter cells, which every vertex lies on.
::testing::AssertionResult watertight(const TriangleMesh &mesh, float cell = 1.0f)
{
    using Point = std::tuple<long, long, long>;
    auto point = [cell](const Vec3 &p) {
        return Point(std::lround(p[0] * 4 / cell), std::lround(p[1] * 4 / cell), std::lround(p[2] * 4 / cell));
    };
    std::map<std::pair<Point, Point>, int> directed;
    for (const Triangle &t : mesh.triangles)
        for (int i = 0; i < 3; ++i)
            ++directed[{point(t.vertices[std::size_t(i)].position), point(t.vertices[std::size_t((i + 1) % 3)].position)}];
    for (const auto &edge : directed) {
        if (edge.second != 1)
            return ::testing::AssertionFailure() << "a directed edge is used " << edge.second << " times";
        const auto reverse = directed.find({edge.first.second, edge.first.first});
        if (reverse == directed.end())
            return ::testing::AssertionFailure() << "an edge borders only one triangle";
    }
    return ::testing::AssertionSuccess();
}

// The extent of the mesh along one axis.
std::pair<float, float> extent(const TriangleMesh &mesh, std::size_t axis)
{
    float low = 1e30f, high = -1e30f;
    for (const Triangle &t : mesh.triangles)
        for (const auto &v : t.vertices) {
            low = std::min(low, v.position[axis]);
            high = std::max(high, v.position[axis]);
        }
    return {low, high};
}

} // namespace

TEST(MarchingCubeTables, EveryCaseCutsExactlyTheEdgesBetweenInsideAndOutside)
{
    for (int cube = 0; cube < 256; ++cube) {
        int used = 0, count = 0;
        for (int i = 0; i < 16 && MarchingCubeTables::Triangles[cube][i] != -1; ++i, ++count)
            used |= 1 << MarchingCubeTables::Triangles[cube][i];
        EXPECT_EQ(used, MarchingCubeTables::cutEdges(cube)) << "case " << cube;
        EXPECT_EQ(count % 3, 0) << "case " << cube;
        EXPECT_EQ(MarchingCubeTables::cutEdges(cube), MarchingCubeTables::cutEdges(255 - cube));
    }
    EXPECT_EQ(MarchingCubeTables::cutEdges(1), 0x109);
    EXPECT_EQ(MarchingCubeTables::cutEdges(0x0f), 0xf00);
}

TEST_F(MarchingCubeSurfaceTest, EmptyVolumeGivesNoTriangles)
{
    auto v = TestSupport::CellGrid::make(4, 3, 2, [](unsigned, unsigned, unsigned) { return 0u; });
    EXPECT_TRUE(build(*v).empty());
}

TEST_F(MarchingCubeSurfaceTest, SingleCellIsAClosedShapeOfEightTrianglesAroundIt)
{
    auto v = TestSupport::CellGrid::make(3, 3, 3, [](unsigned x, unsigned y, unsigned z) {
        return x == 1 && y == 1 && z == 1 ? 1u : 0u;
    });
    const TriangleMesh mesh = build(*v);
    ASSERT_EQ(mesh.size(), 8u) << "one triangle from each of the eight cubes sharing the cell";
    EXPECT_TRUE(watertight(mesh));
    const Vec3 centre{1.5f, 1.5f, 1.5f};
    for (const Triangle &t : mesh.triangles) {
        EXPECT_GT(dot(faceNormal(t), minus(centroid(t), centre)), 0.0f) << "wound to face outwards";
        for (const auto &vertex : t.vertices) {
            EXPECT_GT(dot(vertex.normal, minus(vertex.position, centre)), 0.0f) << "normal points outwards";
            EXPECT_EQ(vertex.material, 1u);
            const Vec3 d = minus(vertex.position, centre);
            EXPECT_FLOAT_EQ(std::fabs(d[0]) + std::fabs(d[1]) + std::fabs(d[2]), 0.5f)
                << "vertices halfway to the neighbouring cells' centres";
        }
    }
}

// The cells of the lowest layer used to count as empty, so a film lying on
// the bottom vanished from the surface.
TEST_F(MarchingCubeSurfaceTest, OneCellFilmsOnTheBottomAndTopLayersAreEnclosed)
{
    for (unsigned layer : {0u, 3u}) {
        SCOPED_TRACE(layer);
        auto v = TestSupport::CellGrid::make(5, 4, 4, [layer](unsigned, unsigned, unsigned z) {
            return z == layer ? 2u : 0u;
        }, {0.5f, 0.5f, 2.0f});
        const TriangleMesh mesh = build(*v);
        ASSERT_FALSE(mesh.empty());
        EXPECT_TRUE(watertight(mesh, 0.5f));
        EXPECT_FLOAT_EQ(extent(mesh, 2).first, float(layer) * 2.0f);
        EXPECT_FLOAT_EQ(extent(mesh, 2).second, float(layer + 1) * 2.0f);
        EXPECT_FLOAT_EQ(extent(mesh, 0).first, 0.0f);
        EXPECT_FLOAT_EQ(extent(mesh, 0).second, 2.5f);
        for (const Triangle &t : mesh.triangles)
            EXPECT_EQ(t.vertices[0].colour, (std::array<float, 3>{0.1f, 0.9f, 0.1f}));
    }
}

TEST_F(MarchingCubeSurfaceTest, CutRangeEnclosesItsCellsFromTheLowerBoundUpToTheUpperOne)
{
    auto v = TestSupport::CellGrid::make(6, 6, 6, [](unsigned, unsigned, unsigned) { return 1u; });
    const CellRange range{{1, 2, 3}, {4, 6, 5}};
    const TriangleMesh mesh = build(*v, &range);
    EXPECT_TRUE(watertight(mesh));
    for (std::size_t axis = 0; axis < 3; ++axis) {
        EXPECT_FLOAT_EQ(extent(mesh, axis).first, float(range.lower[axis])) << axis;
        EXPECT_FLOAT_EQ(extent(mesh, axis).second, float(range.upper[axis])) << axis;
    }
    const CellRange empty{{1, 2, 3}, {1, 6, 5}};
    EXPECT_TRUE(build(*v, &empty).empty());
}

TEST_F(MarchingCubeSurfaceTest, BoxIsWatertightAndFacesOutwards)
{
    auto v = TestSupport::CellGrid::make(7, 6, 5, [](unsigned x, unsigned y, unsigned z) {
        return x >= 1 && x < 5 && y >= 2 && y < 5 && z >= 1 && z < 3 ? 1u : 0u;
    });
    const TriangleMesh mesh = build(*v);
    ASSERT_FALSE(mesh.empty());
    EXPECT_TRUE(watertight(mesh));
    const Vec3 centre{3.0f, 3.5f, 2.0f};
    for (const Triangle &t : mesh.triangles)
        EXPECT_GT(dot(faceNormal(t), minus(centroid(t), centre)), 0.0f);
}

TEST_F(MarchingCubeSurfaceTest, ScatteredCellsGiveAClosedSurface)
{
    std::mt19937 random(7);
    auto v = TestSupport::CellGrid::make(9, 8, 7, [&random](unsigned, unsigned, unsigned) {
        return random() % 3 == 0 ? 1u + random() % 2 : 0u;
    });
    EXPECT_TRUE(watertight(build(*v)));
}

// Keys of the form (i·Ny + j)·Nz + k collide once vertices lie outside the
// volume, and mixed opposite sides of the box into one normal.
TEST_F(MarchingCubeSurfaceTest, SmoothedNormalsOfABoxFillingTheVolumeAreUnitAndPointOutwards)
{
    auto v = TestSupport::CellGrid::make(5, 4, 3, [](unsigned, unsigned, unsigned) { return 1u; });
    const TriangleMesh mesh = build(*v);
    ASSERT_FALSE(mesh.empty());
    const Vec3 centre{2.5f, 2.0f, 1.5f};
    for (const Triangle &t : mesh.triangles)
        for (const auto &vertex : t.vertices) {
            ASSERT_TRUE(std::isfinite(vertex.normal[0]) && std::isfinite(vertex.normal[1])
                        && std::isfinite(vertex.normal[2]));
            EXPECT_NEAR(dot(vertex.normal, vertex.normal), 1.0f, 1e-5f);
            EXPECT_GT(dot(vertex.normal, minus(vertex.position, centre)), 0.0f);
        }
}

TEST_F(MarchingCubeSurfaceTest, OneAndSeveralThreadsGiveTheSameTriangles)
{
    std::mt19937 random(11);
    auto v = TestSupport::CellGrid::make(23, 9, 8, [&random](unsigned, unsigned, unsigned z) {
        return z < 3 || random() % 4 == 0 ? 1u + random() % 2 : 0u;
    });
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    const TriangleMesh serial = build(*v);
    QThreadPool::globalInstance()->setMaxThreadCount(4);
    const TriangleMesh threaded = build(*v);
    ASSERT_EQ(serial.size(), threaded.size());
    ASSERT_FALSE(serial.empty());
    EXPECT_EQ(std::memcmp(serial.triangles.data(), threaded.triangles.data(), serial.size() * sizeof(Triangle)), 0);
}

TEST_F(MarchingCubeSurfaceTest, VerticesTakeTheMaterialOfTheFilledCellBesideThemAndItsHighlight)
{
    auto v = TestSupport::CellGrid::make(4, 1, 1, [](unsigned x, unsigned, unsigned) { return x < 2 ? 1u : 2u; });
    TriangleMesh mesh = build(*v);
    for (const Triangle &t : mesh.triangles)
        for (const auto &vertex : t.vertices) {
            if (vertex.position[0] < 1.0f) {
                EXPECT_EQ(vertex.material, 1u);
            }
            if (vertex.position[0] > 3.0f) {
                EXPECT_EQ(vertex.material, 2u);
            }
        }
    mesh.recolour(colours, true);
    for (const Triangle &t : mesh.triangles)
        for (const auto &vertex : t.vertices)
            if (vertex.material == 2u) {
                EXPECT_NEAR(vertex.colour[0], 0.4f, 1e-6f);
                EXPECT_NEAR(vertex.colour[1], 0.2f, 1e-6f);
            }
}
