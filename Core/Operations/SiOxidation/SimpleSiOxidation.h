#pragma once

#include "Model/Process/MaterialSet.h"

#include <cstdint>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// Thermal oxidation of the oxidizable materials (the compatible materials of
// "Simple Si Oxidation"): an oxide of total thickness x grows on every free
// face, 0.3·x of it into the solid, which it consumes, and up to 0.56·x out
// into the empty cells. Other materials block it and are never converted.
// The thickness comes either directly or from the Deal–Grove model.
class SimpleSiOxidation
{
public:
    // The thermal oxide of the material catalogue.
    static constexpr std::uint32_t OxideId = 3;

    // `cellUnitsPerMicron` converts microns into the volume's length units.
    SimpleSiOxidation(Model::Automaton::TotalVolume &volume, double cellUnitsPerMicron,
                      Interrupter *interrupter = nullptr);

    // The Deal–Grove oxide thickness in microns after `hours` at `kelvin`
    // and `atm`, from an initial oxide of 25 nm; not a number at 0 K. Writes
    // the model's terms to the debug log.
    static double oxideThickness(double hours, double kelvin, double atm);

    // Oxidizes for that time, temperature and pressure.
    bool oxidateFor(double time, double temperature, double pressure);
    // Grows an oxide of x cell units. False when the interrupter stopped it.
    bool runOxidation(double x);
    // Whether an oxide of x cell units changes any cell: thinner than one
    // cell edge, or not a number, it does not.
    static bool oxidizes(const Model::Automaton::TotalVolume &volume, double x);

    double cellUnitsPerMicron() const { return m_unitsPerMicron; }

private:
    class Front;

    Model::Automaton::TotalVolume &m_volume;
    const double m_unitsPerMicron;
    Interrupter *const m_interrupter;
    const Model::Process::MaterialSet m_oxidizable;
};

} // namespace Operations
} // namespace Core
