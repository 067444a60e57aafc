#pragma once

namespace Core {
namespace Operations {

// What a long step tells the one who started it, and asks of them: how far
// it has come, and whether to stop. Frames call both from the thread that
// runs the step (never from the strip tasks), between phases, never inside
// a cell loop. A step asked to stop ends at the next phase boundary; its
// caller puts the cells back as they were before the step.
class Interrupter
{
public:
    virtual ~Interrupter() = default;

    // `phase` names the work ("Etching"); `step` of `steps` have been done.
    virtual void progress(const char *phase, int step, int steps) = 0;
    // True once the step should stop.
    virtual bool wasInterrupted() = 0;
};

} // namespace Operations
} // namespace Core
