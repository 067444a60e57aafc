#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/StripTeam.h"

#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

using Model::Automaton::ParallelStrips;
using Model::Automaton::StripTeam;

namespace {

class ParallelStripsTest : public ::testing::Test
{
protected:
    ~ParallelStripsTest() override { QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount()); }

    // Starts `work` as a task of the global pool. The hand-over is published
    // through an atomic: ThreadSanitizer does not see Qt's own locking.
    static void startOnPool(const std::function<void()> &work, std::atomic<bool> &published)
    {
        QRunnable *task = QRunnable::create([&work, &published] {
            published.load(std::memory_order_acquire);
            work();
        });
        published.store(true, std::memory_order_release);
        QThreadPool::globalInstance()->start(task);
    }

    // Runs `work` as a task of the global pool and waits for it.
    static void runOnPool(const std::function<void()> &work)
    {
        std::promise<void> done;
        std::atomic<bool> published{false};
        const std::function<void()> task = [&] {
            work();
            done.set_value();
        };
        startOnPool(task, published);
        done.get_future().wait();
    }

    // Every plane of [0, planes) written once by the strip that holds it.
    static void expectEveryPlaneWrittenOnce(unsigned strips, int planes = 97)
    {
        std::vector<int> writes(std::size_t(planes), 0);
        std::vector<std::atomic<int>> runs(strips);
        const auto split = ParallelStrips::split(0, planes, strips);
        ParallelStrips::run(split, [&](const ParallelStrips::Strip &strip) {
            runs[strip.index].fetch_add(1);
            for (int x = strip.first; x < strip.end; ++x)
                ++writes[std::size_t(x)];
        });
        for (std::size_t s = 0; s < split.size(); ++s)
            EXPECT_EQ(runs[s].load(), 1) << "strip " << s << " of " << strips;
        for (int x = 0; x < planes; ++x)
            EXPECT_EQ(writes[std::size_t(x)], 1) << "plane " << x << " with " << strips << " strips";
    }
};

TEST_F(ParallelStripsTest, EveryStripRunsOnceWhateverThePoolSize)
{
    for (const int pool : {1, 2, 3, 8}) {
        QThreadPool::globalInstance()->setMaxThreadCount(pool);
        for (const unsigned strips : {1u, 2u, 3u, 5u, 16u})
            expectEveryPlaneWrittenOnce(strips);
    }
}

// Thread counts mean what they say: the caller is one of them.
TEST_F(ParallelStripsTest, AtMostThePoolsThreadCountWorksOnARun)
{
    for (const int pool : {1, 2, 3}) {
        QThreadPool::globalInstance()->setMaxThreadCount(pool);
        std::mutex mutex;
        std::set<std::thread::id> threads;
        ParallelStrips::run(ParallelStrips::split(0, 64, 64), [&](const ParallelStrips::Strip &) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::lock_guard<std::mutex> lock(mutex);
            threads.insert(std::this_thread::get_id());
        });
        EXPECT_LE(threads.size(), std::size_t(pool));
        if (pool == 1) {
            EXPECT_EQ(threads.count(std::this_thread::get_id()), 1u);
        }
    }
}

// A caller that is itself a pool task, or whose helpers find every pool
// thread busy, runs the strips itself rather than waiting for a thread.
TEST_F(ParallelStripsTest, ARunFinishesWhenNoPoolThreadIsFree)
{
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    runOnPool([] { expectEveryPlaneWrittenOnce(4); });

    // Two callers on a pool of two, each with more strips than threads.
    QThreadPool::globalInstance()->setMaxThreadCount(2);
    std::promise<void> firstDone;
    std::atomic<bool> published{false};
    const std::function<void()> first = [&] {
        expectEveryPlaneWrittenOnce(3);
        firstDone.set_value();
    };
    startOnPool(first, published);
    runOnPool([] { expectEveryPlaneWrittenOnce(3); });
    firstDone.get_future().wait();
}

