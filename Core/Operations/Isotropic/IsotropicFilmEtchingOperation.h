#pragma once

#include "Core/Operations/FilmProcessOperation.h"

namespace Core {
namespace Operations {

// Isotropic etching: removes one material to a uniform depth from its free surfaces.
class IsotropicFilmEtchingOperation : public FilmProcessOperation
{
public:
    explicit IsotropicFilmEtchingOperation(OperationContext *context);

protected:
    ProcessRun processRun() const override;
};

} // namespace Operations
} // namespace Core
