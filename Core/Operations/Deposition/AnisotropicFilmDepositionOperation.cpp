#include "Core/Operations/Deposition/AnisotropicFilmDepositionOperation.h"

#include "Core/Operations/Deposition/AnisotropicDepositionProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
// The isotropic deposition writes its records under the same key from 0
// upwards; these count down from -1, so the two never meet.
std::atomic<int> instances{0};
} // namespace

AnisotropicFilmDepositionOperation::AnisotropicFilmDepositionOperation(OperationContext *context)
    : FilmProcessOperation(context, anisotropicDepositionDescriptor(), -1 - instances.fetch_add(1), 3)
{
}

ProcessRun AnisotropicFilmDepositionOperation::processRun() const
{
    return anisotropicDepositionDescriptor().bind({thickness(), materialId(), m_ratio, m_side});
}

} // namespace Operations
} // namespace Core
