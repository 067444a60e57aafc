#include "Model/Export/VolumeExport.h"

#include "Model/Automaton/CellRange.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/ExportMaterial.h"
#include "Model/Export/GmshMeshWriter.h"
#include "Model/Export/HexahedralMesh.h"
#include "Model/Export/ImageDataWriter.h"
#include "Model/Export/ObjWriter.h"
#include "Model/Export/PolyDataWriter.h"
#include "Model/Export/SafeFileName.h"
#include "Model/Export/StlWriter.h"
#include "Model/Export/UnstructuredGridWriter.h"
#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/MaterialSurfaceBuilder.h"
#include "Model/Geometry/MaterialsSeen.h"
#include "Model/Persistence/SaveFilePair.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>

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
        if (format == VolumeExport::UnstructuredGrid || format == VolumeExport::GmshMesh) {
            // The points are doubles: each corner must be one of its own.
            double previous = 0;
            for (std::uint64_t step = 0; step <= std::uint64_t(sizes[axis]); ++step) {
                const double at = origin[axis] + double(step) * cellSizes[axis];
                if (!std::isfinite(at))
                    return beyond(at, "numbers", DBL_MAX) + QStringLiteral("move the volume nearer to the origin");
                if (step > 0 && !(at > previous))
                    return QStringLiteral("at %1 = %2 the file's numbers cannot tell the corners apart along %1 "
                                          "(cells %3 wide); move the volume nearer to the origin, or export its "
                                          "cells as *.vti")
                        .arg(name)
                        .arg(number(at), number(cellSizes[axis]));
                previous = at;
            }
            continue;
        }
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
    if (suffix == QLatin1String("vtu"))
        return UnstructuredGrid;
    if (suffix == QLatin1String("msh"))
        return GmshMesh;
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
    return QStringLiteral("VTK image data (*.vti);;VTK hexahedral mesh (*.vtu);;gmsh hexahedral mesh (*.msh);;"
                          "VTK polygonal data (*.vtp);;STL surfaces (*.stl);;Wavefront OBJ surfaces (*.obj)");
}

QString VolumeExport::extensionList()
{
    return QStringLiteral("*.vti, *.vtu, *.msh, *.vtp, *.stl or *.obj");
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

QString VolumeExport::bodyFilePrefix(const QString &stlPath)
{
    const QFileInfo stl(stlPath);
    return stl.dir().filePath(stl.completeBaseName() + QLatin1Char('-'));
}

QStringList VolumeExport::bodyFiles(const QString &stlPath, const std::vector<QString> &materialNames,
                                    const std::vector<std::uint32_t> &ids)
{
    const QString suffix = QLatin1Char('.') + QFileInfo(stlPath).suffix();
    std::vector<QString> parts;
    for (std::size_t i = 0; i < ids.size(); ++i)
        parts.push_back(SafeFileName::part(materialNames[i], QStringLiteral("material-%1").arg(ids[i])));
    QStringList files;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto same = [&](const QString &other) { return other.compare(parts[i], Qt::CaseInsensitive) == 0; };
        QString part = parts[i];
        if (std::count_if(parts.begin(), parts.end(), same) > 1)
            part += QStringLiteral("-%1").arg(ids[i]);
        files.append(bodyFilePrefix(stlPath) + part + suffix);
    }
    return files;
}

namespace {

// The cells of the chosen materials, the others empty.
std::vector<Automaton::Voxel> onlyThese(const Automaton::Voxel *cells, std::size_t count,
                                        const std::vector<std::uint32_t> &materials)
{
    std::vector<Automaton::Voxel> kept(count);
    for (std::size_t i = 0; i < count; ++i)
        if (std::find(materials.begin(), materials.end(), cells[i].material) != materials.end())
            kept[i].material = cells[i].material;
    return kept;
}

qint64 sizeOf(const QString &path, const QStringList &companions)
{
    qint64 bytes = QFileInfo(path).size();
    for (const QString &companion : companions)
        bytes += QFileInfo(companion).size();
    return bytes;
}

} // namespace

