// Process steps canceled while they run. Invariants: the cells are as
// before the step, bit for bit (from the undo record here; ProcessUndoTest
// covers memory when there are no state files); the history, its redo side
// and the process records are as they were, and the steps before still
// undo; the console says "<title>: Operation canceled."; while a step runs
// nothing starts, is canceled, undone or thrown away by a new document.
#include "Core/Operations/Isotropic/ElectrodepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"
#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"
#include "Model/Automaton/TotalVolume.h"

#include "RecordingOperation.h"
#include "ScriptedInterrupter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using TestSupport::ScriptedStepRunner;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Copper = 5, Gold = 9;

// Silicon with an oxide strip on top and empty space above.
boost::shared_ptr<TotalVolume> substrate()
{
    const unsigned sx = 10, sy = 8, sz = 10;
    std::vector<std::uint32_t> m(sx * sy * sz, 0);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < 5; ++z)
                m[z + sz * (y + sy * x)] = z == 4 && x > 5 ? Oxide : Si;
    return boost::make_shared<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
}

// A process step with its options, ready to end.
struct Step
{
    unsigned id;
    const char *title;
    std::function<void(Operation &)> options;
};

const std::vector<Step> &steps()
{
    static const std::vector<Step> all = {
        {IsotropicDepositionId, "Isotropic Deposition",
         [](Operation &op) {
             auto &film = dynamic_cast<FilmProcessOperation &>(op);
             film.setThickness(3.0f);
             film.setMaterialId(Copper);
         }},
        // The steps below run on the copper film of the first, which covers
        // everything else: a step with nothing to do would end before a stop.
        {IsotropicEtchingId, "Isotropic Etching",
         [](Operation &op) {
             auto &film = dynamic_cast<FilmProcessOperation &>(op);
             film.setThickness(3.0f);
             film.setMaterialId(Copper);
         }},
        {ElectrodepositionId, "Electroplating",
         [](Operation &op) {
             auto &plating = dynamic_cast<ElectrodepositionOperation &>(op);
             plating.setThickness(3.0f);
             plating.setMaterialId(Gold);
             plating.setConductingMaterial(Copper);
         }},
        {AtomisticWetEtchingId, "BCA Wet Etch", [](Operation &op) { dynamic_cast<SiWetEtchOperation &>(op).setDepth(2.0); }},
        {ContinuousWetEtchingId, "Continuous Wet Etch",
         [](Operation &op) { dynamic_cast<SiWetEtchOperation &>(op).setDepth(3.0); }},
    };
    return all;
}

class StepRunnerTest : public ::testing::Test
{
protected:
    StepRunnerTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
        volume = substrate();
        context.document().addObject(volume);
    }

    // Starts the step on the only volume, gives it its options and ends it.
    void run(const Step &step)
    {
        context.startOperation(step.id);
        const auto op = context.currentOperation();
        ASSERT_TRUE(op);
        step.options(*op);
        op->end();
    }

    // The step's work is stopped after `stopAfter` reports in the runner's
    // step number `stoppedStep` (a wet etch builds its lattice first).
    boost::shared_ptr<ScriptedStepRunner> stopping(int stoppedStep, int stopAfter)
    {
        auto runner = boost::make_shared<ScriptedStepRunner>(stoppedStep, stopAfter);
        context.setStepRunner(runner);
        return runner;
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<TotalVolume> volume;
};

} // namespace

TEST_F(StepRunnerTest, ACanceledStepPutsTheCellsBackAndLeavesTheHistory)
{
    const auto initial = volume->materials();
    run(steps()[0]);
    const auto deposited = volume->materials();
    ASSERT_NE(deposited, initial);

    for (const Step &step : steps()) {
        SCOPED_TRACE(step.title);
        // A wet etch's first step is its lattice build: stop the etch. The
        // copper film leaves it no silicon surface, so it would end at its
        // first step: it is stopped before it.
        const bool wet = step.id == AtomisticWetEtchingId || step.id == ContinuousWetEtchingId;
        const auto runner = stopping(wet ? 1 : 0, wet ? 1 : 3);
        run(step);
        EXPECT_EQ(runner->titles.back(), step.title) << "the dialog is titled as the step";
        EXPECT_EQ(volume->materials(), deposited);
        EXPECT_EQ(lines->lines.back(), std::string(step.title) + ": Operation canceled.");
        EXPECT_FALSE(context.currentOperation());
        EXPECT_EQ(context.history().undoCount(), 1u);
        EXPECT_EQ(context.history().undoTitle(), "Isotropic Deposition");
        EXPECT_EQ(context.history().redoCount(), 0u);
        EXPECT_EQ(context.processRecords().lastOperation(volume->id()), int(IsotropicDepositionId));
        EXPECT_TRUE(context.processRecords().needsSiLatticeRebuild(volume->id()));
    }
    context.setStepRunner(nullptr);
    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->materials(), initial) << "the step before still undoes";

    ASSERT_TRUE(context.history().redo());
    run(steps()[1]);
    EXPECT_EQ(lines->lines.back(), "Isotropic Etching: Operation finished.") << "the default runner runs to the end";
    EXPECT_EQ(context.history().undoCount(), 2u);
}

TEST_F(StepRunnerTest, ACanceledLatticeBuildEndsTheWetEtchBeforeItStarts)
{
    const auto before = volume->materials();
    const auto runner = stopping(0, 1);
    run(steps()[3]);
    EXPECT_EQ(runner->titles, std::vector<std::string>{"BCA Wet Etch"}) << "no etch after the build";
    EXPECT_FALSE(volume->siLattice());
    EXPECT_EQ(volume->materials(), before);
    EXPECT_EQ(lines->lines.back(), "BCA Wet Etch: Operation canceled.");
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_FALSE(context.currentOperation());

    context.setStepRunner(nullptr);
    run(steps()[3]);
    EXPECT_EQ(lines->lines.back(), "BCA Wet Etch: Operation finished.");
    EXPECT_TRUE(volume->siLattice());
    EXPECT_NE(volume->materials(), before);
}

TEST_F(StepRunnerTest, NothingStartsCancelsOrUndoesWhileAStepRuns)
{
    run(steps()[0]);
    const auto deposited = volume->materials();
    auto runner = boost::make_shared<ScriptedStepRunner>(-1, -1);
    boost::shared_ptr<Operation> running;
    runner->during = [&] {
        running = context.currentOperation();
        EXPECT_TRUE(context.isRunningStep());
        context.startOperation(IsotropicDepositionId);
        context.cancelCurrentOperation();
        context.newDocument();
        EXPECT_FALSE(context.history().undo());
        EXPECT_FALSE(context.history().redo());
        EXPECT_EQ(context.currentOperation(), running);
        EXPECT_EQ(context.document().allObjects().size(), 1u);
        EXPECT_EQ(context.history().undoCount(), 1u);
        EXPECT_EQ(volume->materials(), deposited) << "nothing was undone";
    };
    context.setStepRunner(runner);
    run(steps()[1]);
    ASSERT_TRUE(running);
    EXPECT_EQ(running->title(), "Isotropic Etching");
    EXPECT_FALSE(context.isRunningStep());
    EXPECT_EQ(lines->lines.back(), "Isotropic Etching: Operation finished.");
    EXPECT_EQ(context.history().undoCount(), 2u);
    EXPECT_TRUE(context.history().undo()) << "and everything works again after it";
}
