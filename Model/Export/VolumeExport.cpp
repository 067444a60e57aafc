#include "Model/Export/VolumeExport.h"

#include "Model/Automaton/CellRange.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/ExportMaterial.h"
#include "Model/Export/ImageDataWriter.h"
#include "Model/Export/ObjWriter.h"
#include "Model/Export/PolyDataWriter.h"
#include "Model/Export/StlWriter.h"
#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/MaterialSurfaceBuilder.h"
#include "Model/Geometry/MaterialsSeen.h"
#include "Model/Persistence/SaveFilePair.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace Model {
namespace Export {

namespace {

VolumeExport::Result failure(const QString &error)
{
    VolumeExport::Result result;
    result.error = error;
    return result;
}

std::array<double, 3> originOf(const Automaton::TotalVolume &volume)
{
    const Util::Vector3D position = volume.position();
    return {position.x, position.y, position.z};
}

} // namespace

VolumeExport::Format VolumeExport::formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("vti"))
        return ImageData;
    if (suffix == QLatin1String("vtp"))
        return PolyData;
    if (suffix == QLatin1String("stl"))
        return Stl;
    if (suffix == QLatin1String("obj"))
        return Obj;
    return UnknownFormat;
}

QString VolumeExport::dialogFilters()
{
    return QStringLiteral("VTK image data (*.vti);;VTK polygonal data (*.vtp);;STL surfaces (*.stl);;"
                          "Wavefront OBJ surfaces (*.obj)");
}

QString VolumeExport::extensionList()
{
    return QStringLiteral("*.vti, *.vtp, *.stl or *.obj");
}

QString VolumeExport::companionMtl(const QString &objPath)
{
    const QFileInfo obj(objPath);
    // Readers take each word after "mtllib" for a file of its own, and "#"
    // for the start of a comment: the name of the colours file has neither.
    QString name = obj.completeBaseName();
    for (QChar &c : name)
        if (c.unicode() <= ' ' || c.isSpace() || c == QLatin1Char('#'))
            c = QLatin1Char('_');
    return obj.dir().filePath(name + QStringLiteral(".mtl"));
}

VolumeExport::Result VolumeExport::write(const QString &path, Automaton::TotalVolume &volume,
                                         const Materials::MaterialFactory &catalogue)
{
    const Format format = formatOf(path);
    if (format == UnknownFormat)
        return failure(QStringLiteral("%1: not an export format; the name has to end in %2")
                           .arg(path, extensionList()));
    Persistence::SaveFilePair files(path, format == Obj ? companionMtl(path) : QString());
    if (!files.open())
        return failure(QStringLiteral("%1: cannot be written: %2").arg(files.failedFileName(), files.errorString()));
    QSaveFile &file = files.file();

    const std::array<double, 3> origin = originOf(volume);
    bool written = false;
    {
        Automaton::LockedCells cells(volume);
        const Geometry::CellGrid grid = Geometry::CellGrid::of(
            volume, cells.get(), Automaton::CellRange::whole(volume.sizeX(), volume.sizeY(), volume.sizeZ()));
        if (format == ImageData) {
            written = ImageDataWriter::write(file, grid, origin,
                                             ExportMaterial::of(Geometry::MaterialsSeen::of(grid), catalogue));
        } else {
            const Geometry::MaterialSurfaces surfaces = Geometry::MaterialSurfaceBuilder::build(grid, origin);
            std::vector<std::uint32_t> ids;
            for (const auto &body : surfaces.bodies)
                ids.push_back(body.material);
            const std::vector<ExportMaterial> materials = ExportMaterial::of(ids, catalogue);
            if (format == PolyData)
                written = PolyDataWriter::write(file, surfaces, materials);
            else if (format == Stl)
                written = StlWriter::write(file, surfaces);
            else
                written = ObjWriter::write(file, files.companion(), QFileInfo(files.companion().fileName()).fileName(),
                                           surfaces, materials);
        }
    }
    if (!written) {
        // The writers refuse only what the device refused or a surface too
        // large for the format's counts.
        const QString reason = files.errorString().isEmpty()
                                   ? QStringLiteral("the surface has too many triangles for one file")
                                   : files.errorString();
        files.discard();
        return failure(QStringLiteral("%1: not written: %2").arg(path, reason));
    }
    if (!files.commit())
        return failure(QStringLiteral("%1: not written: %2").arg(path, files.errorString()));
    Result result;
    result.ok = true;
    result.bytes = QFileInfo(path).size() + (format == Obj ? QFileInfo(companionMtl(path)).size() : 0);
    return result;
}

} // namespace Export
} // namespace Model
