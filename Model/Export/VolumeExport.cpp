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

#include <cfloat>
#include <cmath>

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

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

// Why the file's numbers cannot hold the volume's corners; empty when they
// can. The cells' file holds the origin and the spacing as doubles, so only
// a corner beyond the largest double is out of reach. The surface files
// hold 32-bit floats: every corner, and every point half a cell between
// two where a side is fanned from its centre, has to be a finite float
// there, apart from its neighbours, or bodies would fold flat. The points
// are checked as the surface builder computes them, in double precision,
// before it rounds them once to floats.
QString coordinateProblem(const Automaton::TotalVolume &volume, VolumeExport::Format format)
{
    const Util::Vector3D origin = volume.position();
    const unsigned sizes[3] = {volume.sizeX(), volume.sizeY(), volume.sizeZ()};
    const double cellSizes[3] = {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()};
    for (int axis = 0; axis < 3; ++axis) {
        const QChar name = QLatin1Char("xyz"[axis]);
        const auto beyond = [&](double at, const char *numbers, double largest) {
            return QStringLiteral("the cell volume reaches %1 = %2, beyond the file's %3 (at most %4); ")
                       .arg(name)
                       .arg(number(at), QLatin1String(numbers), number(largest));
        };
        if (format == VolumeExport::ImageData) {
            for (const double at : {origin[axis], origin[axis] + double(sizes[axis]) * cellSizes[axis]})
                if (!std::isfinite(at))
                    return beyond(at, "numbers", DBL_MAX) + QStringLiteral("move the volume nearer to the origin");
            continue;
        }
        const QString remedy = QStringLiteral("move the volume nearer to the origin, or export its cells as *.vti");
        float previous = 0;
        for (std::uint64_t half = 0; half <= 2 * std::uint64_t(sizes[axis]); ++half) {
            const double at = origin[axis] + 0.5 * double(half) * cellSizes[axis];
            if (!(std::abs(at) <= double(FLT_MAX)))
                return beyond(at, "32-bit numbers", double(FLT_MAX)) + remedy;
            const float stored = float(at);
            if (half > 0 && !(stored > previous))
                return QStringLiteral("at %1 = %2 the file's 32-bit numbers cannot tell the corners apart along %1 "
                                      "(cells %3 wide); ")
                           .arg(name)
                           .arg(number(at), number(cellSizes[axis]))
                       + remedy;
            previous = stored;
        }
    }
    return QString();
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
                                         const Materials::MaterialFactory &catalogue, const LengthUnit &unit)
{
    const Format format = formatOf(path);
    if (format == UnknownFormat)
        return failure(QStringLiteral("%1: not an export format; the name has to end in %2")
                           .arg(path, extensionList()));
    // Refused before anything is opened, so an earlier file stays untouched.
    const QString outOfReach = coordinateProblem(volume, format);
    if (!outOfReach.isEmpty())
        return failure(QStringLiteral("%1: not written: %2").arg(path, outOfReach));
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
                                             ExportMaterial::of(Geometry::MaterialsSeen::of(grid), catalogue),
                                             unit.metres());
        } else {
            const Geometry::MaterialSurfaces surfaces = Geometry::MaterialSurfaceBuilder::build(grid, origin);
            std::vector<std::uint32_t> ids;
            for (const auto &body : surfaces.bodies)
                ids.push_back(body.material);
            const std::vector<ExportMaterial> materials = ExportMaterial::of(ids, catalogue);
            if (format == PolyData)
                written = PolyDataWriter::write(file, surfaces, materials, unit.metres());
            else if (format == Stl)
                written = StlWriter::write(file, surfaces, unit.metres());
            else
                written = ObjWriter::write(file, files.companion(), QFileInfo(files.companion().fileName()).fileName(),
                                           surfaces, materials, unit.metres());
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
