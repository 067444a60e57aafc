#include "Model/ModelExtraction/CantileverStructure.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/ExportMaterial.h"
#include "Model/LengthUnit.h"
#include "Model/Materials/MaterialFactory.h"

#include <cmath>
#include <utility>

namespace Model {
namespace ModelExtraction {

namespace {

BeamMaterial catalogueMaterial(std::uint32_t id)
{
    const Materials::Material material = Materials::MaterialFactory::getInstance()->getMaterial(id);
    return {material.density(), material.youngModulus()};
}

constexpr double Pi = 3.14159265358979323846;

QString number(double value)
{
    return QString::number(value, 'g', 6); // always the C locale
}

QString materialName(std::uint32_t id)
{
    return Export::ExportMaterial::of({id}, *Materials::MaterialFactory::getInstance()).front().name;
}

} // namespace

CellEdges CellEdges::of(const Automaton::TotalVolume &volume, const LengthUnit &unit)
{
    return {volume.cellsizeX() * unit.metres(), volume.cellsizeY() * unit.metres(),
            volume.cellsizeZ() * unit.metres()};
}

CellEdges CellEdges::ofDefaultUnit()
{
    const double edge = LengthUnit::defaultMetres();
    return {edge, edge, edge};
}

double CantileverStructure::Beam::resonance() const
{
    return 1.0 / (2.0 * Pi * std::sqrt(effectiveMass * compliance));
}

bool CantileverStructure::Beam::hasModel() const
{
    return std::isfinite(effectiveMass) && effectiveMass > 0 && std::isfinite(compliance) && compliance > 0;
}

CantileverStructure::CantileverStructure(const CantileverList &cantilevers, const CellEdges &edges)
    : CantileverStructure(cantilevers, edges, catalogueMaterial)
{
}

CantileverStructure::CantileverStructure(const CantileverList &cantilevers, const CellEdges &edges,
                                         MaterialLookup materials)
    : m_cantilevers(cantilevers), m_edges(edges), m_materials(std::move(materials))
{
}

CantileverStructure::Beam CantileverStructure::beam(const Cantilever &cantilever) const
{
    const RectangularCuboidEnvelope &block = *cantilever.block;
    const int along = cantilever.axis;
    const int across = 1 - along;
    Beam beam;
    beam.material = block.material();
    // Doubles throughout: cell counts of realistic beams overflow 32-bit
    // products.
    beam.length = double(block.size(along)) * m_edges.along(along);
    beam.width = double(block.size(across)) * m_edges.along(across);
    beam.thickness = double(block.sizeZ()) * m_edges.z;
    const BeamMaterial material = m_materials(beam.material);
    beam.effectiveMass = beam.length * beam.width * beam.thickness * material.density * 33.0 / 140.0;
    const double areaMoment = beam.width * beam.thickness * beam.thickness * beam.thickness / 12.0;
    beam.compliance = beam.length * beam.length * beam.length / (3.0 * material.youngModulus * areaMoment);
    return beam;
}

std::vector<CantileverStructure::Beam> CantileverStructure::beams() const
{
    std::vector<Beam> all;
    for (const Cantilever &cantilever : m_cantilevers)
        all.push_back(beam(cantilever));
    return all;
}

QString CantileverStructure::comments() const
{
    QString text = QStringLiteral("* Lengths in metres; a cell is %1 x %2 x %3 m\n")
                       .arg(number(m_edges.x), number(m_edges.y), number(m_edges.z));
    int k = 1;
    for (const Beam &b : beams()) {
        const QString dimensions = QStringLiteral("* Beam %1: %2, %3 x %4 x %5 m (length x width x thickness), ")
                                       .arg(k++)
                                       .arg(materialName(b.material), number(b.length), number(b.width),
                                            number(b.thickness));
        if (b.hasModel())
            text += dimensions
                + QStringLiteral("effective mass %1 kg, stiffness %2 N/m, first resonance %3 Hz\n")
                      .arg(number(b.effectiveMass), number(b.stiffness()), number(b.resonance()));
        else
            text += dimensions
                + QStringLiteral("left out: the material catalogue gives it no density or no Young modulus\n");
    }
    return text;
}

QString CantileverStructure::elements() const
{
    QString text;
    int k = 0;
    for (const Beam &b : beams()) {
        ++k;
        if (!b.hasModel())
            continue;
        text += QStringLiteral("c%1 %2 0 %3 \n").arg(k).arg(k).arg(number(b.effectiveMass));
        text += QStringLiteral("l%1 %2 0 %3 \n").arg(k).arg(k).arg(number(b.compliance));
    }
    return text;
}

QString CantileverStructure::netlist() const
{
    return QStringLiteral("Model extracted by Tessival\n") + comments() + elements() + QStringLiteral(".end \n");
}

QString CantileverStructure::subcircuit(const QString &name) const
{
    QString ports;
    int k = 0;
    for (const Beam &b : beams()) {
        ++k;
        if (b.hasModel())
            ports += QLatin1Char(' ') + QString::number(k);
    }
    return QStringLiteral("* Model extracted by Tessival\n") + comments()
        + QStringLiteral(".subckt %1%2\n").arg(name, ports) + elements() + QStringLiteral(".ends %1\n").arg(name);
}

} // namespace ModelExtraction
} // namespace Model
