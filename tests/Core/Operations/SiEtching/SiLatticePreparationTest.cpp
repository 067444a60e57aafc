// Building the Si lattice before a wet etch: a current lattice is reused, a
// stale one is let go before the memory check so that the rebuild may use
// its memory, and a lattice that does not fit is refused with a message.
#include "Core/Operations/ProcessRecords.h"
#include "Core/Operations/SiEtching/SiLatticePreparation.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/SiLatticeMemory.h"
#include "Model/Automaton/TotalVolume.h"

#include <boost/weak_ptr.hpp>

#include <gtest/gtest.h>

using Core::Operations::prepareSiLattice;
using Core::Operations::ProcessRecords;
using Model::Automaton::SiLattice;
using Model::Automaton::SiLatticeMemory;
using Model::Automaton::TotalVolume;

namespace {

// A block of silicon whose lattice has been built once.
class SiLatticePreparationTest : public ::testing::Test
{
protected:
    SiLatticePreparationTest()
        : volume(6, 6, 6, 1.0f, 1.0f, 1.0f, Util::Vector3D(), [] {
            std::vector<std::uint32_t> m(6 * 6 * 6, 0);
            for (std::size_t i = 0; i < m.size(); ++i)
                m[i] = i % 6 < 3 ? 1u : 0u;
            return m;
        }())
    {
    }
    void SetUp() override { ASSERT_TRUE(prepareSiLattice(volume, records.needsSiLatticeRebuild(volume.id()), &problem)) << problem; }

    TotalVolume volume;
    ProcessRecords records;
    std::string problem;
};

} // namespace

TEST_F(SiLatticePreparationTest, CurrentLatticeIsReusedWithoutAsking)
{
    records.setSiLatticeStale(volume.id(), false);
    const auto lattice = volume.siLattice();
    ASSERT_TRUE(lattice);
    EXPECT_TRUE(prepareSiLattice(volume, records.needsSiLatticeRebuild(volume.id()), &problem, [] { return std::uint64_t(0); }));
    EXPECT_EQ(volume.siLattice(), lattice);
}

TEST_F(SiLatticePreparationTest, StaleLatticeMakesRoomForItsRebuild)
{
    records.setSiLatticeStale(volume.id(), true);
    // Room for one lattice: while the old one is held, the new one would
    // not fit beside it.
    const std::uint64_t needed = SiLatticeMemory::estimatedBytes(volume);
    const boost::weak_ptr<SiLattice> old = volume.siLattice();
    const auto available = [&old, needed] { return old.expired() ? needed : needed - 1; };
    EXPECT_TRUE(prepareSiLattice(volume, records.needsSiLatticeRebuild(volume.id()), &problem, available)) << problem;
    EXPECT_TRUE(old.expired());
    EXPECT_TRUE(volume.siLattice());
}

TEST_F(SiLatticePreparationTest, LatticeThatDoesNotFitIsRefusedWithWhatItNeeds)
{
    records.setSiLatticeStale(volume.id(), true);
    EXPECT_FALSE(prepareSiLattice(volume, records.needsSiLatticeRebuild(volume.id()), &problem, [] { return std::uint64_t(1000); }));
    EXPECT_EQ(problem, SiLatticeMemory::describeNeed(volume) + ", but only 1000 bytes is available.");
    EXPECT_FALSE(volume.siLattice()) << "the stale lattice is gone";
    EXPECT_TRUE(records.needsSiLatticeRebuild(volume.id())) << "the next etch tries again";
}
