#include "Model/Automaton/SpinLock.h"
#include "Model/Automaton/TotalVolume.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Model::Automaton::SpinLock;

TEST(SpinLock, CounterIncrementedUnderContentionEndsExact)
{
    SpinLock lock;
    long counter = 0; // deliberately not atomic: only the lock protects it
    constexpr int Threads = 8;
    constexpr int Increments = 20000;

    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < Increments; ++i) {
                lock.lock();
                ++counter;
                lock.unlock();
            }
        });
    }
    for (auto &thread : threads)
        thread.join();

    EXPECT_EQ(counter, long(Threads) * Increments);
    EXPECT_FALSE(lock.isLocked());
}

TEST(SpinLock, UnlockOfAFreeLockLeavesItFree)
{
    SpinLock lock;
    lock.unlock();
    EXPECT_FALSE(lock.isLocked());
    EXPECT_TRUE(lock.tryLock());
    EXPECT_FALSE(lock.tryLock());
    lock.unlock();
    EXPECT_TRUE(lock.tryLock());
    lock.unlock();
}

TEST(SpinLock, CellArraysAreHeldForAWholePassAcrossThreads)
{
    Model::Automaton::TotalVolume volume(4, 1, 1, 1, 1, 1, Util::Vector3D(), {0, 0, 0, 0});
    constexpr int Threads = 4;
    constexpr int Passes = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&volume] {
            for (int pass = 0; pass < Passes; ++pass) {
                // A pass reads the first cell and writes every cell from it;
                // without the lock passes would interleave and lose counts.
                Model::Automaton::LockedCells cells(volume);
                const std::uint32_t next = cells[0].material + 1;
                for (std::size_t i = 0; i < volume.cellCount(); ++i)
                    cells[i].material = next;
            }
        });
    }
    for (auto &thread : threads)
        thread.join();
    const auto materials = volume.materials();
    EXPECT_EQ(materials, std::vector<std::uint32_t>(4, Threads * Passes));
}
