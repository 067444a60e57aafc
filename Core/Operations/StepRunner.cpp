#include "Core/Operations/StepRunner.h"

namespace Core {
namespace Operations {

StepRunner::~StepRunner() = default;

StepRunner::Outcome StepRunner::run(const std::string &, const Work &work)
{
    work(nullptr);
    return Finished;
}

} // namespace Operations
} // namespace Core
