#pragma once

#include "Model/ModelExtraction/EnvelopeDecomposition.h"
#include "Model/ModelExtraction/IStructure.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Model {
class LengthUnit;

namespace Automaton {
class TotalVolume;
}

namespace ModelExtraction {

// Mechanical properties the netlist needs of a material.
struct BeamMaterial
{
    double density = 0.0;      // kg/m^3
    double youngModulus = 0.0; // Pa
};

// The edges of one cell, in metres.
struct CellEdges
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    // The volume's cell sizes in the document's length unit.
    static CellEdges of(const Automaton::TotalVolume &volume, const LengthUnit &unit);
    // Cells of size 1 in the default unit.
    static CellEdges ofDefaultUnit();
    double along(int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
};

// A cantilever: its block of cells, and the axis (0 for x, 1 for y) along
// which it leaves its anchor. Its length runs along that axis, its width
// across it and its thickness along z.
struct Cantilever
{
    boost::shared_ptr<RectangularCuboidEnvelope> block;
    int axis = 0;
};
using CantileverList = std::vector<Cantilever>;

// Cantilevers as lumped elements: each beam's effective mass as a capacitor
// and its tip compliance as an inductor, both between node k and ground,
// all in SI units.
class CantileverStructure : public IStructure
{
public:
    using MaterialLookup = std::function<BeamMaterial(std::uint32_t material)>;

    // The beam's dimensions in metres, and what the model makes of them.
    struct Beam
    {
        std::uint32_t material = 0;
        double length = 0.0;
        double width = 0.0;
        double thickness = 0.0;
        double effectiveMass = 0.0; // kg: 33/140 of the beam's mass
        double compliance = 0.0;    // m/N: L^3 / (3 E I), I = w t^3 / 12
        double stiffness() const { return 1.0 / compliance; }
        // The first resonance of the mass on the spring, in Hz.
        double resonance() const;
        // False where the catalogue gives the material no density or no
        // Young modulus (a material it lacks): such a beam has no finite
        // model and is left out of the circuit.
        bool hasModel() const;
    };

    // Densities and Young moduli come from the material catalogue.
    CantileverStructure(const CantileverList &cantilevers, const CellEdges &edges);
    CantileverStructure(const CantileverList &cantilevers, const CellEdges &edges, MaterialLookup materials);

    // A deck a circuit simulator runs as it is: a title line, comments with
    // the cell size and each beam, the elements and ".end". Beam k is node
    // k. Numbers are always written with a decimal point, whatever the
    // locale.
    QString netlist() const override;
    // The same elements as a subcircuit `name` with one port per beam that
    // has a model (node k), to be included into a larger circuit: no ".end".
    QString subcircuit(const QString &name) const;

    const CantileverList &cantilevers() const { return m_cantilevers; }
    std::vector<Beam> beams() const;
    Beam beam(const Cantilever &cantilever) const;

    // The volume of one cell of size 1 in the default length unit, in cubic
    // metres.
    static constexpr double CellVolume = 2.00129819772e-17;

private:
    QString comments() const;
    QString elements() const;

    CantileverList m_cantilevers;
    CellEdges m_edges;
    MaterialLookup m_materials;
};

} // namespace ModelExtraction
} // namespace Model
