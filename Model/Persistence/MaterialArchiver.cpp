#include "Model/Persistence/MaterialArchiver.h"

#include "Model/Persistence/CatalogueFile.h"
#include "Util/DebugLog.h"
#include "Util/DecimalText.h"

#include <QColor>
#include <QDebug>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace Model {
namespace Persistence {

using Materials::Colour;
using Materials::Material;

namespace {

QString hexByte(float component)
{
    const int value = std::clamp(int(component * 255.0f), 0, 255);
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString MaterialArchiver::colourName(const Colour &c)
{
    return QLatin1Char('#') + hexByte(c.alpha) + hexByte(c.red) + hexByte(c.green) + hexByte(c.blue);
}

bool MaterialArchiver::parseColourName(const QString &text, Colour &colour)
{
    if (!text.startsWith(QLatin1Char('#'))) {
        // Hand-written files name colours ("red", "steelblue").
        const QColor named(text);
        if (text.isEmpty() || !named.isValid())
            return false;
        colour = Colour{float(named.redF()), float(named.greenF()), float(named.blueF()), float(named.alphaF())};
        return true;
    }
    const QString digits = text.mid(1);
    const bool allHex = std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
    });
    bool ok = false;
    const uint value = allHex ? digits.toUInt(&ok, 16) : 0;
    if (!ok)
        return false;
    auto channel = [value](int shift) { return float((value >> shift) & 0xff) / 255.0f; };
    switch (digits.size()) {
    case 8:
        colour = Colour{channel(16), channel(8), channel(0), channel(24)};
        return true;
    case 6:
        colour = Colour{channel(16), channel(8), channel(0), 1.0f};
        return true;
    case 3: {
        auto nibble = [value](int shift) { return float(((value >> shift) & 0xf) * 17) / 255.0f; };
        colour = Colour{nibble(8), nibble(4), nibble(0), 1.0f};
        return true;
    }
    default:
        return false;
    }
}

Material MaterialArchiver::loadMaterial(QXmlStreamReader *reader, bool *ok)
{
    Material material;
    if (ok)
        *ok = false;
    if (!reader || reader->name() != QLatin1String("Material"))
        return material;

    // The empty material is called "Empty"; an element without a "name"
    // must still count as nameless, and be skipped.
    material.setName(QString());
    for (const QXmlStreamAttribute &attribute : reader->attributes()) {
        const QStringRef name = attribute.name();
        const QString value = attribute.value().toString();
        qCDebug(tessivalLog) << "attribute: " << CatalogueFile::forLog(name.toString());
        if (name == QLatin1String("name")) {
            material.setName(value);
        } else if (name == QLatin1String("material-id")) {
            bool converted = false;
            const uint id = value.toUInt(&converted);
            if (!converted)
                qCDebug(tessivalLog) << "material-id is not an unsigned 32-bit number:" << CatalogueFile::forLog(value);
            material.setId(converted ? id : 0);
        } else if (name == QLatin1String("density")) {
            material.setDensity(value.toFloat());
        } else if (name == QLatin1String("poisson-ratio")) {
            material.setPoissonRatio(value.toFloat());
        } else if (name == QLatin1String("young-modulus")) {
            material.setYoungModulus(value.toFloat());
        } else if (name == QLatin1String("color")) {
            Colour colour;
            if (parseColourName(value, colour))
                material.setColour(colour);
            else
                qCDebug(tessivalLog) << "color is neither of the form #AARRGGBB nor a colour name:"
                         << CatalogueFile::forLog(value);
        }
    }
    const bool valid = material.id() != 0 && !material.name().isEmpty();
    if (!valid)
        qCDebug(tessivalLog) << "Material skipped: it needs a name and an id other than 0";
    if (ok)
        *ok = valid;
    return material;
}

bool MaterialArchiver::saveMaterial(QXmlStreamWriter *writer, const Material &material)
{
    if (!writer)
        return false;
    writer->writeEmptyElement(QStringLiteral("Material"));
    writer->writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    writer->writeAttribute(QStringLiteral("name"), material.name());
    writer->writeAttribute(QStringLiteral("material-id"), QString::number(material.id()));
    writer->writeAttribute(QStringLiteral("density"), Util::generalNumber(material.density()));
    writer->writeAttribute(QStringLiteral("poisson-ratio"), Util::generalNumber(material.poissonRatio()));
    writer->writeAttribute(QStringLiteral("young-modulus"), Util::generalNumber(material.youngModulus()));
    writer->writeAttribute(QStringLiteral("color"), colourName(material.colour()));
    return !writer->hasError();
}

} // namespace Persistence
} // namespace Model
