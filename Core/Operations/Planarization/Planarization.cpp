#include "Core/Operations/Planarization/Planarization.h"

#include "Core/Operations/Planarization/ColumnPass.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QElapsedTimer>

#include <algorithm>

namespace Core {
namespace Operations {

namespace {
int clampedHeight(int height, const Model::Automaton::TotalVolume &volume)
{
    return std::clamp(height, 0, int(volume.sizeZ()));
}
} // namespace

Planarization::Planarization(Model::Automaton::TotalVolume &volume, int maximumHeight, int minimumHeight,
                             Interrupter *interrupter)
    : m_volume(volume)
    , m_maximum(clampedHeight(maximumHeight, volume))
    , m_minimum(clampedHeight(minimumHeight, volume))
    , m_interrupter(interrupter)
{
}

bool Planarization::runPlanarization()
{
    const unsigned threads = Model::Automaton::ParallelStrips::threadCount();
    qCDebug(tessivalLog) << "Threads " << threads;
    qCDebug(tessivalLog) << "Cells per thread " << m_volume.sizeY() * m_volume.sizeZ() * (m_volume.sizeX() / threads);
    QElapsedTimer timer;
    timer.start();
    const int sizeZ = int(m_volume.sizeZ());
    const int below = m_minimum, above = m_maximum;
    const bool finished =
        runColumnPass(m_volume, m_interrupter, "Planarizing",
                      [below, above, sizeZ](Model::Automaton::Voxel *current, Model::Automaton::Voxel *working) {
                          for (int z = 0; z < sizeZ; ++z)
                              if (z < below || z >= above)
                                  current[z].material = working[z].material = 0;
                      });
    qCDebug(tessivalLog) << "Elapsed time " << timer.elapsed();
    return finished;
}

} // namespace Operations
} // namespace Core
