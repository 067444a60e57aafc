#include "Core/Operations/Volumes/VolumeOutputOperation.h"

#include "Core/Operations/ConsoleInput.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

void VolumeOutputOperation::execute()
{
    if (m_step != SelectingVolume)
        return;
    m_volume = takeTargetVolume({"Cell volume selected.", "Select a cell volume and press Enter/Return."}, true);
    if (!m_volume)
        return;
    m_step = ChoosingFile;
    notifyObserver();
}

void VolumeOutputOperation::cancel()
{
    m_step = Finished;
    cancelCanceled();
}

void VolumeOutputOperation::end()
{
    if (m_step != ChoosingFile || !m_volume || m_fileName.isEmpty()) {
        cancel();
        return;
    }
    // Held: ending releases the operation.
    const auto self = shared_from_this();
    m_step = Finished;
    QString done;
    m_problem.clear();
    if (write(*m_volume, m_fileName, &done, &m_problem))
        postMessage(done.toStdString());
    else
        postMessage(m_problem.toStdString());
    context()->consoleInput().reset();
    context()->endOperation();
}

} // namespace Operations
} // namespace Core
