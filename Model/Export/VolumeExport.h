#pragma once

#include "Model/LengthUnit.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}

namespace Export {

// Exports the cells of a volume to the file formats other programs read:
// the cell grid for scientific viewers ("*.vti"), the cells as a
// hexahedral mesh for finite-element programs ("*.vtu", "*.msh"), and the
// closed surface of each material for meshing ("*.vtp", "*.stl" with one
// "*-<material>.stl" per body beside it, "*.obj" with its "*.mtl"). The
// extension chooses the format. Files are replaced only by complete new
// ones, so a failed export leaves earlier files as they were.
class VolumeExport
{
public:
    enum Format { UnknownFormat, ImageData, UnstructuredGrid, GmshMesh, PolyData, Stl, Obj };

    struct Result
    {
        bool ok = false;
        QString error;   // why nothing was written
        qint64 bytes = 0; // the size of what was written
        QStringList files; // written beside the file: an OBJ's colours, an STL's bodies
    };

    // By the extension, whatever its case.
    static Format formatOf(const QString &path);
    // The file dialog's filters, one per format.
    static QString dialogFilters();
    // "*.vti, *.vtu, *.msh, *.vtp, *.stl or *.obj", for messages.
    static QString extensionList();
    // The file of the material colours that goes with an OBJ file: beside
    // it, of the same name with blanks and "#" as "_".
    static QString companionMtl(const QString &objPath);
    // The files of the bodies that go with an STL file: beside it, its name
    // followed by "-", the material's name made safe for file names
    // (SafeFileName) and the STL file's extension ("part.stl" gives
    // "part-Si.stl"). Names that end up the same (whatever their case)
    // are told apart by the material id.
    static QString bodyFilePrefix(const QString &stlPath);
    static QStringList bodyFiles(const QString &stlPath, const std::vector<QString> &materialNames,
                                 const std::vector<std::uint32_t> &ids);

    // Coordinates are in world units; the files say how long one is
    // (`unit`, the document's).
    // `onlyMaterials` (ids) leaves the cells of all others out, as if
    // empty; none: every material.
    static Result write(const QString &path, Automaton::TotalVolume &volume,
                        const Materials::MaterialFactory &catalogue, const LengthUnit &unit = LengthUnit(),
                        const std::vector<std::uint32_t> &onlyMaterials = {});
};

} // namespace Export
} // namespace Model
