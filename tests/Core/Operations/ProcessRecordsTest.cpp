#include "Core/Operations/ProcessRecords.h"

#include <gtest/gtest.h>

using Core::Operations::ProcessRecords;

TEST(ProcessRecords, LatticeOfAVolumeWithoutRecordNeedsBuilding)
{
    ProcessRecords records;
    EXPECT_TRUE(records.needsSiLatticeRebuild(4));
    records.setSiLatticeStale(4, false);
    EXPECT_FALSE(records.needsSiLatticeRebuild(4));
    records.setSiLatticeStale(4, true);
    EXPECT_TRUE(records.needsSiLatticeRebuild(4));
    EXPECT_TRUE(records.needsSiLatticeRebuild(5));
}

TEST(ProcessRecords, LastOperationPerVolumeUntilCleared)
{
    ProcessRecords records;
    EXPECT_EQ(records.lastOperation(1), ProcessRecords::NoOperation);
    records.setLastOperation(1, 13);
    records.setLastOperation(2, 28);
    records.setLastOperation(1, 14);
    EXPECT_EQ(records.lastOperation(1), 14);
    EXPECT_EQ(records.lastOperation(2), 28);
    records.clear();
    EXPECT_EQ(records.lastOperation(2), ProcessRecords::NoOperation);
}

TEST(ProcessRecords, NoteRunRecordsTheProcessAndHowItLeftTheLattice)
{
    using namespace Core::Operations;
    ProcessRecords records;
    records.noteRun(3, 14, LeavesSiLattice);
    EXPECT_EQ(records.lastOperation(3), 14);
    EXPECT_FALSE(records.hasSiLatticeRecord(3)) << "nothing said about a lattice never built";
    records.noteRun(3, 28, RenewsSiLattice);
    EXPECT_FALSE(records.needsSiLatticeRebuild(3));
    records.noteRun(3, 15, LeavesSiLattice);
    EXPECT_EQ(records.lastOperation(3), 15);
    EXPECT_FALSE(records.needsSiLatticeRebuild(3)) << "a current lattice stays current";
    records.noteRun(3, 13, OutdatesSiLattice);
    EXPECT_TRUE(records.needsSiLatticeRebuild(3));
    records.noteRun(3, 14, LeavesSiLattice);
    EXPECT_TRUE(records.needsSiLatticeRebuild(3)) << "and a stale one stays stale";
}
