#pragma once

#include "Model/Automaton/ParallelStrips.h"

#include <functional>
#include <memory>
#include <vector>

namespace Model {
namespace Automaton {

// Runs many short passes over the same strips, such as the phases of a
// process's steps, on the calling thread and helpers from the global pool.
// A pass of a fraction of a millisecond would spend most of its time waking
// pool threads, so the helpers stay for the team's life: between two passes
// they wait in a short spin before they sleep.
//
// As with ParallelStrips::run, the strips are taken in turn by whichever
// thread is free, at most threadCount() threads work on them, and a team
// whose helpers find no pool thread free does every pass on the caller.
class StripTeam
{
public:
    explicit StripTeam(std::vector<ParallelStrips::Strip> strips);
    // Sends the helpers away; those that never started are taken back from
    // the pool's queue.
    ~StripTeam();
    StripTeam(const StripTeam &) = delete;
    StripTeam &operator=(const StripTeam &) = delete;

    // Runs `task` once for every strip and returns when all have finished;
    // everything the tasks wrote is then visible to the caller. Only the
    // thread that made the team runs passes.
    void run(const std::function<void(const ParallelStrips::Strip &)> &task);

    const std::vector<ParallelStrips::Strip> &strips() const { return m_strips; }

private:
    struct Shared;
    class Helper;

    const std::vector<ParallelStrips::Strip> m_strips;
    std::unique_ptr<Shared> m_shared;
    std::vector<std::unique_ptr<Helper>> m_helpers;
};

} // namespace Automaton
} // namespace Model
