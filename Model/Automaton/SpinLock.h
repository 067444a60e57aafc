#pragma once

#include <atomic>

namespace Model {
namespace Automaton {

// Guards one cell array for a whole pass of a process or of a surface build.
// Passes are long, so a waiter spins briefly and then yields or sleeps.
class SpinLock
{
public:
    void lock();
    bool tryLock();
    // Releases only a taken lock (compare-and-set 1 -> 0).
    void unlock();
    bool isLocked() const { return m_word.load(std::memory_order_relaxed) != 0; }

private:
    std::atomic<int> m_word{0};
};

} // namespace Automaton
} // namespace Model
