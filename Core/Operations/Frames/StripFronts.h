#pragma once

#include "Model/Automaton/ParallelStrips.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace Core {
namespace Operations {

// The fronts of a process that advances cell by cell over x strips: per
// strip the cells of its current front and the cells it finds for the next
// one. Cells that lie in a neighbouring strip's planes are handed over
// through the finder's lower or upper list, under the finder's mutex, so
// that every strip owns the cells of its front. A step is two phases: every
// strip finds its next front (beginNext, add) before any strip takes its
// neighbours' hand-overs and commits (advance).
class StripFronts
{
public:
    using Strip = Model::Automaton::ParallelStrips::Strip;

    // Empty fronts over `strips` of a volume of `cellCount` cells.
    void reset(const std::vector<Strip> &strips, std::size_t cellCount);
    // Frees the lists and marks.
    void clear();

    const std::vector<Strip> &strips() const { return m_strips; }
    const std::vector<std::size_t> &front(unsigned strip) const { return m_state[strip].front; }
    // True when no strip has a cell in its front: no further step can
    // change a cell.
    bool empty() const;

    // Starts the next front of a strip; its lists may be filled (add) while
    // the returned lock is held.
    std::unique_lock<std::mutex> beginNext(unsigned strip);
    // Adds the cell of `index` in plane `x` to the next front of `strip`,
    // or to its hand-over list when the plane is a neighbour's.
    void add(unsigned strip, int x, std::size_t index)
    {
        State &state = m_state[strip];
        const Strip &range = m_strips[strip];
        if (x < range.first) {
            state.lower.push_back(index);
        } else if (x >= range.end) {
            state.upper.push_back(index);
        } else if (!m_queued[index]) {
            // Only this strip marks its own cells, so the marks need no lock.
            m_queued[index] = 1;
            state.next.push_back(index);
        }
    }

    // Takes the cells the neighbouring strips handed over, sorts the next
    // front by cell index, calls `commit(index)` for every cell of the old
    // front and makes the next front the current one.
    template<typename Commit>
    void advance(unsigned strip, const Commit &commit)
    {
        gather(strip);
        for (const std::size_t index : m_state[strip].front)
            commit(index);
        swap(strip);
    }
    void advance(unsigned strip)
    {
        gather(strip);
        swap(strip);
    }

private:
    struct State
    {
        std::vector<std::size_t> front;
        std::vector<std::size_t> next;
        std::vector<std::size_t> lower; // cells of the strip before
        std::vector<std::size_t> upper; // cells of the strip after
        std::mutex mutex;
    };

    void gather(unsigned strip);
    void swap(unsigned strip) { m_state[strip].front.swap(m_state[strip].next); }

    std::vector<Strip> m_strips;
    std::vector<State> m_state;
    // 1 for a cell already on its own strip's next front: a changed cell
    // offers each neighbour, and most are offered several times.
    std::vector<std::uint8_t> m_queued;
};

} // namespace Operations
} // namespace Core
