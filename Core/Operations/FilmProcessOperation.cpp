#include "Core/Operations/FilmProcessOperation.h"

namespace Core {
namespace Operations {

FilmProcessOperation::FilmProcessOperation(OperationContext *context, const std::string &title, int id,
                                           const std::string &stateKey, int instance, int inputsNeeded)
    : ProcessOperation(context, title, id, stateKey, instance)
    , m_inputsNeeded(inputsNeeded)
{
}

void FilmProcessOperation::end()
{
    if (inputCount() < m_inputsNeeded) {
        cancel();
        return;
    }
    runProcess([this](Model::Automaton::TotalVolume &volume, Interrupter *interrupter) { runWorker(volume, interrupter); },
               changesSilicon() ? OutdatesSiLattice : LeavesSiLattice);
}

} // namespace Operations
} // namespace Core
