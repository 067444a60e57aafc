#include "Model/Automaton/TotalVolume.h"

#include <boost/shared_ptr.hpp>

#include <gtest/gtest.h>

#include <memory>

using Model::Automaton::CellRange;
using Model::Automaton::LockedCellArrays;
using Model::Automaton::LockedCells;
using Model::Automaton::TotalVolume;
using Model::Automaton::SurfaceGenerationAlgorithm;
using Model::Automaton::VolumeViewOptions;
using Model::Automaton::Voxel;

namespace {

// Material id of cell (x, y, z) in the test volumes: unique per cell.
std::uint32_t code(unsigned x, unsigned y, unsigned z)
{
    return 100 * x + 10 * y + z + 1;
}

// A 3 x 2 x 4 volume whose material list was built with the cell-index
// formula, so every cell can be recognised by its id.
std::unique_ptr<TotalVolume> codedVolume()
{
    const unsigned sx = 3, sy = 2, sz = 4;
    std::vector<std::uint32_t> materials(sx * sy * sz);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z)
                materials[z + sz * (y + sy * x)] = code(x, y, z);
    return std::make_unique<TotalVolume>(sx, sy, sz, 1.0f, 0.5f, 2.0f, Util::Vector3D(1, 2, 3), materials);
}

} // namespace

TEST(TotalVolume, CellIndexRunsZFastestThenYThenX)
{
    auto volume = codedVolume();
    EXPECT_EQ(volume->cellIndex(0, 0, 1), 1u);
    EXPECT_EQ(volume->cellIndex(0, 1, 0), 4u);
    EXPECT_EQ(volume->cellIndex(1, 0, 0), 8u);

    LockedCellArrays arrays(*volume);
    for (unsigned x = 0; x < 3; ++x)
        for (unsigned y = 0; y < 2; ++y)
            for (unsigned z = 0; z < 4; ++z) {
                const std::size_t i = volume->cellIndex(x, y, z);
                EXPECT_EQ(arrays.current()[i].material, code(x, y, z));
                // Both arrays start from the same list, atoms uncounted.
                EXPECT_EQ(arrays.working()[i].material, code(x, y, z));
                EXPECT_EQ(arrays.current()[i].siAtomCount, 0);
            }
}

TEST(TotalVolume, OneCellVolumeHasOneVoxelInEachArray)
{
    TotalVolume volume(1, 1, 1, 1, 1, 1, Util::Vector3D(), {7});
    EXPECT_EQ(volume.cellCount(), 1u);
    LockedCellArrays arrays(volume);
    EXPECT_EQ(arrays.current()[0].material, 7u);
    EXPECT_EQ(arrays.working()[0].material, 7u);
}

TEST(TotalVolume, ShortMaterialListLeavesTheRestEmpty)
{
    TotalVolume volume(2, 2, 1, 1, 1, 1, Util::Vector3D(), {5});
    EXPECT_EQ(volume.materials(), (std::vector<std::uint32_t>{5, 0, 0, 0}));
}

TEST(TotalVolume, CloneCopiesGeometryAndMaterialsOnly)
{
    auto volume = codedVolume();
    {
        LockedCells cells(*volume);
        cells[0].fixed = 1;
        cells[0].dx = 3.0f;
        cells[0].siAtomCount = 5;
    }
    volume->setTopMask({true, false, true, true}, 2, 2);
    volume->setBottomMask({true}, 1, 1);

    boost::shared_ptr<TotalVolume> copy(volume->clone());

    EXPECT_NE(copy->id(), volume->id());
    EXPECT_EQ(copy->sizeX(), 3u);
    EXPECT_EQ(copy->sizeY(), 2u);
    EXPECT_EQ(copy->sizeZ(), 4u);
    EXPECT_EQ(copy->cellsizeX(), 1.0f);
    EXPECT_EQ(copy->cellsizeY(), 0.5f);
    EXPECT_EQ(copy->cellsizeZ(), 2.0f);
    EXPECT_EQ(copy->position(), Util::Vector3D(1, 2, 3));
    EXPECT_EQ(copy->materials(), volume->materials());
    EXPECT_FALSE(copy->siLattice());
    EXPECT_EQ(copy->topMask().bitCount(), 0u);
    EXPECT_EQ(copy->bottomMask().bitCount(), 0u);
    LockedCells cells(*copy);
    EXPECT_EQ(cells[0].fixed, 0);
    EXPECT_EQ(cells[0].dx, 0.0f);
    EXPECT_EQ(cells[0].siAtomCount, 0);
}

TEST(TotalVolume, CloneReleasesTheCellLockOfTheOriginal)
{
    auto volume = codedVolume();
    delete volume->clone();
    // A second pass over the cells must not wait for a lock the clone kept.
    delete volume->clone();
    LockedCells cells(*volume);
    EXPECT_EQ(cells[0].material, code(0, 0, 0));
}

TEST(TotalVolume, SwapExchangesArraysWithoutCopying)
{
    TotalVolume volume(2, 1, 1, 1, 1, 1, Util::Vector3D(), {1, 2});
    Voxel *current = volume.lockCells();
    Voxel *working = volume.lockWorkingCells();
    working[0].material = 9;
    volume.unlockWorkingCells();
    volume.unlockCells();

    volume.swapCells();
    EXPECT_EQ(volume.lockCells(), working);
    volume.unlockCells();
    EXPECT_EQ(volume.lockWorkingCells(), current);
    volume.unlockWorkingCells();
    EXPECT_EQ(volume.materials(), (std::vector<std::uint32_t>{9, 2}));

    volume.swapCells();
    EXPECT_EQ(volume.lockCells(), current);
    volume.unlockCells();
    EXPECT_EQ(volume.materials(), (std::vector<std::uint32_t>{1, 2}));
}

