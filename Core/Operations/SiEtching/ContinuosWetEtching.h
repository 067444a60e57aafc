#pragma once

#include "Core/Operations/SiEtching/AtomicConfiguration.h"
#include "Core/Operations/Frames/SiWetEtchFrame.h"

#include <array>
#include <atomic>
#include <mutex>
#include <set>
#include <tuple>

namespace Core {
namespace Operations {

// Continuous cellular-automaton wet etching: every surface atom holds an
// occupation from 1 down to 0, lowered each time step at the rate of its
// neighbourhood configuration; the atom goes when the occupation is used up.
class ContinuosWetEtching : public SiWetEtchFrame
{
public:
    static constexpr double TimeStep = 0.1;

    // Rates per unit time of the atoms that are held by one, two or three
    // bulk neighbours and by no surface atom (configurations 29-31, 18-21
    // and 0-6). The slowest keeps (111) planes.
    static constexpr double OneBulkBondRate = 6.0;
    static constexpr double TwoBulkBondsRate = 3.188;
    static constexpr double ThreeBulkBondsRate = 0.00867;

    ContinuosWetEtching(Model::Automaton::TotalVolume &volume, double depth, Interrupter *interrupter = nullptr);

    AtomicConfiguration getAtomicConfiguration(unsigned ns1, unsigned nb1, unsigned ns2, unsigned nb2) const;
    static double rate(int configuration);
    // The rate of a configuration the table does not list, by the atom's
    // present first neighbours: three, two or one etch like the listed
    // configurations 0-6, 18-21 or 29-31; none removes the atom at once.
    static double unexpectedRate(unsigned presentNeighbours);

protected:
    using SiWetEtchFrame::decide;
    // Every Si atom starts whole.
    bool startsOccupations(float &occupation) const override;
    Decision decide(SiLattice &lattice, AtomId atom) override;

private:
    // Unexpected configurations are logged once per run each, not per atom
    // and step. They are common, and every thread asks for every surface
    // atom: counts a lattice can have (at most 4 first and 12 second
    // neighbours) are told by a flag each, without a lock.
    bool firstSeen(unsigned ns1, unsigned nb1, unsigned ns2, unsigned nb2) const;
    static constexpr unsigned FirstCounts = 5, SecondCounts = 13;
    mutable std::array<std::atomic<bool>, FirstCounts * FirstCounts * SecondCounts * SecondCounts> m_seen{};
    mutable std::mutex m_loggedMutex;
    mutable std::set<std::tuple<unsigned, unsigned, unsigned, unsigned>> m_logged;
};

} // namespace Operations
} // namespace Core
