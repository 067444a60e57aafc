// The vector-distance processes against hand-computed layers, and serial
// against threaded runs cell by cell (material, flag and vector).
#include "Core/Operations/Isotropic/Electrodeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"
#include "CellGrid.h"

#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using Core::Operations::Electrodeposition;
using Core::Operations::IsotropicFilmDeposition;
using Core::Operations::IsotropicFilmEtching;
using Core::Operations::VectorDistanceFront;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Copper = 5, Gold = 9;

using namespace TestSupport::CellGrid;

class IsotropicProcessesTest : public ::testing::Test
{
protected:
    ~IsotropicProcessesTest() override
    {
        QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount());
    }
};

} // namespace

TEST_F(IsotropicProcessesTest, StepCountGrowsWithThicknessOverTheSmallestEdge)
{
    EXPECT_EQ(VectorDistanceFront::stepCount(10, 1), 17);
    EXPECT_EQ(VectorDistanceFront::stepCount(10, 0.5f), 34);
    EXPECT_EQ(VectorDistanceFront::stepCount(2.5f, 1), 5);
    EXPECT_EQ(VectorDistanceFront::stepCount(0.5f, 1), 1);
    EXPECT_EQ(VectorDistanceFront::stepCount(0, 1), 0);
    EXPECT_EQ(VectorDistanceFront::stepCount(-3, 1), 0);
    EXPECT_GT(VectorDistanceFront::stepCount(1e9f, 1), 0) << "a huge thickness does not overflow";
}

TEST_F(IsotropicProcessesTest, DepositionOnAFlatTopAddsWholeLayers)
{
    const Fill flat = [](unsigned, unsigned, unsigned z) { return z < 4 ? Si : 0u; };
    for (int layers : {1, 3}) {
        auto v = make(6, 5, 12, flat);
        IsotropicFilmDeposition(*v, Oxide, float(layers)).runDeposition();
        for (unsigned x : {0u, 3u, 5u}) {
            const auto c = column(*v, x, 2);
            for (unsigned z = 0; z < 12; ++z) {
                const std::uint32_t expected = z < 4 ? Si : z < 4u + unsigned(layers) ? Oxide : 0u;
                EXPECT_EQ(c[z], expected) << layers << " layers, z = " << z;
            }
        }
    }
    auto thin = make(6, 5, 12, flat);
    IsotropicFilmDeposition(*thin, Oxide, 0.9f).runDeposition();
    EXPECT_EQ(at(*thin, 3, 2, 4), 0u) << "less than a cell adds nothing";

    auto tall = make(6, 5, 12, flat, {1, 1, 2});
    IsotropicFilmDeposition(*tall, Oxide, 4.0f).runDeposition();
    EXPECT_EQ(column(*tall, 2, 2), (std::vector<std::uint32_t>{Si, Si, Si, Si, Oxide, Oxide, 0, 0, 0, 0, 0, 0}))
        << "T = 2 cz adds two layers of cells of height 2";
}

TEST_F(IsotropicProcessesTest, DepositionRoundsAnEdgeAsAnOffsetSurface)
{
    // A single block: the film covers its faces by T and its corners by
    // less, since the front follows the Euclidean distance.
    auto v = make(9, 9, 9, [](unsigned x, unsigned y, unsigned z) {
        return x >= 3 && x < 6 && y >= 3 && y < 6 && z >= 3 && z < 6 ? Si : 0u;
    });
    IsotropicFilmDeposition(*v, Oxide, 2.0f).runDeposition();
    EXPECT_EQ(at(*v, 1, 4, 4), Oxide);
    EXPECT_EQ(at(*v, 0, 4, 4), 0u);
    EXPECT_EQ(at(*v, 2, 2, 4), Oxide) << "distance √2 from the edge";
    EXPECT_EQ(at(*v, 1, 1, 4), 0u) << "distance √8 from the edge";
}

TEST_F(IsotropicProcessesTest, TiesKeepTheLowerDirection)
{
    // The empty cell (1, 0, 1) has sources below (direction 0) and at -x
    // (direction 4) at the same distance: the vector points down.
    auto v = make(3, 1, 3, [](unsigned x, unsigned, unsigned z) { return z == 0 || x == 0 ? Si : 0u; });
    IsotropicFilmDeposition(*v, Oxide, 1.0f).runDeposition();
    Model::Automaton::LockedCells cells(*v);
    const Voxel &cell = cells[v->cellIndex(1, 0, 1)];
    EXPECT_EQ(cell.material, Oxide);
    EXPECT_EQ(cell.dz, -1.0f);
    EXPECT_EQ(cell.dx, 0.0f);
}

