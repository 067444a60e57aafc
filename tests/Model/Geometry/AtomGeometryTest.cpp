// The atomistic view's geometry from real lattices: colours by bonding,
// bonds ending halfway at missing neighbours, surface-only filtering, unit
// cells, and cut limits meeting the atoms of a moved, finer volume; all
// without a display.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/AtomGeometryBuilder.h"
#include "Model/Geometry/ClipPlanes.h"
#include "Model/Geometry/GeodesicSphere.h"
#include "Model/Geometry/LatticeWalk.h"
#include "Model/Geometry/VolumeGeometryBuilder.h"
#include "Model/Geometry/ColourMap.h"

#include "CellGrid.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

using Model::Automaton::AtomViewFlags;
using Model::Automaton::TotalVolume;
using Model::Automaton::VolumeViewOptions;
using Model::Geometry::AtomGeometry;
using Model::Geometry::AtomGeometryBuilder;
using Model::Geometry::ClipPlanes;

namespace {

using Point = AtomGeometry::Point;
using Rgb = AtomGeometry::Rgb;

const Rgb Blue{0, 0, 255}, Orange{255, 127, 0}, LightGreen{127, 255, 127}, Yellow{255, 255, 0};

// Silicon below `top` (in cells), empty above.
std::unique_ptr<TotalVolume> siliconSlab(unsigned size, unsigned height, unsigned top,
                                         std::array<float, 3> cell = {1, 1, 1})
{
    auto v = TestSupport::CellGrid::make(size, size, height, [top](unsigned, unsigned, unsigned z) {
        return z < top ? 1u : 0u;
    }, cell);
    EXPECT_TRUE(v->rebuildSiLattice());
    return v;
}

AtomGeometry atomsOf(TotalVolume &v, const AtomViewFlags &flags)
{
    VolumeViewOptions options = v.viewOptions();
    options.atomView = flags;
    Model::Automaton::LockedCells cells(v);
    return AtomGeometryBuilder::build(v, options);
}

AtomViewFlags flags(bool surfaceOnly, bool links = false)
{
    AtomViewFlags f;
    f.atoms = true;
    f.surfaceAtomsOnly = surfaceOnly;
    f.atomLinks = links;
    return f;
}

bool near(float a, float b)
{
    return std::fabs(a - b) < 1e-4f;
}

// Well inside the volume's footprint, away from the lattice's loose ends.
bool inner(const Point &p, float size)
{
    return p[0] > 1.5f && p[0] < size - 1.5f && p[1] > 1.5f && p[1] < size - 1.5f;
}

} // namespace

TEST(AtomGeometry, AtomsAreColouredByTheirBonding)
{
    EXPECT_EQ(AtomGeometryBuilder::bondingColour(3, 9), Blue) << "(111) terrace: three bonds, nine second neighbours";
    EXPECT_EQ(AtomGeometryBuilder::bondingColour(3, 12), Blue);
    EXPECT_EQ(AtomGeometryBuilder::bondingColour(3, 8), Orange);
    EXPECT_EQ(AtomGeometryBuilder::bondingColour(2, 6), LightGreen) << "(100) surface: two bonds";
    EXPECT_EQ(AtomGeometryBuilder::bondingColour(4, 12), Yellow);
    EXPECT_EQ(AtomGeometryBuilder::bondingColour(1, 3), Yellow);

    // The top of a slab is a (100) plane: its atoms keep the two bonds below.
    auto v = siliconSlab(6, 6, 3);
    const AtomGeometry geometry = atomsOf(*v, flags(true));
    int top = 0;
    for (const auto &atom : geometry.atoms)
        if (near(atom.position[2], 2.75f) && inner(atom.position, 6)) {
            ++top;
            EXPECT_EQ(atom.colour, LightGreen);
        }
    EXPECT_GT(top, 0);
}

TEST(AtomGeometry, SurfaceAtomsOnlyHidesTheBulk)
{
    auto v = siliconSlab(6, 6, 3);
    const AtomGeometry surface = atomsOf(*v, flags(true));
    const AtomGeometry all = atomsOf(*v, flags(false));
    EXPECT_LT(surface.atoms.size(), all.atoms.size());
    int bulk = 0;
    for (const auto &atom : all.atoms)
        if (atom.position[2] > 0.9f && atom.position[2] < 2.1f && inner(atom.position, 6)) {
            ++bulk;
            EXPECT_EQ(atom.colour, Yellow);
        }
    EXPECT_GT(bulk, 0);
    for (const auto &atom : surface.atoms)
        EXPECT_FALSE(atom.position[2] > 0.9f && atom.position[2] < 2.1f && inner(atom.position, 6))
            << atom.position[0] << ", " << atom.position[1] << ", " << atom.position[2];
}

