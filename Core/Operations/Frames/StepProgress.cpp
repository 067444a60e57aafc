#include "Core/Operations/Frames/StepProgress.h"

namespace Core {
namespace Operations {

std::string StepProgress::Report::text() const
{
    if (phase.empty())
        return std::string();
    return phase + ": step " + std::to_string(step) + " of " + std::to_string(steps);
}

void StepProgress::progress(const char *phase, int step, int steps)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // Most reports repeat the phase of the one before: keep its text.
    if (m_report.phase != phase)
        m_report.phase = phase;
    m_report.step = step;
    m_report.steps = steps;
}

StepProgress::Report StepProgress::report() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_report;
}

void StepProgress::clearReport()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_report = Report();
}

} // namespace Operations
} // namespace Core