TEST_F(IsotropicProcessesTest, EtchingRemovesOnlyTheEtchedMaterial)
{
    // Oxide film (z 4..5) on Si; etch 3 of oxide: the film goes, Si stays.
    const Fill stack = [](unsigned, unsigned, unsigned z) { return z < 4 ? Si : z < 6 ? Oxide : 0u; };
    auto v = make(5, 4, 10, stack);
    IsotropicFilmEtching(*v, Oxide, 3.0f).runEtching();
    EXPECT_EQ(column(*v, 2, 2), (std::vector<std::uint32_t>{Si, Si, Si, Si, 0, 0, 0, 0, 0, 0}));

    auto partial = make(5, 4, 10, stack);
    IsotropicFilmEtching(*partial, Oxide, 1.0f).runEtching();
    EXPECT_EQ(column(*partial, 2, 2), (std::vector<std::uint32_t>{Si, Si, Si, Si, Oxide, 0, 0, 0, 0, 0}));

    auto untouched = make(5, 4, 10, stack);
    const auto before = cells(*untouched);
    IsotropicFilmEtching(*untouched, Gold, 5.0f).runEtching();
    const auto after = cells(*untouched);
    for (std::size_t i = 0; i < before.size(); ++i)
        ASSERT_EQ(after[i].material, before[i].material) << "no gold anywhere: nothing changes";
}

TEST_F(IsotropicProcessesTest, ElectroplatingGrowsOnlyFromTheConductor)
{
    // A copper pad in the middle of an oxide floor.
    auto v = make(9, 1, 6, [](unsigned x, unsigned, unsigned z) {
        if (z == 0)
            return x >= 3 && x < 6 ? Copper : Oxide;
        return 0u;
    });
    Electrodeposition(*v, Gold, Copper, 2.0f).runElectrodeposition();
    EXPECT_EQ(at(*v, 4, 0, 1), Gold);
    EXPECT_EQ(at(*v, 4, 0, 2), Gold);
    EXPECT_EQ(at(*v, 4, 0, 3), 0u);
    EXPECT_EQ(at(*v, 0, 0, 1), 0u) << "oxide is no source";
    for (unsigned x = 0; x < 9; ++x)
        EXPECT_EQ(at(*v, x, 0, 0), x >= 3 && x < 6 ? Copper : Oxide) << "other materials never change";
    // Distances add absolute steps: (2, 0, 1) from the pad corner is 1 + 1 = 2 away.
    EXPECT_EQ(at(*v, 2, 0, 1), Gold);
    EXPECT_EQ(at(*v, 1, 0, 1), 0u);
}

TEST_F(IsotropicProcessesTest, ZeroThicknessChangesNoCell)
{
    auto v = make(4, 4, 6, [](unsigned, unsigned, unsigned z) { return z < 2 ? Si : 0u; });
    IsotropicFilmDeposition(*v, Oxide, 0.0f).runDeposition();
    EXPECT_EQ(column(*v, 1, 1), (std::vector<std::uint32_t>{Si, Si, 0, 0, 0, 0}));
}

TEST_F(IsotropicProcessesTest, SingleStripAndThreadedRunsGiveIdenticalCells)
{
    const Fill trenches = [](unsigned x, unsigned y, unsigned z) {
        const bool trench = (x / 3) % 2 == 1 && y > 1 && y < 8;
        if (z < (trench ? 2u : 6u))
            return Si;
        return z < 7 && x % 7 == 0 ? Copper : 0u;
    };
    using Run = std::function<void(TotalVolume &)>;
    const std::pair<const char *, Run> processes[] = {
        {"deposition", [](TotalVolume &v) { IsotropicFilmDeposition(v, Oxide, 2.5f).runDeposition(); }},
        {"etching", [](TotalVolume &v) { IsotropicFilmEtching(v, Si, 3.0f).runEtching(); }},
        {"electroplating", [](TotalVolume &v) { Electrodeposition(v, Gold, Copper, 2.0f).runElectrodeposition(); }},
    };
    for (unsigned sx : {3u, 17u, 24u}) {
        for (const auto &process : processes) {
            QThreadPool::globalInstance()->setMaxThreadCount(1);
            auto serial = make(sx, 10, 12, trenches, {1.0f, 0.8f, 1.2f});
            process.second(*serial);
            const auto expected = cells(*serial);
            for (int threads : {2, 3, 5}) {
                QThreadPool::globalInstance()->setMaxThreadCount(threads);
                auto threaded = make(sx, 10, 12, trenches, {1.0f, 0.8f, 1.2f});
                process.second(*threaded);
                EXPECT_EQ(firstDifference(cells(*threaded), expected), "")
                    << process.first << ", " << sx << " planes, " << threads << " threads";
            }
        }
    }
}
