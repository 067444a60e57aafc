#pragma once

#include "Core/Operations/ProcessKind.h"

namespace Core {
namespace Operations {

// The options of thermal oxidation: either the oxide thickness in microns,
// or a time (hours), temperature (kelvin) and pressure (atm) that give it,
// and the cell units per micron.
struct OxidationParameters
{
    double unitsPerMicron = 1.0;
    bool timeMode = false;
    double thickness = 0.0;
    double time = 0.0;
    double temperature = 0.0;
    double pressure = 0.0;

    // The oxide thickness in cell units.
    double oxideCellUnits() const;
};

// The descriptor of thermal oxidation ("Si Oxidation" in process lists).
const ProcessKind<OxidationParameters> &siOxidationDescriptor();

} // namespace Operations
} // namespace Core
