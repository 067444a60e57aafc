#pragma once

#include "Core/Operations/Frames/Interrupter.h"

#include <atomic>
#include <mutex>
#include <string>

namespace Core {
namespace Operations {

// The interrupter of a step that runs on one thread while another shows how
// far it has come: the step's thread reports, the watching thread reads the
// latest report and may ask the step to stop. interrupt() only sets a flag,
// so a signal handler may call it.
class StepProgress : public Interrupter
{
public:
    struct Report
    {
        std::string phase; // empty before the first report
        int step = 0;
        int steps = 0;

        // "<phase>: step <step> of <steps>", as the window and the batch
        // program show it; empty before the first report.
        std::string text() const;
    };

    void progress(const char *phase, int step, int steps) override;
    bool wasInterrupted() override { return m_interrupted.load(std::memory_order_relaxed); }

    // Asks the step to stop at its next phase boundary.
    void interrupt() { m_interrupted.store(true, std::memory_order_relaxed); }
    // The latest report.
    Report report() const;
    // Forgets the reports of a step that has ended, before the next one.
    void clearReport();

private:
    static_assert(std::atomic<bool>::is_always_lock_free, "interrupt() must be safe in a signal handler");

    std::atomic<bool> m_interrupted{false};
    mutable std::mutex m_mutex;
    Report m_report;
};

} // namespace Operations
} // namespace Core
