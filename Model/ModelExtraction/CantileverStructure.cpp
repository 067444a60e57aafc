#include "Model/ModelExtraction/CantileverStructure.h"

#include "Model/Materials/MaterialFactory.h"

#include <algorithm>
#include <utility>

namespace Model {
namespace ModelExtraction {

namespace {

// The netlist's own table for the first sixteen ids; it does not follow
// edits of the catalogue.
constexpr std::uint32_t TableSize = 16;
constexpr double TableDensity[TableSize] = {0, 2329, 2700, 8940, 8908, 2648, 2810, 1000,
                                            1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000};
constexpr double TableYoungModulus = 7e10;

BeamMaterial catalogueMaterial(std::uint32_t id)
{
    const Materials::Material material = Materials::MaterialFactory::getInstance()->getMaterial(id);
    return {material.density(), material.youngModulus()};
}

QString number(double value)
{
    return QString::number(value, 'g', 6); // always the C locale
}

} // namespace

CantileverStructure::CantileverStructure(const EnvelopeList &cantilevers)
    : CantileverStructure(cantilevers, catalogueMaterial)
{
}

CantileverStructure::CantileverStructure(const EnvelopeList &cantilevers, MaterialLookup catalogue)
    : m_cantilevers(cantilevers), m_catalogue(std::move(catalogue))
{
}

BeamMaterial CantileverStructure::beamMaterial(std::uint32_t material) const
{
    if (material < TableSize)
        return {TableDensity[material], material == 0 ? 0.0 : TableYoungModulus};
    return m_catalogue(material);
}

double CantileverStructure::effectiveMass(const RectangularCuboidEnvelope &beam) const
{
    // Doubles throughout: cell counts of realistic beams overflow 32-bit
    // products.
    const double cells = double(beam.sizeX()) * double(beam.sizeY()) * double(beam.sizeZ());
    return cells * CellVolume * beamMaterial(beam.material()).density * 33.0 / 140.0;
}

double CantileverStructure::compliance(const RectangularCuboidEnvelope &beam) const
{
    const double length = std::max(beam.sizeX(), beam.sizeY());
    const double width = std::min(beam.sizeX(), beam.sizeY());
    const double thickness = beam.sizeZ();
    const double areaMoment = thickness * thickness * thickness * width / 12.0;
    return 1.0 / (3.0 * beamMaterial(beam.material()).youngModulus * areaMoment / (length * length * length));
}

QString CantileverStructure::netlist() const
{
    QString text = QStringLiteral("Model extracted by Tessival\n");
    int k = 1;
    for (const auto &beam : m_cantilevers) {
        text += QStringLiteral("c%1 %2 0 %3 \n").arg(k).arg(k).arg(number(effectiveMass(*beam)));
        text += QStringLiteral("l%1 %2 0 %3 \n").arg(k).arg(k).arg(number(compliance(*beam)));
        ++k;
    }
    text += QStringLiteral(".end \n");
    return text;
}

} // namespace ModelExtraction
} // namespace Model
