#include "Model/Automaton/ParallelStrips.h"

#include <QRunnable>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace Model {
namespace Automaton {

namespace {

// What the caller and the strip tasks of one run share.
struct Completion
{
    std::mutex mutex;
    std::condition_variable allDone;
    std::size_t remaining = 0;
};

// One strip's task on the global pool. The hand-over through the pool and
// the completion use std:: synchronisation only: Qt's own locking is not
// visible to ThreadSanitizer, which would then report every hand-over.
class StripTask : public QRunnable
{
public:
    StripTask(const std::function<void(const ParallelStrips::Strip &)> &task, ParallelStrips::Strip strip,
              Completion &completion)
        : m_task(task), m_strip(strip), m_completion(completion)
    {
        setAutoDelete(false);
    }

    // Called by the caller once the task is fully built, before the pool
    // can see it.
    void publish() { m_published.store(true, std::memory_order_release); }

    void run() override
    {
        m_published.load(std::memory_order_acquire);
        m_task(m_strip);
        std::lock_guard<std::mutex> lock(m_completion.mutex);
        if (--m_completion.remaining == 0)
            m_completion.allDone.notify_all();
    }

private:
    const std::function<void(const ParallelStrips::Strip &)> &m_task;
    const ParallelStrips::Strip m_strip;
    Completion &m_completion;
    std::atomic<bool> m_published{false};
};

} // namespace

std::vector<ParallelStrips::Strip> ParallelStrips::split(int first, int end, unsigned count, int minimumHeight)
{
    std::vector<Strip> strips;
    if (end <= first)
        return strips;
    count = std::max(count, 1u);
    const int height = (end - first) / int(count);
    if (height < std::max(minimumHeight, 1)) {
        strips.push_back(Strip{0, first, end});
        return strips;
    }
    for (unsigned i = 0; i < count; ++i) {
        const int stripFirst = first + int(i) * height;
        const int stripEnd = i + 1 == count ? end : stripFirst + height;
        strips.push_back(Strip{i, stripFirst, stripEnd});
    }
    return strips;
}

unsigned ParallelStrips::threadCount()
{
    return unsigned(std::max(1, QThreadPool::globalInstance()->maxThreadCount()));
}

void ParallelStrips::run(const std::vector<Strip> &strips, const std::function<void(const Strip &)> &task)
{
    if (strips.size() == 1) {
        task(strips.front());
        return;
    }
    Completion completion;
    completion.remaining = strips.size();
    std::vector<std::unique_ptr<StripTask>> tasks;
    tasks.reserve(strips.size());
    for (const Strip &strip : strips) {
        tasks.emplace_back(new StripTask(task, strip, completion));
        tasks.back()->publish();
        QThreadPool::globalInstance()->start(tasks.back().get());
    }
    std::unique_lock<std::mutex> lock(completion.mutex);
    completion.allDone.wait(lock, [&completion] { return completion.remaining == 0; });
}

} // namespace Automaton
} // namespace Model
