// The model extraction operation: it waits for a picked volume, shows the
// blocks in place of the volume and the cantilevers beside it, hands out the
// netlist, and leaves the document and the volume as they were however it
// ends.
#include "Core/Operations/ModelExtraction/RunModelExtraction.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/ModelExtraction/ExtractedModel.h"
#include "AnchoredBeam.h"
#include "RecordingOperation.h"
#include "Util/IObserver.h"

#include <gtest/gtest.h>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Lines = std::vector<std::string>;

namespace {

boost::shared_ptr<TotalVolume> volume(bool withBeam)
{
    return boost::make_shared<TotalVolume>(20, 5, 6, 0.5f, 1.0f, 1.0f, Util::Vector3D(),
                                           TestSupport::anchoredBeam(withBeam));
}

struct Counter : Util::IObserver
{
    void notify() override { ++count; }
    int count = 0;
};

class RunModelExtractionTest : public ::testing::Test
{
protected:
    RunModelExtractionTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    }

    // Starts the operation on `target`, picked, with counting observers.
    boost::shared_ptr<RunModelExtraction> start(const boost::shared_ptr<TotalVolume> &target)
    {
        context.document().addObject(target);
        context.selectionManager().setMode(true);
        context.selectionManager().toggle({target->id()});
        context.startOperation(ModelExtractionId);
        auto op = boost::dynamic_pointer_cast<RunModelExtraction>(context.currentOperation());
        if (op) {
            op->setObserver(open);
            op->setCloseObserver(close);
        }
        return op;
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<Counter> open = boost::make_shared<Counter>();
    boost::shared_ptr<Counter> close = boost::make_shared<Counter>();
};

} // namespace

TEST_F(RunModelExtractionTest, AsksForAVolumeThenOpensItsWindow)
{
    const auto target = volume(true);
    context.document().addObject(target);
    context.startOperation(ModelExtractionId);
    auto op = boost::dynamic_pointer_cast<RunModelExtraction>(context.currentOperation());
    ASSERT_TRUE(op);
    op->setObserver(open);
    EXPECT_EQ(lines->lines, Lines{"Model Extraction: Select a cell volume and press Enter/Return."});
    EXPECT_EQ(op->state(), RunModelExtraction::WaitingForVolume);
    EXPECT_TRUE(context.selectionManager().mode());
    // Steps do nothing before a volume is there.
    op->runPreprocessing();
    EXPECT_EQ(context.document().allObjects().size(), 1u);

    context.selectionManager().toggle({target->id()});
    context.consoleInput().processLine("");
    EXPECT_EQ(lines->lines.back(), "Model Extraction: Cell volume selected.");
    EXPECT_EQ(op->state(), RunModelExtraction::DialogOpen);
    EXPECT_EQ(op->target(), target);
    EXPECT_EQ(open->count, 1);
    EXPECT_FALSE(context.selectionManager().mode());
}

TEST_F(RunModelExtractionTest, StepsShowBlocksAndCantileversAndClosingTakesThemAway)
{
    const auto target = volume(true);
    const auto op = start(target);
    ASSERT_TRUE(op);
    ASSERT_EQ(op->state(), RunModelExtraction::DialogOpen);
    EXPECT_TRUE(op->getNetlist().isEmpty());

    op->runPreprocessing();
    EXPECT_TRUE(target->painter().isPaintingSuspended());
    ASSERT_TRUE(op->blocksModel());
    EXPECT_EQ(op->blocksModel()->envelopes().size(), 10u);
    EXPECT_EQ(context.document().allObjects().size(), 2u);
    op->runPreprocessing();
    EXPECT_EQ(context.document().allObjects().size(), 2u) << "runs once";

    EXPECT_TRUE(op->runFeatureDetection());
    ASSERT_TRUE(op->cantileversModel());
    EXPECT_EQ(op->cantileversModel()->translation(), Util::Vector3D(0.5 * 30, 0, 0));
    EXPECT_EQ(context.document().allObjects().size(), 3u);
    EXPECT_TRUE(op->getNetlist().startsWith("Model extracted by Tessival\n"));
    EXPECT_TRUE(op->getNetlist().contains("\nc1 1 0 "));
    EXPECT_TRUE(op->getNetlist().endsWith("\n.end \n"));

    op->end();
    EXPECT_EQ(lines->lines.back(), "Model Extraction: Model extracted.");
    EXPECT_EQ(op->state(), RunModelExtraction::Finished);
    EXPECT_FALSE(target->painter().isPaintingSuspended());
    EXPECT_EQ(context.document().allObjects(), std::vector<Model::Document::ObjectPtr>{target});
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(close->count, 0);
    op->end();
    EXPECT_EQ(lines->lines.back(), "Model Extraction: Model extracted.") << "ends once";
}

TEST_F(RunModelExtractionTest, CancelClosesTheWindowAndRestoresTheView)
{
    const auto target = volume(false);
    const auto op = start(target);
    ASSERT_TRUE(op);
    op->runPreprocessing();
    EXPECT_FALSE(op->runFeatureDetection());
    EXPECT_FALSE(op->cantileversModel());
    EXPECT_TRUE(op->getNetlist().isEmpty());
    EXPECT_EQ(context.document().allObjects().size(), 2u);

    const std::size_t before = lines->lines.size();
    context.cancelCurrentOperation();
    EXPECT_EQ(close->count, 1);
    EXPECT_EQ(op->state(), RunModelExtraction::Finished);
    EXPECT_FALSE(target->painter().isPaintingSuspended());
    EXPECT_EQ(context.document().allObjects(), std::vector<Model::Document::ObjectPtr>{target});
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(lines->lines.size(), before);
    // The window closing afterwards ends nothing more.
    op->end();
    EXPECT_EQ(lines->lines.size(), before);
}
