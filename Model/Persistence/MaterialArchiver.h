#pragma once

#include "Model/Materials/Material.h"

class QXmlStreamReader;
class QXmlStreamWriter;

namespace Model {
namespace Persistence {

// Reads and writes one "Material" element, as in the materials file and in
// documents: attributes "version", "name", "material-id", "density",
// "poisson-ratio", "young-modulus" and "color" (#AARRGGBB, or a colour name
// when read).
class MaterialArchiver
{
public:
    // Reads the element at which the reader stands. `ok` is false for an
    // element that is not a "Material", or has no name or id 0.
    static Materials::Material loadMaterial(QXmlStreamReader *reader, bool *ok);
    // False when there is no writer or it reports an error afterwards.
    static bool saveMaterial(QXmlStreamWriter *writer, const Materials::Material &material);

    // "#AARRGGBB" from the integer parts of component x 255.
    static QString colourName(const Materials::Colour &colour);
    // Accepts "#AARRGGBB", "#RRGGBB", "#RGB" and the colour names QColor
    // knows ("red", "transparent"); false for anything else.
    static bool parseColourName(const QString &text, Materials::Colour &colour);
};

} // namespace Persistence
} // namespace Model
