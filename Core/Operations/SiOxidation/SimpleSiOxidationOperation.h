#pragma once

#include "Core/Operations/ProcessOperation.h"
#include "Core/Operations/SiOxidation/SiOxidationProcesses.h"

namespace Core {
namespace Operations {

// Thermal oxidation: runs once a thickness or an oxidation time arrived;
// cell units per micron not given count as 1. Undoable like every step
// that changes cells.
class SimpleSiOxidationOperation : public ProcessOperation
{
public:
    explicit SimpleSiOxidationOperation(OperationContext *context);

    void setCellUnitsPerMicron(double units)
    {
        m_parameters.unitsPerMicron = units;
        m_unitsSet = true;
    }
    void setTime(double hours)
    {
        m_parameters.time = hours;
        m_timeSet = true;
    }
    void setTemperature(double kelvin) { m_parameters.temperature = kelvin; }
    void setPressure(double atm) { m_parameters.pressure = atm; }
    void setThickness(double microns)
    {
        m_parameters.thickness = microns;
        m_thicknessSet = true;
    }
    // An oxide thinner than one cell changes nothing and says so, staying
    // out of the history and leaving the Si lattice as it was.
    void end() override;

    // The options as they stand: thickness mode wins when both were given.
    OxidationParameters parameters() const;

private:
    OxidationParameters m_parameters;
    bool m_unitsSet = false;
    bool m_timeSet = false;
    bool m_thicknessSet = false;
};

} // namespace Operations
} // namespace Core
