#include "Model/Automaton/StripTeam.h"

#include "Model/Automaton/PoolHelper.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace Model {
namespace Automaton {

namespace {

// Long enough to cover the gap between two passes and the spread of strips
// within one; short enough that a waiting thread costs little once the
// passes end.
constexpr auto SpinTime = std::chrono::microseconds(200);

void relax()
{
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#else
    std::this_thread::yield();
#endif
}

// Spins until `ready` holds or the spin time is over; true when it holds.
template<typename Ready>
bool spinUntil(const Ready &ready)
{
    const auto giveUp = std::chrono::steady_clock::now() + SpinTime;
    for (unsigned round = 1;; ++round) {
        if (ready())
            return true;
        relax();
        if (round % 64 == 0 && std::chrono::steady_clock::now() > giveUp)
            return ready();
    }
}

} // namespace

// What the caller and its helpers share. A turn holds the pass number in
// its high 32 bits and the next strip to take in its low ones, so that a
// thread can only take a strip of the pass it saw.
struct StripTeam::Shared
{
    explicit Shared(const std::vector<ParallelStrips::Strip> &strips)
        : strips(strips), turn(std::uint64_t(strips.size()))
    {
    }

    static std::uint32_t passOf(std::uint64_t turn) { return std::uint32_t(turn >> 32); }
    static std::size_t stripOf(std::uint64_t turn) { return std::size_t(turn & 0xffffffffu); }

    // Takes and runs the strips of the current pass until none is left.
    void takeStrips()
    {
        std::uint64_t seen = turn.load(std::memory_order_acquire);
        while (stripOf(seen) < strips.size()) {
            if (!turn.compare_exchange_weak(seen, seen + 1, std::memory_order_acq_rel, std::memory_order_acquire))
                continue;
            (*task)(strips[stripOf(seen)]);
            if (finished.fetch_add(1, std::memory_order_acq_rel) + 1 == strips.size()) {
                std::lock_guard<std::mutex> lock(mutex);
                if (callerSleeping)
                    passDone.notify_one();
            }
            seen = turn.load(std::memory_order_acquire);
        }
    }

    const std::vector<ParallelStrips::Strip> &strips;
    const std::function<void(const ParallelStrips::Strip &)> *task = nullptr;
    std::atomic<std::uint64_t> turn;
    std::atomic<std::size_t> finished{0};
    std::atomic<bool> leaving{false};

    // For waits longer than a spin.
    std::mutex mutex;
    std::condition_variable newPass;
    std::condition_variable passDone;
    unsigned sleepingHelpers = 0;
    bool callerSleeping = false;
};

// A pool task that helps with every pass until the team goes.
class StripTeam::Helper : public PoolHelper
{
public:
    explicit Helper(Shared &shared) : m_shared(shared) {}

private:
    void help() override
    {
        Shared &shared = m_shared;
        while (!shared.leaving.load(std::memory_order_acquire)) {
            const std::uint32_t pass = Shared::passOf(shared.turn.load(std::memory_order_acquire));
            shared.takeStrips();
            const auto nextPass = [&shared, pass] {
                return shared.leaving.load(std::memory_order_acquire)
                    || Shared::passOf(shared.turn.load(std::memory_order_acquire)) != pass;
            };
            if (spinUntil(nextPass))
                continue;
            std::unique_lock<std::mutex> lock(shared.mutex);
            ++shared.sleepingHelpers;
            shared.newPass.wait(lock, nextPass);
            --shared.sleepingHelpers;
        }
    }

    Shared &m_shared;
};

StripTeam::StripTeam(std::vector<ParallelStrips::Strip> strips)
    : m_strips(std::move(strips))
    , m_shared(std::make_unique<Shared>(m_strips))
{
    const std::size_t helperCount = std::min<std::size_t>(m_strips.size(), ParallelStrips::threadCount());
    for (std::size_t i = 1; i < helperCount; ++i) {
        m_helpers.emplace_back(new Helper(*m_shared));
        m_helpers.back()->start();
    }
}

StripTeam::~StripTeam()
{
    m_shared->leaving.store(true, std::memory_order_release);
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->newPass.notify_all();
    }
    for (const auto &helper : m_helpers)
        helper->recall();
}

void StripTeam::run(const std::function<void(const ParallelStrips::Strip &)> &task)
{
    if (m_helpers.empty()) {
        for (const ParallelStrips::Strip &strip : m_strips)
            task(strip);
        return;
    }
    Shared &shared = *m_shared;
    // Every strip of the last pass has finished: nobody reads these now.
    shared.task = &task;
    shared.finished.store(0, std::memory_order_relaxed);
    const std::uint64_t pass = Shared::passOf(shared.turn.load(std::memory_order_relaxed)) + 1u;
    shared.turn.store(pass << 32, std::memory_order_release);
    {
        std::lock_guard<std::mutex> lock(shared.mutex);
        if (shared.sleepingHelpers)
            shared.newPass.notify_all();
    }
    shared.takeStrips();
    const auto allDone = [&shared] {
        return shared.finished.load(std::memory_order_acquire) == shared.strips.size();
    };
    if (spinUntil(allDone))
        return;
    std::unique_lock<std::mutex> lock(shared.mutex);
    shared.callerSleeping = true;
    shared.passDone.wait(lock, allDone);
    shared.callerSleeping = false;
}

} // namespace Automaton
} // namespace Model
