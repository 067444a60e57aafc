#pragma once

#include <functional>
#include <vector>

namespace Model {
namespace Automaton {

// Splits an x range of a cell volume into slabs of whole x planes, one per
// pool thread, and runs a task per slab on the calling thread and helpers
// from the global QThreadPool. A range too thin to split runs as a single
// strip on the calling thread.
class ParallelStrips
{
public:
    struct Strip
    {
        unsigned index;
        int first; // first x plane
        int end;   // one past the last x plane
    };

    // Strips of height (end - first) / count; the last takes the remainder.
    // When that height is below `minimumHeight` the whole range is one strip.
    static std::vector<Strip> split(int first, int end, unsigned count, int minimumHeight = 1);

    // The pool's maximum thread count, at least 1.
    static unsigned threadCount();

    // Runs `task` once for every strip and returns when all have finished.
    // The calling thread and up to threadCount() - 1 pool threads take the
    // strips in turn: more strips than threads even out strips of unequal
    // work, and a run finishes even when no pool thread is free (a caller
    // that is itself a pool task).
    // Which thread runs which strip is left to timing: a task must depend
    // only on its strip. Everything the tasks wrote is visible to the caller
    // afterwards (also to ThreadSanitizer, which cannot see inside Qt's own
    // locking).
    static void run(const std::vector<Strip> &strips, const std::function<void(const Strip &)> &task);
};

} // namespace Automaton
} // namespace Model
