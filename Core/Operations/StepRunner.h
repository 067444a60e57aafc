#pragma once

#include <functional>
#include <string>

namespace Core {
namespace Operations {

class Interrupter;

// Runs the long part of an operation (a process worker, the Si lattice
// build) and waits for it. This one runs it on the calling thread with no
// one to stop it, as the headless callers want; a window installs a runner
// that keeps itself alive meanwhile and lets the user follow and stop the
// work (OperationContext::setStepRunner).
class StepRunner
{
public:
    enum Outcome {
        Finished, // the work ran to its end
        Canceled  // the work was asked to stop; it may have stopped part way
    };
    // Hands its progress to the interrupter it is given, which may be null.
    using Work = std::function<void(Interrupter *)>;

    virtual ~StepRunner();

    // `title` names the work for the user: the operation's title.
    virtual Outcome run(const std::string &title, const Work &work);
};

} // namespace Operations
} // namespace Core
