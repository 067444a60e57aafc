#pragma once

#include "Model/ModelExtraction/EnvelopeDecomposition.h"
#include "Model/ModelExtraction/IStructure.h"

#include <cstdint>
#include <functional>

namespace Model {
namespace ModelExtraction {

// Mechanical properties the netlist needs of a material.
struct BeamMaterial
{
    double density = 0.0;      // kg/m^3
    double youngModulus = 0.0; // Pa
};

// Cantilevers as lumped elements: each beam's effective mass as a capacitor
// and its tip compliance as an inductor, both between node k and ground.
class CantileverStructure : public IStructure
{
public:
    using MaterialLookup = std::function<BeamMaterial(std::uint32_t material)>;

    // Materials above 15 take their values from the material catalogue.
    explicit CantileverStructure(const EnvelopeList &cantilevers);
    // Materials above 15 take their values from `catalogue`.
    CantileverStructure(const EnvelopeList &cantilevers, MaterialLookup catalogue);

    // Numbers are always written with a decimal point, whatever the locale:
    // circuit simulators read nothing else.
    QString netlist() const override;

    const EnvelopeList &cantilevers() const { return m_cantilevers; }

    // The values the netlist uses for a material.
    BeamMaterial beamMaterial(std::uint32_t material) const;
    // 33/140 of the beam's mass, in kg.
    double effectiveMass(const RectangularCuboidEnvelope &beam) const;
    // Tip deflection per unit force: L^3 / (3 E I), lengths in cells.
    double compliance(const RectangularCuboidEnvelope &beam) const;

    // The volume of one cell, in cubic metres.
    static constexpr double CellVolume = 2.00129819772e-17;

private:
    EnvelopeList m_cantilevers;
    MaterialLookup m_catalogue;
};

} // namespace ModelExtraction
} // namespace Model
