#include "Model/Automaton/ParallelStrips.h"

#include "Model/Automaton/PoolHelper.h"

#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <memory>

namespace Model {
namespace Automaton {

namespace {

// What the caller and its helpers share in one run: each takes the next
// strip nobody has taken until none is left. The caller takes part, so a
// run never waits for a pool thread to wake up or to come free: a helper
// that starts late finds the strips done, one that never starts is taken
// back from the pool's queue.
struct SharedRun
{
    const std::vector<ParallelStrips::Strip> &strips;
    const std::function<void(const ParallelStrips::Strip &)> &task;
    std::atomic<std::size_t> next{0};

    void runUntaken()
    {
        for (std::size_t i = next.fetch_add(1, std::memory_order_relaxed); i < strips.size();
             i = next.fetch_add(1, std::memory_order_relaxed))
            task(strips[i]);
    }
};

class Helper : public PoolHelper
{
public:
    explicit Helper(SharedRun &run) : m_run(run) {}

private:
    void help() override { m_run.runUntaken(); }

    SharedRun &m_run;
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
    if (strips.size() <= 1) {
        for (const Strip &strip : strips)
            task(strip);
        return;
    }
    SharedRun shared{strips, task};
    // With the caller, as many threads as the pool allows work on the strips.
    const std::size_t helperCount = std::min<std::size_t>(strips.size(), threadCount()) - 1;
    std::vector<std::unique_ptr<Helper>> helpers;
    helpers.reserve(helperCount);
    for (std::size_t i = 0; i < helperCount; ++i) {
        helpers.emplace_back(new Helper(shared));
        helpers.back()->start();
    }
    shared.runUntaken();
    // Every strip is taken; wait for those a helper still works on.
    for (const auto &helper : helpers)
        helper->recall();
}

} // namespace Automaton
} // namespace Model
