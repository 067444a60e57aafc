#pragma once

#include <cstddef>
#include <cstdint>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// What a time-multiplexed deep etch is given. Lengths are in world units.
struct DeepEtchRecipe
{
    std::uint32_t etched = 1;      // the material the pulses etch (Si)
    std::uint32_t passivation = 0; // the film's material
    int cycles = 0;
    float depthPerCycle = 0.0f;       // how far one isotropic pulse reaches
    float passivationThickness = 0.0f; // 0: no film, the pulses add up to an isotropic etch
    // The pulse's reach falls with the view factor of the opening seen from
    // the floor (OpeningViewFactor): narrow, deep features etch slower.
    bool aspectRatioDependent = false;
    bool stripPassivation = true; // the film is taken away after the last cycle
};

// Deep reactive ion etching as cycles of three parts: a conformal
// passivation film over every exposed surface, ions clearing the film from
// the surfaces that face up (down each column, as far as one film is
// thick), and an isotropic etch pulse from the cleared floors, which the
// film on the walls bounds. Each pulse leaves a scallop on the walls and
// reaches under the mask's edge; the trench goes down by about one pulse
// per cycle. Other materials than the etched one are never etched.
class DeepReactiveIonEtching
{
public:
    DeepReactiveIonEtching(Model::Automaton::TotalVolume &volume, const DeepEtchRecipe &recipe,
                           Interrupter *interrupter = nullptr);

    // Runs the cycles, reporting each and stopping between two when asked
    // (false then; the caller puts the cells back). The cycles end early
    // once a pulse etched no cell: the floors are down to what cannot be
    // etched, and further cycles would only add film.
    bool run();

    int cyclesRun() const { return m_cyclesRun; }
    // Whether the volume held any cell of the etched material to begin with.
    bool hadEtchedMaterial() const { return m_hadEtchedMaterial; }

private:
    void passivate();
    void clearUpFacingFilm();
    std::size_t etchPulse();
    void stripFilm();

    Model::Automaton::TotalVolume &m_volume;
    const DeepEtchRecipe m_recipe;
    Interrupter *const m_interrupter;
    int m_cyclesRun = 0;
    bool m_hadEtchedMaterial = false;
};

} // namespace Operations
} // namespace Core
