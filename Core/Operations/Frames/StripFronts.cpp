#include "Core/Operations/Frames/StripFronts.h"

#include <algorithm>

namespace Core {
namespace Operations {

void StripFronts::reset(const std::vector<Strip> &strips, std::size_t cellCount)
{
    m_strips = strips;
    m_state = std::vector<State>(strips.size());
    m_queued.assign(cellCount, 0);
}

void StripFronts::clear()
{
    m_state.clear();
    std::vector<std::uint8_t>().swap(m_queued);
}

bool StripFronts::empty() const
{
    for (const State &state : m_state)
        if (!state.front.empty())
            return false;
    return true;
}

std::unique_lock<std::mutex> StripFronts::beginNext(unsigned strip)
{
    State &state = m_state[strip];
    std::unique_lock<std::mutex> lock(state.mutex);
    state.lower.clear();
    state.upper.clear();
    state.next.clear();
    return lock;
}

void StripFronts::gather(unsigned strip)
{
    State &state = m_state[strip];
    if (strip > 0) {
        State &before = m_state[strip - 1];
        std::lock_guard<std::mutex> lock(before.mutex);
        state.next.insert(state.next.end(), before.upper.begin(), before.upper.end());
    }
    if (strip + 1 < m_state.size()) {
        State &after = m_state[strip + 1];
        std::lock_guard<std::mutex> lock(after.mutex);
        state.next.insert(state.next.end(), after.lower.begin(), after.lower.end());
    }
    std::sort(state.next.begin(), state.next.end());
    state.next.erase(std::unique(state.next.begin(), state.next.end()), state.next.end());
    for (const std::size_t index : state.next)
        m_queued[index] = 0;
}

} // namespace Operations
} // namespace Core