VolumeExport::Result VolumeExport::write(const QString &path, Automaton::TotalVolume &volume,
                                         const Materials::MaterialFactory &catalogue, const LengthUnit &unit,
                                         const std::vector<std::uint32_t> &onlyMaterials)
{
    const Format format = formatOf(path);
    if (format == UnknownFormat)
        return failure(QStringLiteral("%1: not an export format; the name has to end in %2")
                           .arg(path, extensionList()));
    // Refused before anything is opened, so an earlier file stays untouched.
    const QString outOfReach = coordinateProblem(volume, format);
    if (!outOfReach.isEmpty())
        return failure(QStringLiteral("%1: not written: %2").arg(path, outOfReach));

    const std::array<double, 3> origin = originOf(volume);
    const std::array<double, 3> cellSize{double(volume.cellsizeX()), double(volume.cellsizeY()),
                                         double(volume.cellsizeZ())};
    QStringList companions;
    bool written = false;
    QString problem;
    {
        Automaton::LockedCells cells(volume);
        std::vector<Automaton::Voxel> chosen;
        if (!onlyMaterials.empty())
            chosen = onlyThese(cells.get(), volume.cellCount(), onlyMaterials);
        const Geometry::CellGrid grid =
            Geometry::CellGrid::of(volume, onlyMaterials.empty() ? cells.get() : chosen.data(),
                                   Automaton::CellRange::whole(volume.sizeX(), volume.sizeY(), volume.sizeZ()));
        // What the bodies' files are called is known once the bodies are.
        Geometry::MaterialSurfaces surfaces;
        std::vector<ExportMaterial> materials;
        std::unique_ptr<HexahedralMesh> mesh;
        if (format == ImageData) {
            materials = ExportMaterial::of(Geometry::MaterialsSeen::of(grid), catalogue);
        } else if (format == UnstructuredGrid || format == GmshMesh) {
            mesh = std::make_unique<HexahedralMesh>(grid);
            if (!mesh->fits())
                return failure(QStringLiteral("%1: not written: the cells have more corners than the file can "
                                              "number")
                                   .arg(path));
            std::vector<std::uint32_t> ids;
            for (const auto &entry : mesh->materials())
                ids.push_back(entry.first);
            materials = ExportMaterial::of(ids, catalogue);
        } else {
            surfaces = Geometry::MaterialSurfaceBuilder::build(grid, origin);
            std::vector<std::uint32_t> ids;
            for (const auto &body : surfaces.bodies)
                ids.push_back(body.material);
            materials = ExportMaterial::of(ids, catalogue);
            if (format == Stl) {
                std::vector<QString> names;
                for (const ExportMaterial &material : materials)
                    names.push_back(material.name);
                companions = bodyFiles(path, names, ids);
            } else if (format == Obj) {
                companions.append(companionMtl(path));
            }
        }

        Persistence::SaveFilePair files(path, companions);
        if (!files.open())
            return failure(QStringLiteral("%1: cannot be written: %2").arg(files.failedFileName(), files.errorString()));
        QSaveFile &file = files.file();
        switch (format) {
        case ImageData:
            written = ImageDataWriter::write(file, grid, origin, materials, unit.metres());
            break;
        case UnstructuredGrid:
            written = UnstructuredGridWriter::write(file, *mesh, origin, cellSize, materials, unit.metres());
            break;
        case GmshMesh:
            written = GmshMeshWriter::write(file, *mesh, origin, cellSize, materials, unit.metres());
            break;
        case PolyData:
            written = PolyDataWriter::write(file, surfaces, materials, unit.metres());
            break;
        case Stl:
            written = StlWriter::write(file, surfaces, unit.metres());
            for (std::size_t body = 0; written && body < surfaces.bodies.size(); ++body)
                written = StlWriter::writeBody(
                    files.companion(body), surfaces, body,
                    QFileInfo(companions[int(body)]).completeBaseName().mid(QFileInfo(path).completeBaseName().size() + 1).toUtf8());
            break;
        default:
            written = ObjWriter::write(file, files.companion(), QFileInfo(files.companion().fileName()).fileName(),
                                       surfaces, materials, unit.metres());
            break;
        }
        if (!written) {
            // The writers refuse only what the device refused or a surface
            // too large for the format's counts.
            problem = files.errorString().isEmpty() ? QStringLiteral("the surface has too many triangles for one file")
                                                    : files.errorString();
            files.discard();
        } else if (!files.commit()) {
            written = false;
            problem = files.errorString();
        }
    }
    if (!written)
        return failure(QStringLiteral("%1: not written: %2").arg(path, problem));
    Result result;
    result.ok = true;
    result.bytes = sizeOf(path, companions);
    result.files = companions;
    return result;
}

} // namespace Export
} // namespace Model
