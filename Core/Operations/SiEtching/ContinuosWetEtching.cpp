#include "Core/Operations/SiEtching/ContinuosWetEtching.h"

#include "Model/Automaton/SiLattice.h"
#include "Util/DebugLog.h"

#include <QDebug>

#include <limits>

namespace Core {
namespace Operations {

ContinuosWetEtching::ContinuosWetEtching(Model::Automaton::TotalVolume &volume, double depth,
                                         Interrupter *interrupter)
    : SiWetEtchFrame(volume, depth, interrupter)
{
}

double ContinuosWetEtching::rate(int configuration)
{
    constexpr double Three = ThreeBulkBondsRate, Two = TwoBulkBondsRate, One = OneBulkBondRate;
    static const double rates[AtomicConfiguration::Count] = {
        Three, Three, Three, Three, Three, Three, Three, // 0..6
        4.115, 4.208, 6.449, 3.932, 6.449, 5.223, 4.115, // 7..13
        4.115, 5.223, 4.847, 4.847, Two,   Two,   Two,   // 14..20
        Two,   7.0,   7.0,   6.5,   6.5,   5.49,  5.0,   // 21..27
        5.0,   One,   One,   One,   4.115,               // 28..32
    };
    return configuration >= 0 && configuration < AtomicConfiguration::Count ? rates[configuration] : 0.0;
}

double ContinuosWetEtching::unexpectedRate(unsigned presentNeighbours)
{
    // Such neighbourhoods are common: a (100) surface of fresh substrate has
    // no atoms above it in the lattice, so its second neighbours come out
    // short of every listed (0, 2, ...) row. The listed rows with as many
    // bonds left etch alike, so the bonds decide.
    switch (presentNeighbours) {
    case 3:
        return ThreeBulkBondsRate;
    case 2:
        return TwoBulkBondsRate;
    case 1:
        return OneBulkBondRate;
    default:
        // Held by nothing: goes in this step.
        return std::numeric_limits<double>::infinity();
    }
}

AtomicConfiguration ContinuosWetEtching::getAtomicConfiguration(unsigned ns1, unsigned nb1, unsigned ns2,
                                                                unsigned nb2) const
{
    const AtomicConfiguration configuration = AtomicConfiguration::fromCounts(ns1, nb1, ns2, nb2);
    if (!configuration.isExpected() && firstSeen(ns1, nb1, ns2, nb2))
        qCDebug(tessivalLog).nospace() << "Unexpected configuration found (ns1, nb1, ns2, nb2): (" << ns1 << "," << nb1
                                       << "," << ns2 << "," << nb2 << ")";
    return configuration;
}

bool ContinuosWetEtching::firstSeen(unsigned ns1, unsigned nb1, unsigned ns2, unsigned nb2) const
{
    if (ns1 < FirstCounts && nb1 < FirstCounts && ns2 < SecondCounts && nb2 < SecondCounts) {
        std::atomic<bool> &seen = m_seen[((ns1 * FirstCounts + nb1) * SecondCounts + ns2) * SecondCounts + nb2];
        // Read before writing: a flag once set stays in every core's cache.
        return !seen.load(std::memory_order_relaxed) && !seen.exchange(true, std::memory_order_relaxed);
    }
    std::lock_guard<std::mutex> lock(m_loggedMutex);
    return m_logged.emplace(ns1, nb1, ns2, nb2).second;
}

bool ContinuosWetEtching::startsOccupations(float &occupation) const
{
    occupation = 1.0f;
    return true;
}

SiWetEtchFrame::Decision ContinuosWetEtching::decide(SiLattice &lattice, AtomId atom)
{
    unsigned ns1 = 0, nb1 = 0;
    lattice.firstNeighbourSplit(atom, ns1, nb1);
    if (ns1 + nb1 > 3)
        return Decision::Stay;
    unsigned ns2 = 0, nb2 = 0;
    lattice.secondNeighbourSplit(atom, ns2, nb2);
    const AtomicConfiguration configuration = getAtomicConfiguration(ns1, nb1, ns2, nb2);
    const double speed =
        configuration.isExpected() ? rate(configuration.number()) : unexpectedRate(ns1 + nb1);
    const double left = double(lattice.occupation(atom)) - speed * TimeStep;
    if (left < 1e-6) {
        lattice.setOccupation(atom, 0.0f);
        return Decision::Remove;
    }
    // So slow a rate that single precision keeps the occupation is no change.
    const float worn = float(left);
    if (worn == lattice.occupation(atom))
        return Decision::Stay;
    lattice.setOccupation(atom, worn);
    return Decision::Wear;
}

} // namespace Operations
} // namespace Core