TEST(TotalVolume, IdsIncreaseAndAreNeverReused)
{
    unsigned previous;
    {
        TotalVolume first(1, 1, 1, 1, 1, 1, Util::Vector3D(), {0});
        previous = first.id();
    }
    for (int i = 0; i < 5; ++i) {
        TotalVolume next(1, 1, 1, 1, 1, 1, Util::Vector3D(), {0});
        EXPECT_GT(next.id(), previous);
        previous = next.id();
    }
}

TEST(TotalVolume, MoveByAddsEveryComponent)
{
    TotalVolume volume(1, 1, 1, 1, 1, 1, Util::Vector3D(1, 1, 1, 0), {0});
    volume.moveBy(Util::Vector3D(2, -3, 0.5, 1));
    EXPECT_EQ(volume.position(), Util::Vector3D(3, -2, 1.5, 1));
}

TEST(TotalVolume, MasksCopyTheirBitsAndClearToZero)
{
    TotalVolume volume(1, 1, 1, 1, 1, 1, Util::Vector3D(), {0});
    std::vector<bool> bits{true, true, false};
    volume.setTopMask(bits, 3, 1);
    bits[0] = false;
    EXPECT_TRUE(volume.topMask().bits[0]);
    EXPECT_EQ(volume.topMask().width, 3);
    EXPECT_EQ(volume.topMask().height, 1);

    volume.clearTopMask();
    EXPECT_EQ(volume.topMask().bits, std::vector<bool>(3, false));
    EXPECT_EQ(volume.topMask().bitCount(), 3u);
    EXPECT_EQ(volume.bottomMask().bitCount(), 0u);
}

TEST(TotalVolume, ViewOptionsStartWholeAndKeepTheDrawRangeWithinTheVolume)
{
    auto volume = codedVolume();
    VolumeViewOptions expected;
    expected.drawRange = CellRange::whole(3, 2, 4);
    EXPECT_EQ(volume->viewOptions(), expected);
    EXPECT_TRUE(expected.atomView.surfaceAtomsOnly);

    auto painter = volume->painter();
    painter.setDrawRange({-1, 1, 2}, {9, 0, 3});
    EXPECT_EQ(painter.drawLower(), (std::array<int, 3>{0, 1, 2}));
    EXPECT_EQ(painter.drawUpper(), (std::array<int, 3>{3, 1, 3})) << "an upper corner below the lower one empties y";
    painter.setAlgorithm(SurfaceGenerationAlgorithm::OctreeSurface);
    painter.setRenderEmptyVoxelOutlines(true);
    painter.setPaintingSuspended(true);
    Model::Automaton::AtomViewFlags atoms;
    atoms.atoms = atoms.unitCells = true;
    painter.setAtomViewFlags(atoms);
    EXPECT_EQ(painter.algorithm(), SurfaceGenerationAlgorithm::OctreeSurface);
    EXPECT_TRUE(painter.rendersEmptyVoxelOutlines());
    EXPECT_TRUE(painter.isPaintingSuspended());
    EXPECT_EQ(painter.atomViewFlags(), atoms);

    boost::shared_ptr<TotalVolume> copy(volume->clone());
    EXPECT_EQ(copy->viewOptions(), expected) << "a copy is shown whole, as a new volume";

    VolumeViewOptions beyond;
    beyond.drawRange = CellRange{{-3, -3, -3}, {99, 99, 99}};
    volume->setViewOptions(beyond);
    EXPECT_EQ(volume->viewOptions(), expected) << "an operation cannot cut beyond the volume";
}

TEST(TotalVolume, RebuildingOnlyCountsAChangeOfTheCells)
{
    auto volume = codedVolume();
    const std::uint64_t before = volume->cellsGeneration();
    const std::vector<std::uint32_t> materials = volume->materials();
    volume->painter().rebuildAll();
    EXPECT_EQ(volume->cellsGeneration(), before + 1);
    volume->markCellsChanged();
    EXPECT_EQ(volume->cellsGeneration(), before + 2);
    volume->painter().setAlgorithm(SurfaceGenerationAlgorithm::OctreeSurface);
    EXPECT_EQ(volume->cellsGeneration(), before + 2) << "options are no change of the cells";
    EXPECT_EQ(volume->materials(), materials);
}

TEST(TotalVolume, TryingTheCellsNeitherWaitsForNorReleasesAPassThatHoldsThem)
{
    auto volume = codedVolume();
    {
        LockedCellArrays step(*volume);
        {
            LockedCells view(*volume, std::try_to_lock);
            EXPECT_FALSE(view.ownsCells());
        }
        LockedCells again(*volume, std::try_to_lock);
        EXPECT_FALSE(again.ownsCells()) << "the failed try left the step's lock alone";
    }
    LockedCells view(*volume, std::try_to_lock);
    ASSERT_TRUE(view.ownsCells());
    EXPECT_EQ(view[0].material, code(0, 0, 0));
}
