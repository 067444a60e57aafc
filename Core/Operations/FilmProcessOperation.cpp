#include "Core/Operations/FilmProcessOperation.h"

namespace Core {
namespace Operations {

FilmProcessOperation::FilmProcessOperation(OperationContext *context, const ProcessDescriptor &descriptor,
                                           int instance, int inputsNeeded)
    : ProcessOperation(context, descriptor, instance)
    , m_inputsNeeded(inputsNeeded)
{
}

void FilmProcessOperation::end()
{
    if (inputCount() < m_inputsNeeded) {
        cancel();
        return;
    }
    runProcess(processRun());
}

} // namespace Operations
} // namespace Core
