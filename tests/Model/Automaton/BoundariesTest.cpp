// The boundaries of a cell volume: where a neighbour lookup beyond a side
// face lands, and the names documents and lists keep them by.
#include "Model/Automaton/Boundaries.h"
#include "Model/Automaton/TotalVolume.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Model::Automaton;

TEST(Boundaries, MirrorReflectsAtTheFacePeriodicWrapsAndClosedHasNoCell)
{
    const int size = 4;
    for (int inside = 0; inside < size; ++inside)
        for (const SideBoundary b : {SideBoundary::Closed, SideBoundary::Mirror, SideBoundary::Periodic})
            EXPECT_EQ(sideNeighbour(inside, size, b), inside);
    // Cells -3 .. -1 and 4 .. 6 outside a row of 4.
    EXPECT_EQ(sideNeighbour(-1, size, SideBoundary::Mirror), 0);
    EXPECT_EQ(sideNeighbour(-3, size, SideBoundary::Mirror), 2);
    EXPECT_EQ(sideNeighbour(4, size, SideBoundary::Mirror), 3);
    EXPECT_EQ(sideNeighbour(6, size, SideBoundary::Mirror), 1);
    EXPECT_EQ(sideNeighbour(9, size, SideBoundary::Mirror), 1) << "beyond the mirror image: the window again";
    EXPECT_EQ(sideNeighbour(-1, size, SideBoundary::Periodic), 3);
    EXPECT_EQ(sideNeighbour(4, size, SideBoundary::Periodic), 0);
    EXPECT_EQ(sideNeighbour(-9, size, SideBoundary::Periodic), 3);
    EXPECT_EQ(sideNeighbour(-1, size, SideBoundary::Closed), -1);
    EXPECT_EQ(sideNeighbour(4, size, SideBoundary::Closed), -1);
    EXPECT_EQ(sideNeighbour(-1, 1, SideBoundary::Mirror), 0);
    EXPECT_EQ(sideNeighbour(5, 1, SideBoundary::Periodic), 0);
}

TEST(Boundaries, NamesReadBackAndNewVolumesAreWindowsOfAWafer)
{
    for (const SideBoundary b : {SideBoundary::Closed, SideBoundary::Mirror, SideBoundary::Periodic}) {
        SideBoundary read = SideBoundary::Closed;
        ASSERT_TRUE(Boundaries::parse(Boundaries::name(b), &read));
        EXPECT_EQ(read, b);
    }
    TopBoundary top = TopBoundary::Closed;
    EXPECT_TRUE(Boundaries::parse(QStringLiteral("Open"), &top));
    EXPECT_EQ(top, TopBoundary::Open);
    SideBoundary side = SideBoundary::Mirror;
    EXPECT_FALSE(Boundaries::parse(QStringLiteral("mirror"), &side)) << "names are case-sensitive";
    EXPECT_FALSE(Boundaries::parse(QStringLiteral("Open"), &side));
    EXPECT_EQ(side, SideBoundary::Mirror);

    EXPECT_EQ(Boundaries::ofNewVolume().describe(), "x Mirror, y Mirror, top Open");
    EXPECT_TRUE(Boundaries().isClosed());

    TotalVolume volume(2, 2, 2, 1, 1, 1, Util::Vector3D(), std::vector<std::uint32_t>(8, 1));
    EXPECT_TRUE(volume.boundaries().isClosed()) << "a volume is closed unless told";
    volume.setBoundaries({SideBoundary::Periodic, SideBoundary::Mirror, TopBoundary::Open});
    const std::unique_ptr<TotalVolume> copy(volume.clone());
    EXPECT_EQ(copy->boundaries(), volume.boundaries()) << "a copy is a window of the same wafer";
}
