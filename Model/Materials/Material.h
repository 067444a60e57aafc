#pragma once

#include <QString>

#include <cstdint>

namespace Model {
namespace Materials {

// Silicon's id. Its cells hold the atoms of the Si lattice, so a process
// that adds or removes silicon leaves the lattice out of date.
constexpr std::uint32_t SiliconId = 1;

// The negative photoresist of the default catalogue: light hardens it, so a
// development keeps what the mask leaves uncovered.
constexpr std::uint32_t NegativePhotoresistId = 12;

// RGBA display colour of a material, each component 0..1.
struct Colour
{
    float red = 0.5f;
    float green = 0.5f;
    float blue = 0.5f;
    float alpha = 1.0f;

    bool operator==(const Colour &o) const
    {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    bool operator!=(const Colour &o) const { return !(*this == o); }
};

// One entry of the material catalogue. Cells store only the id; the name,
// colour and mechanical constants are looked up here. Id 0 is the empty
// cell and never a catalogue entry.
class Material
{
public:
    // The empty material: id 0, "Empty", all constants 0, grey.
    Material();
    Material(unsigned id, const QString &name, float density, float youngModulus, float poissonRatio,
             const Colour &colour = Colour());

    unsigned id() const { return m_id; }
    void setId(unsigned id) { m_id = id; }
    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    float density() const { return m_density; }
    void setDensity(float density) { m_density = density; }
    float youngModulus() const { return m_youngModulus; }
    void setYoungModulus(float modulus) { m_youngModulus = modulus; }
    float poissonRatio() const { return m_poissonRatio; }
    void setPoissonRatio(float ratio) { m_poissonRatio = ratio; }
    const Colour &colour() const { return m_colour; }
    void setColour(const Colour &colour) { m_colour = colour; }

    // Same id, same name (case-sensitive) and colours within 1/256 per
    // component; the mechanical constants are not compared.
    static bool isEquivalent(const Material &a, const Material &b);

    bool operator==(const Material &o) const;
    bool operator!=(const Material &o) const { return !(*this == o); }

private:
    unsigned m_id;
    QString m_name;
    float m_density;
    float m_youngModulus;
    float m_poissonRatio;
    Colour m_colour;
};

} // namespace Materials
} // namespace Model
