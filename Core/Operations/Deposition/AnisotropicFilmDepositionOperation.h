#pragma once

#include "Core/Operations/FilmProcessOperation.h"

namespace Core {
namespace Operations {

// Directional deposition: a film that grows from the surfaces facing up,
// down or both, reaching sideways by the horizontal ratio.
class AnisotropicFilmDepositionOperation : public FilmProcessOperation
{
public:
    explicit AnisotropicFilmDepositionOperation(OperationContext *context);

    void setHorizontalRatio(float ratio)
    {
        m_ratio = ratio;
        addInput();
    }
    void setSide(int side)
    {
        m_side = side;
        addInput();
    }
    float horizontalRatio() const { return m_ratio; }
    int side() const { return m_side; }

protected:
    ProcessRun processRun() const override;
    const char *volumeSelectedSentence() const override { return "Isotropic Deposition: Cell volume selected."; }

private:
    // The option dialog's first values, for an end() before all options came.
    float m_ratio = 0.5f;
    int m_side = 1;
};

} // namespace Operations
} // namespace Core
