#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"
#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"
#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

#include "../RecordingOperation.h"

#include <gtest/gtest.h>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Lines = std::vector<std::string>;

namespace {

boost::shared_ptr<TotalVolume> siliconSlab()
{
    std::vector<std::uint32_t> m(8 * 8 * 8, 0);
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = i % 8 < 4 ? 1u : 0u;
    return boost::make_shared<TotalVolume>(8, 8, 8, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
}

class WetEtchOperationTest : public ::testing::Test
{
protected:
    WetEtchOperationTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    }

    template<typename OperationT>
    boost::shared_ptr<OperationT> start(unsigned id)
    {
        context.startOperation(id);
        return boost::dynamic_pointer_cast<OperationT>(context.currentOperation());
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
};

} // namespace

TEST_F(WetEtchOperationTest, TheOnlyVolumeIsTakenAndEtched)
{
    const auto volume = siliconSlab();
    context.document().addObject(volume);
    const auto before = volume->materials();
    auto op = start<AtomisticSiWetEtchingOperation>(AtomisticWetEtchingId);
    ASSERT_TRUE(op);
    EXPECT_EQ(lines->lines, Lines{"BCA Wet Etch: Cell volume selected."});
    EXPECT_EQ(op->volume(), volume);
    EXPECT_FALSE(op->targetFromSelection());

    op->setDepth(1.0);
    op->end();
    EXPECT_EQ(lines->lines.back(), "BCA Wet Etch: Operation finished.");
    EXPECT_NE(volume->materials(), before);
    EXPECT_TRUE(volume->siLattice());
    EXPECT_FALSE(context.processRecords().needsSiLatticeRebuild(volume->id()));
    EXPECT_EQ(context.processRecords().lastOperation(volume->id()), int(AtomisticWetEtchingId));
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoCount(), 0u) << "wet etching is not undoable";
}

TEST_F(WetEtchOperationTest, SeveralVolumesAskForAPick)
{
    const auto first = siliconSlab();
    const auto second = siliconSlab();
    context.document().addObject(first);
    context.document().addObject(second);
    auto op = start<ContinousWetEtchOperation>(ContinuousWetEtchingId);
    EXPECT_EQ(lines->lines, Lines{"Continuous Wet Etch: Select a cell volume and press Enter/Return."});
    EXPECT_TRUE(context.selectionManager().mode());
    context.selectionManager().toggle({second->id()});
    context.consoleInput().processLine("");
    EXPECT_EQ(lines->lines.back(), "Continuous Wet Etch: Cell volume selected.");
    EXPECT_EQ(op->volume(), second);
    EXPECT_TRUE(op->targetFromSelection());
    EXPECT_FALSE(second->isSelected());
}

TEST_F(WetEtchOperationTest, EndingWithoutADepthCancelsAndChangesNothing)
{
    const auto volume = siliconSlab();
    context.document().addObject(volume);
    const auto before = volume->materials();
    auto op = start<AtomisticSiWetEtchingOperation>(AtomisticWetEtchingId);
    op->end();
    EXPECT_EQ(lines->lines.back(), "BCA Wet Etch: Operation canceled.");
    EXPECT_EQ(volume->materials(), before);
    EXPECT_FALSE(volume->siLattice());
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(WetEtchOperationTest, SecondContinuousRunReusesTheLatticeAndResetsOccupations)
{
    const auto volume = siliconSlab();
    context.document().addObject(volume);
    auto first = start<ContinousWetEtchOperation>(ContinuousWetEtchingId);
    first->setDepth(0.5);
    first->end();
    const auto lattice = volume->siLattice();
    ASSERT_TRUE(lattice);

    auto second = start<ContinousWetEtchOperation>(ContinuousWetEtchingId);
    second->setDepth(0.1); // no step: only the initialisation runs
    second->end();
    EXPECT_EQ(volume->siLattice(), lattice) << "not stale: the lattice is reused";
    for (const auto &entry : lattice->cells()) {
        for (const auto &atom : entry.second->atoms()) {
            if (atom->state() == 1) {
                ASSERT_EQ(atom->occupation(), 1.0f);
            }
        }
    }

    context.processRecords().setSiLatticeStale(volume->id(), true);
    auto third = start<ContinousWetEtchOperation>(ContinuousWetEtchingId);
    third->setDepth(0.1);
    third->end();
    EXPECT_NE(volume->siLattice(), lattice) << "a stale lattice is rebuilt";
    EXPECT_FALSE(context.processRecords().needsSiLatticeRebuild(volume->id()));
}
