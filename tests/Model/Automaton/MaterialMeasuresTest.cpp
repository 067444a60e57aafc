#include "Model/Automaton/MaterialMeasures.h"

#include <gtest/gtest.h>

using namespace Model::Automaton;

namespace {

// Cells of a 3 x 2 x 4 block, laid out as a volume lays them: z fastest.
struct Block
{
    CellSizes sizes{3, 2, 4};
    std::vector<std::uint32_t> cells = std::vector<std::uint32_t>(3 * 2 * 4, 0);
    std::uint32_t &at(unsigned x, unsigned y, unsigned z) { return cells[z + sizes.z * (y + sizes.y * x)]; }
};

} // namespace

TEST(MaterialMeasures, ExtentAndColumnTopsOfEachMaterial)
{
    Block block;
    // Material 1 fills the bottom layer and rises to z 2 in column (2, 1);
    // material 5 sits on top of it in column (0, 0) only, above a gap.
    for (unsigned x = 0; x < 3; ++x)
        for (unsigned y = 0; y < 2; ++y)
            block.at(x, y, 0) = 1;
    block.at(2, 1, 1) = 1;
    block.at(2, 1, 2) = 1;
    block.at(0, 0, 3) = 5;

    const std::vector<MaterialMeasure> measures = measureMaterials(block.cells, block.sizes);
    ASSERT_EQ(measures.size(), 2u);
    const MaterialMeasure &base = measures[0];
    EXPECT_EQ(base.material, 1u);
    EXPECT_EQ(base.cells, 8u);
    EXPECT_EQ(base.first[0], 0u);
    EXPECT_EQ(base.last[0], 2u);
    EXPECT_EQ(base.last[1], 1u);
    EXPECT_EQ(base.first[2], 0u);
    EXPECT_EQ(base.last[2], 2u);
    EXPECT_EQ(base.lowestTop, 1u);
    EXPECT_EQ(base.highestTop, 3u);

    const MaterialMeasure &cap = measures[1];
    EXPECT_EQ(cap.material, 5u);
    EXPECT_EQ(cap.cells, 1u);
    EXPECT_EQ(cap.first[2], 3u);
    EXPECT_EQ(cap.lowestTop, 4u);
    EXPECT_EQ(cap.highestTop, 4u);
}

TEST(MaterialMeasures, AMaterialSplitInOneColumnCountsItsHighestCell)
{
    Block block;
    block.at(1, 1, 0) = 2;
    block.at(1, 1, 1) = 3;
    block.at(1, 1, 2) = 2;
    const std::vector<MaterialMeasure> measures = measureMaterials(block.cells, block.sizes);
    ASSERT_EQ(measures.size(), 2u);
    EXPECT_EQ(measures[0].cells, 2u);
    EXPECT_EQ(measures[0].lowestTop, 3u);
    EXPECT_EQ(measures[1].highestTop, 2u);
}

TEST(MaterialMeasures, EmptyCellsHaveNoMeasure)
{
    Block block;
    EXPECT_TRUE(measureMaterials(block.cells, block.sizes).empty());
}

TEST(MaterialChanges, EachChangedCellIsLostByOneMaterialAndGainedByAnother)
{
    const std::vector<std::uint32_t> before{1, 1, 0, 0, 2};
    const std::vector<std::uint32_t> after{1, 3, 3, 0, 0};
    const std::vector<MaterialChange> changes = materialChanges(before, after);
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[0].material, 0u); // one emptied, one filled
    EXPECT_EQ(changes[0].gained, 1u);
    EXPECT_EQ(changes[0].lost, 1u);
    EXPECT_EQ(changes[1].material, 1u);
    EXPECT_EQ(changes[1].lost, 1u);
    EXPECT_EQ(changes[2].material, 2u);
    EXPECT_EQ(changes[2].lost, 1u);
    EXPECT_EQ(changes[3].material, 3u);
    EXPECT_EQ(changes[3].gained, 2u);
    EXPECT_TRUE(materialChanges(after, after).empty());
}

TEST(MaterialChanges, ANewVolumeIsGainedWhole)
{
    const std::vector<MaterialChange> changes = materialChanges({}, {0, 1, 1});
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].gained, 1u);
    EXPECT_EQ(changes[1].gained, 2u);
    EXPECT_EQ(changes[1].lost, 0u);
}