TEST(AtomGeometry, BondsToAbsentNeighboursEndHalfway)
{
    // Half-size cells: the silicon ends at z = 2.5, inside a unit cell, whose
    // atoms above it are kept as absent ones.
    auto v = siliconSlab(12, 12, 5, {0.5f, 0.5f, 0.5f});
    const AtomGeometry geometry = atomsOf(*v, flags(true, true));
    ASSERT_FALSE(geometry.bondVertices.empty());
    ASSERT_EQ(geometry.bondVertices.size() % 2, 0u);
    int halfway = 0, whole = 0;
    for (std::size_t i = 0; i < geometry.bondVertices.size(); i += 2) {
        const Point &from = geometry.bondVertices[i], &to = geometry.bondVertices[i + 1];
        if (!near(from[2], 2.25f) || !inner(from, 6))
            continue;
        const float length = std::sqrt((to[0] - from[0]) * (to[0] - from[0]) + (to[1] - from[1]) * (to[1] - from[1])
                                       + (to[2] - from[2]) * (to[2] - from[2]));
        if (to[2] > from[2]) {
            EXPECT_TRUE(near(to[2], 2.375f)) << "up into the empty cells: half a bond";
            EXPECT_NEAR(length, std::sqrt(3.0f) / 8, 1e-4f);
            ++halfway;
        } else {
            EXPECT_NEAR(length, std::sqrt(3.0f) / 4, 1e-4f) << "down to a silicon neighbour: the whole bond";
            ++whole;
        }
    }
    EXPECT_GT(halfway, 0);
    EXPECT_GT(whole, 0);
}

TEST(AtomGeometry, UnitCellsAreOneBoxPlacedPerCellAndSixOutlinedSides)
{
    auto v = siliconSlab(3, 2, 2);
    AtomViewFlags f;
    f.unitCells = f.unitCellOutlines = true;
    const AtomGeometry geometry = atomsOf(*v, f);
    ASSERT_FALSE(geometry.unitCellCorners.empty());
    EXPECT_EQ(geometry.unitCellTriangles.size(), 36u);
    EXPECT_EQ(geometry.outlineVertices.size(), 24 * geometry.unitCellCorners.size());
    EXPECT_TRUE(geometry.atoms.empty()) << "atoms off";
    EXPECT_TRUE(geometry.bondVertices.empty());
}

TEST(AtomGeometry, WithoutALatticeOrWithEveryPartOffNothingIsBuilt)
{
    auto v = TestSupport::CellGrid::make(3, 3, 3, [](unsigned, unsigned, unsigned) { return 1u; });
    const AtomGeometry none = atomsOf(*v, flags(true, true));
    EXPECT_TRUE(none.atoms.empty());
    EXPECT_FALSE(none.parts.atoms) << "no lattice: nothing to show";
    EXPECT_TRUE(v->rebuildSiLattice());
    EXPECT_TRUE(atomsOf(*v, AtomViewFlags()).atoms.empty());
    EXPECT_FALSE(atomsOf(*v, flags(false)).atoms.empty());
}

TEST(ClipPlanes, PlanesAreNormalisedAndNeitherDirectionlessNorRepeated)
{
    ClipPlanes planes;
    EXPECT_TRUE(planes.isVisible({1e6f, -1e6f, 0}));
    EXPECT_TRUE(planes.add(0, 0, 3, -4));
    ASSERT_EQ(planes.planes().size(), 1u);
    EXPECT_DOUBLE_EQ(planes.planes()[0][2], 0.6);
    EXPECT_DOUBLE_EQ(planes.planes()[0][3], -0.8);
    EXPECT_FALSE(planes.add(0, 0, 6, -8)) << "the same plane scaled";
    EXPECT_FALSE(planes.add(0, 0, 1e-4, 1)) << "no direction";
    EXPECT_EQ(planes.planes().size(), 1u);
    EXPECT_TRUE(planes.isVisible({5, -7, 1.33f})) << "3z - 4 < 0";
    EXPECT_FALSE(planes.isVisible({0, 0, 1.34f}));
}

