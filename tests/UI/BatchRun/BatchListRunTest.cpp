// A process list run on a thread of its own, as the window runs it: entries
// that cannot run are reported and the next ones still run, one run at a
// time, a stop ends it after the running entry, and a pool of one thread
// does not hold it up.
#include "UI/BatchRun/BatchListRun.h"

#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"

#include "BatchEntries.h"

#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <algorithm>

using Core::Operations::OperationContext;
using TestSupport::cellsOf;
using TestSupport::filmEntry;
using TestSupport::substrateEntry;
using Ui::BatchListRun;
using Ui::BatchRunner;
using Ui::ProcessData;

namespace {

constexpr std::uint32_t Oxide = 3, Aluminium = 4;

std::vector<BatchRunner::Result> resultsOf(const BatchListRun::Status &status)
{
    std::vector<BatchRunner::Result> results;
    for (const auto &outcome : status.outcomes)
        results.push_back(outcome.result);
    return results;
}

class BatchListRunTest : public ::testing::Test
{
protected:
    ~BatchListRunTest() override { QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount()); }

    BatchListRun::Status runToEnd(const std::list<ProcessData> &entries,
                                  const boost::shared_ptr<Model::Automaton::TotalVolume> &volume = {})
    {
        EXPECT_TRUE(run.start(entries, volume));
        run.join();
        return run.status();
    }

    OperationContext context;
    BatchListRun run{context};
};

} // namespace

TEST_F(BatchListRunTest, AnEntryWithoutItsThicknessIsReportedAndTheNextOneRuns)
{
    ProcessData broken = filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide);
    broken.removeParameter(QStringLiteral("Thickness"));
    const ProcessData next = filmEntry(ProcessData::Cvd, "Thickness", 2, Aluminium);
    const BatchListRun::Status status = runToEnd({substrateEntry(), broken, next});

    EXPECT_FALSE(status.running);
    EXPECT_EQ(status.finished, 3);
    EXPECT_EQ(resultsOf(status), (std::vector<BatchRunner::Result>{BatchRunner::Done, BatchRunner::MissingParameter,
                                                                   BatchRunner::Done}));
    EXPECT_EQ(status.outcomes[1].entryId, broken.id());
    EXPECT_TRUE(status.outcomes[1].problem.contains("Thickness")) << status.outcomes[1].problem.toStdString();
    ASSERT_TRUE(status.volume);
    EXPECT_EQ(cellsOf(*status.volume, Oxide), 0u);
    EXPECT_GT(cellsOf(*status.volume, Aluminium), 0u);
    EXPECT_EQ(context.document().allObjects().size(), 1u);
}

TEST_F(BatchListRunTest, WithoutAVolumeTheRunEndsAtTheFirstEntryThatNeedsOne)
{
    const BatchListRun::Status status = runToEnd({filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide), substrateEntry()});
    EXPECT_TRUE(status.missingVolume);
    EXPECT_TRUE(status.outcomes.empty());
    EXPECT_FALSE(status.volume);
    EXPECT_TRUE(context.document().allObjects().empty()) << "the substrate after it does not run";
}

TEST_F(BatchListRunTest, OneRunAtATimeAndAStopEndsItAfterTheRunningEntry)
{
    BatchListRun::Status during;
    bool secondStarted = true;
    // The picture entry stands for a long step: the run waits in it while
    // the test looks at the status, presses Run again and stops the run.
    run.setImageSaver([&](const QString &, QString *) {
        during = run.status();
        secondStarted = run.start({substrateEntry()}, {});
        run.stop();
        return true;
    });
    ProcessData picture(ProcessData::SaveImage);
    picture.setParameter(QStringLiteral("Filename"), QStringLiteral("picture.png"));
    const BatchListRun::Status status =
        runToEnd({substrateEntry(), picture, filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide)});

    EXPECT_TRUE(during.running);
    EXPECT_EQ(during.current, 1);
    EXPECT_EQ(during.currentName, QStringLiteral("Save Image"));
    EXPECT_EQ(during.finished, 1);
    EXPECT_FALSE(secondStarted);

    EXPECT_TRUE(status.stopped);
    EXPECT_EQ(resultsOf(status), (std::vector<BatchRunner::Result>{BatchRunner::Done, BatchRunner::Done}));
    EXPECT_EQ(cellsOf(*status.volume, Oxide), 0u) << "the entry after the stop did not run";
    EXPECT_EQ(context.document().allObjects().size(), 1u) << "the second Run started nothing";

    // Stopped runs leave the next one free to start and run whole.
    run.setImageSaver({});
    const BatchListRun::Status again = runToEnd({filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide)}, status.volume);
    EXPECT_FALSE(again.stopped);
    EXPECT_EQ(resultsOf(again), std::vector<BatchRunner::Result>{BatchRunner::Done});
    EXPECT_GT(cellsOf(*status.volume, Oxide), 0u);
}

TEST_F(BatchListRunTest, APoolOfOneThreadFinishesTheRun)
{
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    // A volume wide enough that the processes would split it into strips.
    const BatchListRun::Status status =
        runToEnd({substrateEntry(40, 24, 20), filmEntry(ProcessData::Cvd, "Thickness", 2, Aluminium),
                  filmEntry(ProcessData::IsotropicEtching, "Depth", 1, Aluminium)});
    EXPECT_EQ(resultsOf(status),
              (std::vector<BatchRunner::Result>{BatchRunner::Done, BatchRunner::Done, BatchRunner::Done}));
    EXPECT_EQ(QThreadPool::globalInstance()->activeThreadCount(), 0);
}
