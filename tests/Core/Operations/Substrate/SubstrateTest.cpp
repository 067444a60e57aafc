#include "Core/Operations/Substrate/CreateSubstrateOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Substrate/SubstrateShape.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

using Core::Operations::CreateSubstrateOperation;
using Core::Operations::OperationContext;
using Core::Operations::SubstrateShape;
using Model::Automaton::TotalVolume;

namespace {

std::size_t cellIndex(const SubstrateShape &s, unsigned x, unsigned y, unsigned z)
{
    return z + std::size_t(s.sizeZ) * (y + std::size_t(s.sizeY) * x);
}

} // namespace

TEST(SubstrateShape, DefaultsFillTheLowestThirtyLayersOfEveryColumn)
{
    SubstrateShape shape;
    shape.material = 1;
    const auto materials = shape.materials();
    ASSERT_EQ(materials.size(), 100u * 100u * 80u);
    for (unsigned x = 0; x < 100; x += 9)
        for (unsigned y = 0; y < 100; y += 11)
            for (unsigned z = 0; z < 80; ++z)
                ASSERT_EQ(materials[cellIndex(shape, x, y, z)], z < 30 ? 1u : 0u) << x << "," << y << "," << z;
    std::size_t filled = 0;
    for (std::uint32_t m : materials)
        filled += m != 0;
    EXPECT_EQ(filled, 100u * 100u * 30u);
}

TEST(SubstrateShape, DisplacedBoxStartsAtItsCornerAndIsClippedByTheVolume)
{
    SubstrateShape shape;
    shape.material = 7;
    shape.sizeX = 4;
    shape.sizeY = 3;
    shape.sizeZ = 5;
    shape.boxX = 1;
    shape.boxY = 2;
    shape.boxZ = 3;
    shape.boxSizeX = 2;
    shape.boxSizeY = 5; // reaches past the volume: clipped
    shape.boxSizeZ = 1;
    const auto materials = shape.materials();
    for (unsigned x = 0; x < 4; ++x)
        for (unsigned y = 0; y < 3; ++y)
            for (unsigned z = 0; z < 5; ++z) {
                const bool inside = x >= 1 && x < 3 && y == 2 && z == 3;
                EXPECT_EQ(materials[cellIndex(shape, x, y, z)], inside ? 7u : 0u) << x << "," << y << "," << z;
            }
}

TEST(SubstrateShape, SphereOfRadiusOneAtTheOriginFillsFourCells)
{
    SubstrateShape shape;
    shape.material = 1;
    shape.sizeX = shape.sizeY = shape.sizeZ = 4;
    shape.spherical = true;
    shape.radius = 1;
    const auto materials = shape.materials();
    std::vector<std::size_t> filled;
    for (std::size_t i = 0; i < materials.size(); ++i)
        if (materials[i])
            filled.push_back(i);
    EXPECT_EQ(filled, (std::vector<std::size_t>{cellIndex(shape, 0, 0, 0), cellIndex(shape, 0, 0, 1),
                                                 cellIndex(shape, 0, 1, 0), cellIndex(shape, 1, 0, 0)}));
}

TEST(SubstrateShape, SphereIncludesItsBoundaryAndIsClipped)
{
    SubstrateShape shape;
    shape.material = 2;
    shape.sizeX = 7;
    shape.sizeY = 7;
    shape.sizeZ = 3;
    shape.spherical = true;
    shape.radius = 3;
    shape.centreX = shape.centreY = 3;
    shape.centreZ = 1;
    const auto materials = shape.materials();
    EXPECT_EQ(materials[cellIndex(shape, 0, 3, 1)], 2u) << "distance exactly 3";
    EXPECT_EQ(materials[cellIndex(shape, 1, 1, 1)], 2u) << "distance sqrt(8)";
    EXPECT_EQ(materials[cellIndex(shape, 0, 1, 1)], 0u) << "distance sqrt(13)";
    EXPECT_EQ(materials[cellIndex(shape, 3, 3, 2)], 2u);
}

