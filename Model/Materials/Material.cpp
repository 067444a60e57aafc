#include "Model/Materials/Material.h"

#include <cmath>

namespace Model {
namespace Materials {

Material::Material()
    : Material(0, QStringLiteral("Empty"), 0.0f, 0.0f, 0.0f)
{
}

Material::Material(unsigned id, const QString &name, float density, float youngModulus, float poissonRatio,
                   const Colour &colour)
    : m_id(id)
    , m_name(name)
    , m_density(density)
    , m_youngModulus(youngModulus)
    , m_poissonRatio(poissonRatio)
    , m_colour(colour)
{
}

bool Material::isEquivalent(const Material &a, const Material &b)
{
    constexpr float Tolerance = 1.0f / 256.0f;
    const Colour &p = a.m_colour;
    const Colour &q = b.m_colour;
    return a.m_id == b.m_id && a.m_name == b.m_name
        && std::fabs(p.red - q.red) <= Tolerance && std::fabs(p.green - q.green) <= Tolerance
        && std::fabs(p.blue - q.blue) <= Tolerance && std::fabs(p.alpha - q.alpha) <= Tolerance;
}

bool Material::operator==(const Material &o) const
{
    return m_id == o.m_id && m_name == o.m_name && m_density == o.m_density
        && m_youngModulus == o.m_youngModulus && m_poissonRatio == o.m_poissonRatio && m_colour == o.m_colour;
}

} // namespace Materials
} // namespace Model
