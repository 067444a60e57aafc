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
    ProcessRun processRun() const override;
};

} // namespace Operations
} // namespace Core