TEST_F(ParallelStripsTest, StripsMayRunStripsOfTheirOwn)
{
    QThreadPool::globalInstance()->setMaxThreadCount(2);
    std::vector<std::atomic<int>> cells(4 * 50);
    ParallelStrips::run(ParallelStrips::split(0, 4, 4), [&](const ParallelStrips::Strip &outer) {
        ParallelStrips::run(ParallelStrips::split(0, 50, 3), [&](const ParallelStrips::Strip &inner) {
            for (int y = inner.first; y < inner.end; ++y)
                cells[std::size_t(outer.first * 50 + y)].fetch_add(1);
        });
    });
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(cells[i].load(), 1) << i;
}

TEST_F(ParallelStripsTest, SplitGivesTheRemainderToTheLastStripAndKeepsThinRangesWhole)
{
    const auto strips = ParallelStrips::split(10, 21, 3);
    ASSERT_EQ(strips.size(), 3u);
    EXPECT_EQ(strips[0].first, 10);
    EXPECT_EQ(strips[0].end, 13);
    EXPECT_EQ(strips[1].first, 13);
    EXPECT_EQ(strips[2].first, 16);
    EXPECT_EQ(strips[2].end, 21);

    const auto thin = ParallelStrips::split(0, 5, 4, 2);
    ASSERT_EQ(thin.size(), 1u);
    EXPECT_EQ(thin[0].first, 0);
    EXPECT_EQ(thin[0].end, 5);
    EXPECT_TRUE(ParallelStrips::split(3, 3, 4).empty());
}

TEST_F(ParallelStripsTest, NoStripsRunNothing)
{
    bool ran = false;
    ParallelStrips::run({}, [&ran](const ParallelStrips::Strip &) { ran = true; });
    EXPECT_FALSE(ran);
}

// Each pass reads what the strips beside it wrote in the pass before, as
// the decide and apply passes of a step do: a pass must see all of the last
// one, whichever threads ran its strips.
TEST_F(ParallelStripsTest, TeamPassesSeeEveryWriteOfThePassBefore)
{
    for (const int pool : {1, 2, 4}) {
        QThreadPool::globalInstance()->setMaxThreadCount(pool);
        constexpr int Planes = 48;
        std::vector<long> value(Planes, 1), next(Planes, 0);
        StripTeam team(ParallelStrips::split(0, Planes, 12));
        const std::function<void(const ParallelStrips::Strip &)> spread = [&](const ParallelStrips::Strip &strip) {
            for (int x = strip.first; x < strip.end; ++x)
                next[std::size_t(x)] = value[std::size_t((x + Planes - 1) % Planes)] + value[std::size_t(x)];
        };
        const std::function<void(const ParallelStrips::Strip &)> keep = [&](const ParallelStrips::Strip &strip) {
            for (int x = strip.first; x < strip.end; ++x)
                value[std::size_t(x)] = next[std::size_t(x)] % 1000003;
        };
        std::vector<long> expected(Planes, 1), scratch(Planes);
        for (int pass = 0; pass < 300; ++pass) {
            team.run(spread);
            team.run(keep);
            for (int x = 0; x < Planes; ++x)
                scratch[std::size_t(x)] =
                    (expected[std::size_t((x + Planes - 1) % Planes)] + expected[std::size_t(x)]) % 1000003;
            expected.swap(scratch);
        }
        EXPECT_EQ(value, expected) << "pool of " << pool;
    }
}

TEST_F(ParallelStripsTest, TeamWorksWithoutAFreePoolThreadAndLeavesWithoutPasses)
{
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    runOnPool([] {
        std::vector<int> runs(6, 0);
        StripTeam team(ParallelStrips::split(0, 6, 6));
        const std::function<void(const ParallelStrips::Strip &)> count = [&](const ParallelStrips::Strip &strip) {
            ++runs[strip.index];
        };
        for (int pass = 0; pass < 3; ++pass)
            team.run(count);
        EXPECT_EQ(runs, std::vector<int>(6, 3));
    });

    QThreadPool::globalInstance()->setMaxThreadCount(2);
    { StripTeam idle(ParallelStrips::split(0, 10, 4)); }
    // Its helpers have gone: the pool has nothing left to run.
    EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone());
}

} // namespace
