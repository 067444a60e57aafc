#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"
#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"
#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

#include "RecordingOperation.h"
#include "ScriptedInterrupter.h"

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

// The slab under an oxide mask with an opening over its middle: the etch
// stops at the (111) walls of a pit.
boost::shared_ptr<TotalVolume> maskedSlab()
{
    std::vector<std::uint32_t> m(8 * 8 * 8, 0);
    for (unsigned x = 0; x < 8; ++x)
        for (unsigned y = 0; y < 8; ++y)
            for (unsigned z = 0; z < 5; ++z) {
                const bool opening = x >= 2 && x < 6 && y >= 2 && y < 6;
                m[z + 8 * (y + 8 * x)] = z < 4 ? 1u : (opening ? 0u : 3u);
            }
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
    EXPECT_EQ(context.history().undoTitle(), "BCA Wet Etch") << "wet etching is undoable";
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
    for (std::size_t n = 0; n < lattice->cellCount(); ++n) {
        for (const auto &atom : lattice->cell(n).atoms()) {
            if (atom.state() == 1) {
                ASSERT_EQ(atom.occupation(), 1.0f);
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

// Invariants: a wet etching is one history entry like every step that
// changes cells, so undo steps back through it and then through the step
// before it; redo brings its cells back; restored cells outdate the lattice.
TEST_F(WetEtchOperationTest, UndoStepsBackThroughTheWetEtchingAndTheStepBefore)
{
    const auto volume = siliconSlab();
    context.document().addObject(volume);
    const auto initial = volume->materials();
    auto isotropic = start<IsotropicFilmEtchingOperation>(IsotropicEtchingId);
    ASSERT_TRUE(isotropic);
    isotropic->setThickness(1.0f);
    isotropic->setMaterialId(1);
    isotropic->end();
    const auto etched = volume->materials();
    ASSERT_NE(etched, initial);

    auto wet = start<AtomisticSiWetEtchingOperation>(AtomisticWetEtchingId);
    ASSERT_TRUE(wet);
    wet->setDepth(1.0);
    wet->end();
    const auto wetEtched = volume->materials();
    ASSERT_NE(wetEtched, etched);
    EXPECT_FALSE(context.processRecords().needsSiLatticeRebuild(volume->id()));

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->materials(), etched) << "undo takes back the wet etching only";
    EXPECT_TRUE(context.processRecords().needsSiLatticeRebuild(volume->id()));
    EXPECT_EQ(context.history().redoTitle(), "BCA Wet Etch");
    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->materials(), initial);

    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(volume->materials(), etched);
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(volume->materials(), wetEtched);

    // The continuous etching keeps records of its own: its undo finds one.
    auto continuous = start<ContinousWetEtchOperation>(ContinuousWetEtchingId);
    ASSERT_TRUE(continuous);
    continuous->setDepth(1.0);
    continuous->end();
    EXPECT_EQ(continuous->states().key(), "ContinuousWetEtch");
    EXPECT_NE(continuous->states().key(), wet->states().key());
    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(context.history().redoTitle(), "Continuous Wet Etch");
    EXPECT_EQ(context.history().undoTitle(), "BCA Wet Etch");
    EXPECT_EQ(volume->materials(), wetEtched);
}

// Invariants: an etch asked for far more depth than the silicon under the
// mask gives ends by itself once a step removes nothing; it says it
// finished, and it is one step of the history whose undo and redo give
// the cells before and after it.
TEST_F(WetEtchOperationTest, AnEtchThatCanRemoveNothingMoreEndsAsOneUndoableStep)
{
    const auto volume = maskedSlab();
    context.document().addObject(volume);
    const auto before = volume->materials();
    // The lattice is built in step 0; the etch, step 1, is asked to stop
    // should it take a thousand steps.
    context.setStepRunner(boost::make_shared<TestSupport::ScriptedStepRunner>(1, 1000));
    auto op = start<AtomisticSiWetEtchingOperation>(AtomisticWetEtchingId);
    ASSERT_TRUE(op);
    op->setDepth(1e6);
    op->end();
    EXPECT_EQ(lines->lines.back(), "BCA Wet Etch: Operation finished.");
    const auto etched = volume->materials();
    ASSERT_NE(etched, before);
    EXPECT_EQ(context.history().undoTitle(), "BCA Wet Etch");

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->materials(), before);
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(volume->materials(), etched);
}

// Cells too small for every one to hold an atom of the crystal would keep
// their silicon whatever the etch does: both etchings refuse them, naming
// the cell sizes that serve, and leave cells and history as they were.
// Larger cells are etched.
TEST_F(WetEtchOperationTest, CellsTooSmallForTheLatticeAreRefusedWithTheSizesThatServe)
{
    std::vector<std::uint32_t> m(16 * 16 * 16, 0);
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = i % 16 < 8 ? 1u : 0u;
    const struct
    {
        unsigned id;
        const char *title;
    } etchings[] = {{AtomisticWetEtchingId, "BCA Wet Etch"}, {ContinuousWetEtchingId, "Continuous Wet Etch"}};
    for (const auto &etching : etchings) {
        SCOPED_TRACE(etching.title);
        const auto fine = boost::make_shared<TotalVolume>(16, 16, 16, 0.5f, 0.5f, 0.5f, Util::Vector3D(), m);
        context.document().addObject(fine);
        const std::size_t undoCount = context.history().undoCount();
        // Once with the lattice to build, once with it built.
        for (int run = 0; run < 2; ++run) {
            auto op = start<SiWetEtchOperation>(etching.id);
            ASSERT_TRUE(op);
            op->setDepth(2.0);
            op->end();
            const std::string last = lines->lines.back();
            EXPECT_EQ(last.rfind(std::string(etching.title) + ": Cells of 0.5 x 0.5 x 0.5 units are too small for the Si lattice: ", 0), 0u) << last;
            EXPECT_NE(last.find("Cells at least 0.71 units wide in x and y and 0.25 units high always hold atoms."),
                      std::string::npos)
                << last;
            EXPECT_EQ(fine->materials(), m);
            EXPECT_EQ(context.history().undoCount(), undoCount);
            EXPECT_FALSE(context.currentOperation());
        }
        context.document().removeObject(fine);

        const auto large = boost::make_shared<TotalVolume>(16, 16, 16, 2.0f, 2.0f, 2.0f, Util::Vector3D(), m);
        context.document().addObject(large);
        auto op = start<SiWetEtchOperation>(etching.id);
        ASSERT_TRUE(op);
        op->setDepth(10.0);
        op->end();
        EXPECT_EQ(lines->lines.back(), std::string(etching.title) + ": Operation finished.");
        EXPECT_NE(large->materials(), m);
        context.document().removeObject(large);
    }
}