// Cut limits are cell indices, atoms are in world units: a volume lying away
// from the origin with half-size cells shows exactly the atoms of its cut.
TEST(AtomGeometry, CutLimitsHideTheAtomsOutsideTheRangeOfAMovedFinerVolume)
{
    auto v = TestSupport::CellGrid::make(8, 8, 8, [](unsigned, unsigned, unsigned) { return 1u; }, {0.5f, 0.5f, 0.5f});
    v->moveBy(Util::Vector3D(10, -5, 3));
    ASSERT_TRUE(v->rebuildSiLattice());
    v->moveBy(Util::Vector3D(-4, 2, 1)); // moved again after the lattice was built
    v->painter().setDrawRange({2, 1, 0}, {6, 8, 4});
    const AtomGeometry geometry = atomsOf(*v, flags(false));

    auto inCut = [](const Point &p) {
        return p[0] >= 1.0f - 1e-4f && p[0] <= 3.0f + 1e-4f && p[1] >= 0.5f - 1e-4f && p[1] <= 4.0f + 1e-4f
               && p[2] >= -1e-4f && p[2] <= 2.0f + 1e-4f;
    };
    std::size_t expected = 0;
    {
        Model::Automaton::LockedCells cells(*v);
        Model::Geometry::LatticeWalk(*v, *v->siLattice()).forEachAtom([&](const Model::Geometry::LatticeAtom &atom) {
            if (atom.state != 0 && inCut(atom.position))
                ++expected;
        });
    }
    ASSERT_GT(expected, 0u);
    EXPECT_EQ(geometry.atoms.size(), expected);
    for (const auto &atom : geometry.atoms)
        EXPECT_TRUE(inCut(atom.position)) << atom.position[0] << ", " << atom.position[1] << ", " << atom.position[2];
}

TEST(AtomGeometry, AtomsAreGivenFromTheVolumesCornerWhereverItLies)
{
    auto v = siliconSlab(4, 3, 3, {0.5f, 0.5f, 0.5f});
    const AtomGeometry before = atomsOf(*v, flags(false));
    v->moveBy(Util::Vector3D(7, 8, 9));
    const AtomGeometry after = atomsOf(*v, flags(false));
    ASSERT_EQ(before.atoms.size(), after.atoms.size());
    float lowest = 1e9f;
    for (std::size_t i = 0; i < before.atoms.size(); ++i) {
        EXPECT_EQ(before.atoms[i].position, after.atoms[i].position);
        lowest = std::min(lowest, before.atoms[i].position[2]);
    }
    EXPECT_FLOAT_EQ(lowest, 0.0f) << "the lowest atoms lie on the volume's bottom";
}

TEST(GeodesicSphere, ThreeHundredTwentyOutwardTrianglesOnTheUnitSphere)
{
    const auto &sphere = Model::Geometry::GeodesicSphere::triangles();
    ASSERT_EQ(sphere.size(), 320u * 3);
    for (std::size_t i = 0; i < sphere.size(); i += 3) {
        const Point &a = sphere[i], &b = sphere[i + 1], &c = sphere[i + 2];
        for (const Point *p : {&a, &b, &c})
            EXPECT_NEAR((*p)[0] * (*p)[0] + (*p)[1] * (*p)[1] + (*p)[2] * (*p)[2], 1.0f, 1e-5f);
        const Point u{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, w{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const Point n{u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        EXPECT_GT(n[0] * a[0] + n[1] * a[1] + n[2] * a[2], 0.0f) << "counter-clockwise seen from outside";
    }
}

// A step lays a new lattice on a pool thread while the view reads the old
// one: the pointer changes hands under the volume's mutex, and the atoms are
// only read while the cells are held.
TEST(AtomGeometry, ViewReadsTheLatticeWhileAStepLaysANewOne)
{
    auto v = siliconSlab(4, 3, 3);
    std::atomic<bool> done{false};
    std::thread step([&] {
        for (int i = 0; i < 15; ++i)
            v->rebuildSiLattice();
        done = true;
    });
    VolumeViewOptions options = v->viewOptions();
    options.atomView = flags(true, true);
    int reads = 0;
    // At least one read, also when the step ends before the view gets a turn.
    while (!done || reads == 0) {
        Model::Automaton::LockedCells cells(*v, std::try_to_lock);
        if (!cells.ownsCells())
            continue;
        const AtomGeometry geometry = AtomGeometryBuilder::build(*v, options);
        EXPECT_TRUE(geometry.atoms.empty() || geometry.atoms.size() > 10u);
        ++reads;
    }
    step.join();
    EXPECT_TRUE(v->siLattice());
    EXPECT_GT(reads, 0);
}