TEST(VolumeMemory, ImpossibleSizesAreRefusedWithTheMemoryTheyNeed)
{
    std::string problem;
    EXPECT_FALSE(Model::Automaton::VolumeMemory::fits(10000, 10000, 10000, &problem));
    EXPECT_NE(problem.find("10000 x 10000 x 10000"), std::string::npos) << problem;
    EXPECT_NE(problem.find("TB of memory"), std::string::npos) << problem;

    std::uint64_t bytes = 0;
    EXPECT_FALSE(Model::Automaton::VolumeMemory::requiredBytes(~0ull, ~0ull, 2, bytes));
    EXPECT_FALSE(Model::Automaton::VolumeMemory::fits(4294967295u, 4294967295u, 4294967295u, &problem));
    EXPECT_NE(problem.find("more memory than any computer can address"), std::string::npos) << problem;

    EXPECT_TRUE(Model::Automaton::VolumeMemory::fits(100, 100, 80));
    EXPECT_EQ(Model::Automaton::VolumeMemory::describeBytes(512), "512 bytes");
    EXPECT_EQ(Model::Automaton::VolumeMemory::describeBytes(1.5 * 1024 * 1024), "1.5 MB");
}

namespace {

class CreateSubstrateTest : public ::testing::Test
{
protected:
    CreateSubstrateTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Core::Operations::OperationFactory>(&context));
    }

    // Starts the operation and accepts options as the dialog would.
    boost::shared_ptr<CreateSubstrateOperation> create(unsigned sx, unsigned sy, unsigned sz)
    {
        context.startOperation(Core::Operations::CreateSubstrateId);
        auto op = boost::dynamic_pointer_cast<CreateSubstrateOperation>(context.currentOperation());
        EXPECT_TRUE(op);
        if (!op)
            return op;
        EXPECT_EQ(op->state(), CreateSubstrateOperation::WaitingForOptions);
        SubstrateShape shape;
        shape.material = 1;
        shape.sizeX = shape.boxSizeX = sx;
        shape.sizeY = shape.boxSizeY = sy;
        shape.sizeZ = sz;
        shape.boxSizeZ = sz / 2;
        shape.position = Util::Vector3D(5, 6, 7);
        op->setShape(shape);
        op->execute();
        return op;
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
};

} // namespace

TEST_F(CreateSubstrateTest, AcceptedOptionsAddTheVolumeAndRecordTheOperation)
{
    auto op = create(10, 8, 6);
    ASSERT_TRUE(op->createdVolume());
    EXPECT_EQ(lines->lines, std::vector<std::string>{"Create Substrate: substrate created successfully."});
    const auto objects = context.document().allObjects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0], op->createdVolume());
    EXPECT_EQ(op->createdVolume()->position(), Util::Vector3D(5, 6, 7));
    EXPECT_EQ(op->createdVolume()->cellsizeX(), 1.0f);
    EXPECT_EQ(context.history().undoTitle(), "Create Substrate");
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(CreateSubstrateTest, UndoRemovesAndRedoRestoresTheSameVolume)
{
    auto op = create(4, 4, 4);
    const auto volume = op->createdVolume();
    ASSERT_TRUE(context.history().undo());
    EXPECT_TRUE(context.document().allObjects().empty());
    ASSERT_TRUE(context.history().redo());
    ASSERT_EQ(context.document().allObjects().size(), 1u);
    EXPECT_EQ(context.document().allObjects()[0], volume) << "the same object, not a copy";
}

TEST_F(CreateSubstrateTest, CancelIsSilentAndAddsNothing)
{
    context.startOperation(Core::Operations::CreateSubstrateId);
    context.cancelCurrentOperation();
    EXPECT_TRUE(lines->lines.empty());
    EXPECT_TRUE(context.document().allObjects().empty());
    EXPECT_EQ(context.history().undoCount(), 0u);
}

TEST_F(CreateSubstrateTest, VolumeTooLargeForMemoryIsRefusedWithALine)
{
    auto op = create(10000, 10000, 10000);
    EXPECT_FALSE(op->createdVolume());
    ASSERT_EQ(lines->lines.size(), 1u);
    EXPECT_EQ(lines->lines[0].rfind("Create Substrate: A cell volume of 10000 x 10000 x 10000 cells needs ", 0), 0u)
        << lines->lines[0];
    EXPECT_TRUE(context.document().allObjects().empty());
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_FALSE(context.currentOperation());
}
