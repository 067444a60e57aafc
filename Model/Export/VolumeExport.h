#pragma once

#include "Model/LengthUnit.h"

#include <QString>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}

namespace Export {

// Exports the cells of a volume to the file formats other programs read:
// the cell grid for scientific viewers ("*.vti"), and the closed surface of
// each material for meshing ("*.vtp", "*.stl", "*.obj" with its "*.mtl").
// The extension chooses the format. Files are replaced only by complete new
// ones, so a failed export leaves an earlier file as it was.
class VolumeExport
{
public:
    enum Format { UnknownFormat, ImageData, PolyData, Stl, Obj };

    struct Result
    {
        bool ok = false;
        QString error;   // why nothing was written
        qint64 bytes = 0; // the size of what was written
    };

    // By the extension, whatever its case.
    static Format formatOf(const QString &path);
    // The file dialog's filters, one per format.
    static QString dialogFilters();
    // "*.vti, *.vtp, *.stl or *.obj", for messages.
    static QString extensionList();
    // The file of the material colours that goes with an OBJ file: beside
    // it, of the same name with blanks and "#" as "_".
    static QString companionMtl(const QString &objPath);

    // Coordinates are in world units; the files say how long one is
    // (`unit`, the document's).
    static Result write(const QString &path, Automaton::TotalVolume &volume,
                        const Materials::MaterialFactory &catalogue, const LengthUnit &unit = LengthUnit());
};

} // namespace Export
} // namespace Model
