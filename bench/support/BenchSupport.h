#pragma once

#include "Model/Automaton/TotalVolume.h"

#include <QThread>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <vector>

namespace BenchSupport {

// Argument 0 of a benchmark is its pool size; 0 means all threads.
inline void setThreads(const benchmark::State &state)
{
    QThreadPool::globalInstance()->setMaxThreadCount(state.range(0) == 0 ? QThread::idealThreadCount()
                                                                         : int(state.range(0)));
}

inline double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Puts the materials back into both cell arrays between iterations.
inline void resetMaterials(Model::Automaton::TotalVolume &volume, const std::vector<std::uint32_t> &materials)
{
    Model::Automaton::LockedCellArrays arrays(volume);
    for (std::size_t i = 0; i < materials.size() && i < volume.cellCount(); ++i)
        arrays.current()[i].material = arrays.working()[i].material = materials[i];
}

} // namespace BenchSupport
