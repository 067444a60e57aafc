#pragma once

#include <QRunnable>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace Model {
namespace Automaton {

// A task that helps its caller from the global pool with work they share.
// Before that work goes away the caller recalls it: a helper that never
// started is taken back from the pool's queue, one that did is waited for.
// Start and end are published with std:: synchronisation only: Qt's own
// locking is not visible to ThreadSanitizer, which would then report every
// hand-over.
class PoolHelper : public QRunnable
{
public:
    PoolHelper() { setAutoDelete(false); }

    // Call once the helper is fully built.
    void start();
    // Returns once the helper runs no more.
    void recall();

protected:
    virtual void help() = 0;

private:
    void run() final;

    std::atomic<bool> m_published{false};
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
};

} // namespace Automaton
} // namespace Model
