#pragma once

#include "Core/Operations/FilmProcessOperation.h"

namespace Core {
namespace Operations {

// Isotropic deposition: grows a film of uniform thickness on everything solid.
class IsotropicFilmDepositionOperation : public FilmProcessOperation
{
public:
    explicit IsotropicFilmDepositionOperation(OperationContext *context);

protected:
    void runWorker(Model::Automaton::TotalVolume &volume, Interrupter *interrupter) override;
};

} // namespace Operations
} // namespace Core
