#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtching.h"

#include "Core/Operations/Frames/Interrupter.h"
#include "Model/Automaton/TotalVolume.h"
#include "Util/DebugLog.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;

namespace {

const char *const EtchPhase = "Etching";

int stepCount(double depth)
{
    if (!(depth > 0.0))
        return 0;
    return int(std::min(std::trunc(depth), double(1 << 30)));
}

} // namespace

SimpleReactiveIonEtching::SimpleReactiveIonEtching(Model::Automaton::TotalVolume &volume, std::uint32_t material,
                                                   double depth, std::uint8_t directions, Interrupter *interrupter)
    : m_volume(volume)
    , m_material(material)
    , m_steps(stepCount(depth))
    , m_directions(directions)
    , m_sizeZ(volume.sizeZ())
    , m_interrupter(interrupter)
{
}

bool SimpleReactiveIonEtching::runEtching()
{
    // Etching the empty cells (an empty material choice) changes nothing.
    if (m_material == 0 || m_volume.cellCount() == 0)
        return runSteps(m_interrupter, EtchPhase, m_steps, [](int) { return false; });
    const auto strips = ParallelStrips::split(0, int(m_volume.sizeX()), ParallelStrips::threadCount(), 1);
    m_surface.assign(strips.size(), {});
    Model::Automaton::LockedCellArrays arrays(m_volume);
    m_current = arrays.current();
    m_working = arrays.working();
    ParallelStrips::run(strips, [this](const Strip &strip) { runPartialInitialization(strip); });
    const bool finished = runSteps(m_interrupter, EtchPhase, m_steps, [this, &strips](int) {
        if (!surfaceLeft())
            return false;
        ParallelStrips::run(strips, [this](const Strip &strip) { runPartialEtchingStep(strip); });
        return surfaceLeft();
    });
    m_current = m_working = nullptr;
    m_surface.clear();
    return finished;
}

bool SimpleReactiveIonEtching::surfaceLeft() const
{
    for (const auto &surface : m_surface)
        if (!surface.empty())
            return true;
    return false;
}

void SimpleReactiveIonEtching::runPartialInitialization(const Strip &strip)
{
    std::vector<std::size_t> &surface = m_surface[strip.index];
    const std::size_t first = std::size_t(strip.first) * m_volume.sizeY() * m_sizeZ;
    const std::size_t end = std::size_t(strip.end) * m_volume.sizeY() * m_sizeZ;
    const bool fromTop = m_directions & FromTop, fromBelow = m_directions & FromBelow;
    for (std::size_t c = first; c < end; ++c) {
        if (m_current[c].material != m_material)
            continue;
        const std::size_t z = c % m_sizeZ;
        if ((fromTop && z + 1 < m_sizeZ && m_current[c + 1].material == 0)
            || (fromBelow && z > 0 && m_current[c - 1].material == 0))
            surface.push_back(c);
    }
}

void SimpleReactiveIonEtching::runPartialEtchingStep(const Strip &strip)
{
    // Each cell reads and writes only its own column, which lies in this
    // strip: the step and its commit need no other strip.
    std::vector<std::size_t> &surface = m_surface[strip.index];
    std::vector<std::size_t> next;
    next.reserve(surface.size());
    const bool fromTop = m_directions & FromTop, fromBelow = m_directions & FromBelow;
    for (const std::size_t c : surface) {
        if (m_current[c].material != m_material)
            continue;
        m_working[c].material = 0;
        const std::size_t z = c % m_sizeZ;
        if (fromBelow && z + 1 < m_sizeZ && m_current[c + 1].material == m_material)
            next.push_back(c + 1);
        if (fromTop && z > 0 && m_current[c - 1].material == m_material)
            next.push_back(c - 1);
    }
    for (const std::size_t c : surface)
        m_current[c].material = m_working[c].material;
    std::sort(next.begin(), next.end());
    next.erase(std::unique(next.begin(), next.end()), next.end());
    surface.swap(next);
    qCDebug(tessivalLog) << "Surface list size for thread " << strip.index << ": " << surface.size();
}

} // namespace Operations
} // namespace Core
