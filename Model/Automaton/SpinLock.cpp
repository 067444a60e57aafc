#include "Model/Automaton/SpinLock.h"

#include <chrono>
#include <thread>

namespace Model {
namespace Automaton {

namespace {

void cpuPause()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

bool multiProcessor()
{
    static const bool result = std::thread::hardware_concurrency() > 1;
    return result;
}

} // namespace

bool SpinLock::tryLock()
{
    int expected = 0;
    return m_word.compare_exchange_strong(expected, 1, std::memory_order_acquire, std::memory_order_relaxed);
}

void SpinLock::lock()
{
    constexpr unsigned ImmediateRetries = 8;
    constexpr unsigned PausingRetries = 32;
    // Past the spinning stage a waiter yields; every so often it sleeps so
    // that a holder that was descheduled gets the processor.
    constexpr unsigned SleepEvery = 16;

    const bool spin = multiProcessor();
    for (unsigned retry = 0; !tryLock(); ++retry) {
        if (spin && retry < ImmediateRetries)
            continue;
        if (spin && retry < PausingRetries) {
            cpuPause();
            continue;
        }
        if (retry % SleepEvery == SleepEvery - 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        else
            std::this_thread::yield();
    }
}

void SpinLock::unlock()
{
    int expected = 1;
    m_word.compare_exchange_strong(expected, 0, std::memory_order_release, std::memory_order_relaxed);
}

} // namespace Automaton
} // namespace Model
