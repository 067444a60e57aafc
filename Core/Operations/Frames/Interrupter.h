#pragma once

#include <type_traits>

namespace Core {
namespace Operations {

// What a long step tells the one who started it, and asks of them: how far
// it has come, and whether to stop. Frames call both from the thread that
// runs the step (never from the strip tasks), between phases, never inside
// a cell loop. A frame asked to stop ends at the next phase boundary, where
// its cells hold whole steps; its caller puts the cells back as they were
// before the step when it wants them (the window's undo record holds them;
// a stopped batch program writes nothing). Keeping them here would slow
// every watched run for the rare stop.
class Interrupter
{
public:
    virtual ~Interrupter() = default;

    // `phase` names the work ("Etching"); `step` of `steps` have been done.
    virtual void progress(const char *phase, int step, int steps) = 0;
    // True once the step should stop.
    virtual bool wasInterrupted() = 0;
};

// At a phase boundary of a step: reports `step` of `steps` of `phase` and
// tells whether the step should stop here. Without an interrupter nobody
// watches and the step runs to its end.
inline bool stopRequested(Interrupter *interrupter, const char *phase, int step, int steps)
{
    if (!interrupter)
        return false;
    interrupter->progress(phase, step, steps);
    return interrupter->wasInterrupted();
}

// Runs `step(i)` for i = 0 .. steps - 1, reporting before each step and
// once after the last. A step may return whether anything is left to do: a
// frame whose fronts have all emptied cannot change a cell any more, so the
// loop ends there (a depth of a thousand million cells must not keep the
// program busy for hours), and the last report still says all steps are
// done. False, after the steps done so far, when asked to stop.
template<typename Step>
bool runSteps(Interrupter *interrupter, const char *phase, int steps, const Step &step)
{
    for (int i = 0; i < steps; ++i) {
        if (stopRequested(interrupter, phase, i, steps))
            return false;
        if constexpr (std::is_same<decltype(step(i)), bool>::value) {
            if (!step(i))
                break;
        } else {
            step(i);
        }
    }
    if (interrupter)
        interrupter->progress(phase, steps, steps);
    return true;
}

} // namespace Operations
} // namespace Core
