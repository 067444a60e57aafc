// The exports as files: the formats chosen by extension, the cell order and
// header of the image data, the size and attributes of binary STL and the
// files of its bodies, the groups and colours of OBJ, the gmsh mesh, the
// chosen materials, the step series, and failures that never leave a
// half-written file or touch an earlier one. Real readers open the same files in the
// reader checks (tests/Model/Export/check_export.py).
#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/ObjWriter.h"
#include "Model/Export/SafeFileName.h"
#include "Model/Export/StepSeries.h"
#include "Model/Export/VolumeExport.h"
#include "Model/Materials/MaterialFactory.h"

#include "FileSizeLimit.h"
#include "FilledVolume.h"
#include "TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <cfloat>
#include <cstring>

using Model::Export::VolumeExport;
using Model::Materials::Colour;
using Model::Materials::Material;
using TestSupport::TempFolder;

namespace {

class VolumeExportTest : public ::testing::Test
{
protected:
    VolumeExportTest() : catalogue(temp.file(QStringLiteral("catalogue")))
    {
        catalogue.setMaterial(Material(1, "Silicon", 1, 1, 1, Colour{0.5f, 0.5f, 0.5f, 1.0f}));
        catalogue.setMaterial(Material(300, "Silicon Oxide", 1, 1, 1, Colour{0.2f, 0.4f, 1.0f, 0.5f}));
        placeVolumeAt(Util::Vector3D(10, 20, 30));
    }

    // 4 x 3 x 2 cells at `position`, 0.5 x 1 x 2 each: silicon below, oxide
    // above but for an empty cell in one corner.
    void placeVolumeAt(const Util::Vector3D &position)
    {
        volume = TestSupport::filledVolume(
            4, 3, 2,
            [](unsigned x, unsigned y, unsigned z) {
                return z == 0 ? 1u : (x == 3 && y == 2 ? 0u : 300u);
            },
            {0.5f, 1.0f, 2.0f});
        volume->moveBy(position);
    }

    VolumeExport::Result exportTo(const QString &name) { return VolumeExport::write(temp.file(name), *volume, catalogue); }

    TempFolder temp;
    Model::Materials::MaterialFactory catalogue;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

} // namespace

TEST_F(VolumeExportTest, TheExtensionChoosesTheFormat)
{
    EXPECT_EQ(VolumeExport::formatOf(QStringLiteral("a/b.vti")), VolumeExport::ImageData);
    EXPECT_EQ(VolumeExport::formatOf(QStringLiteral("b.VTP")), VolumeExport::PolyData);
    EXPECT_EQ(VolumeExport::formatOf(QStringLiteral("b.Stl")), VolumeExport::Stl);
    EXPECT_EQ(VolumeExport::formatOf(QStringLiteral("b.obj")), VolumeExport::Obj);
    EXPECT_EQ(VolumeExport::formatOf(QStringLiteral("b.vtu")), VolumeExport::UnstructuredGrid);
    EXPECT_EQ(VolumeExport::formatOf(QStringLiteral("b.MSH")), VolumeExport::GmshMesh);
    EXPECT_EQ(VolumeExport::formatOf(QStringLiteral("b.cvx")), VolumeExport::UnknownFormat);
    EXPECT_EQ(VolumeExport::formatOf(QStringLiteral("vti")), VolumeExport::UnknownFormat);

    const VolumeExport::Result result = exportTo(QStringLiteral("result.ply"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("*.vti, *.vtu, *.msh, *.vtp, *.stl or *.obj"))) << result.error.toStdString();
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(VolumeExportTest, ImageDataHoldsEveryCellWithXFastest)
{
    const VolumeExport::Result result = exportTo(QStringLiteral("cells.vti"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QByteArray file = TempFolder::read(temp.file(QStringLiteral("cells.vti")));
    EXPECT_EQ(result.bytes, file.size());
    EXPECT_TRUE(file.contains("WholeExtent=\"0 4 0 3 0 2\" Origin=\"10 20 30\" Spacing=\"0.5 1 2\""));
    // Ids up to 300 take two bytes a cell.
    EXPECT_TRUE(file.contains("<DataArray type=\"UInt16\" Name=\"material\" format=\"appended\" offset=\"0\"/>"));
    EXPECT_TRUE(file.contains("Name=\"material_id\" NumberOfTuples=\"2\" format=\"ascii\">1 300</Array>"));
    const int start = file.indexOf("\n   _") + 5;
    quint64 bytes = 0;
    std::memcpy(&bytes, file.constData() + start, sizeof bytes);
    ASSERT_EQ(bytes, 24u * 2u);
    std::vector<quint16> cells(24);
    std::memcpy(cells.data(), file.constData() + start + 8, bytes);
    EXPECT_EQ(cells[0], 1u);       // (0, 0, 0)
    EXPECT_EQ(cells[11], 1u);      // (3, 2, 0)
    EXPECT_EQ(cells[12], 300u);    // (0, 0, 1)
    EXPECT_EQ(cells[23], 0u);      // (3, 2, 1): the empty corner
    EXPECT_EQ(cells[22], 300u);    // (2, 2, 1)
    EXPECT_TRUE(file.endsWith("</AppendedData>\n</VTKFile>\n"));
}

TEST_F(VolumeExportTest, BinaryStlCarriesTheMaterialOfEachTriangle)
{
    const VolumeExport::Result result = exportTo(QStringLiteral("surfaces.stl"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QByteArray file = TempFolder::read(temp.file(QStringLiteral("surfaces.stl")));
    ASSERT_GE(file.size(), 84);
    EXPECT_FALSE(file.startsWith("solid"));
    quint32 triangles = 0;
    std::memcpy(&triangles, file.constData() + 80, 4);
    ASSERT_EQ(file.size(), 84 + 50 * qint64(triangles));
    std::map<quint16, int> perMaterial;
    for (quint32 i = 0; i < triangles; ++i) {
        quint16 attribute = 0;
        std::memcpy(&attribute, file.constData() + 84 + 50 * i + 48, 2);
        ++perMaterial[attribute];
    }
    EXPECT_EQ(perMaterial.size(), 2u);
    EXPECT_GE(perMaterial[1], 12); // the silicon slab, its top split where the oxide ends
    EXPECT_GT(perMaterial[300], 12);
}

TEST_F(VolumeExportTest, ObjHasAGroupAndAColourPerMaterial)
{
    const VolumeExport::Result result = exportTo(QStringLiteral("surfaces.obj"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QString obj = QString::fromUtf8(TempFolder::read(temp.file(QStringLiteral("surfaces.obj"))));
    const QString mtl = QString::fromUtf8(TempFolder::read(temp.file(QStringLiteral("surfaces.mtl"))));
    EXPECT_TRUE(obj.contains(QStringLiteral("\nmtllib surfaces.mtl\n")));
    EXPECT_TRUE(obj.contains(QStringLiteral("\ng Silicon\nusemtl Silicon\n")));
    EXPECT_TRUE(obj.contains(QStringLiteral("\ng Silicon_Oxide\nusemtl Silicon_Oxide\n")));
    EXPECT_TRUE(obj.contains(QStringLiteral("\nv 10 20 30\n")));
    EXPECT_TRUE(mtl.contains(QStringLiteral("newmtl Silicon_Oxide\nKd 0.2 0.4 1\nd 0.5\n")));
    EXPECT_EQ(obj.count(QRegularExpression(QStringLiteral("\nf \\d+ \\d+ \\d+"))) % 2, 0);
}

TEST_F(VolumeExportTest, GroupNamesAreSingleWordsAndDistinct)
{
    std::vector<Model::Export::ExportMaterial> materials(4);
    materials[0].id = 4, materials[0].name = QStringLiteral("Poly Si");
    materials[1].id = 9, materials[1].name = QStringLiteral("Poly\tSi");
    materials[2].id = 12, materials[2].name = QString();
    materials[3].id = 13, materials[3].name = QStringLiteral("Gold");
    const std::vector<QByteArray> names = Model::Export::ObjWriter::groupNames(materials);
    EXPECT_EQ(names, (std::vector<QByteArray>{"Poly_Si_4", "Poly_Si_9", "Material", "Gold"}));
}

TEST_F(VolumeExportTest, AFailedExportLeavesNoFileAndKeepsAnEarlierOne)
{
    const VolumeExport::Result missingFolder = exportTo(QStringLiteral("no/such/folder/cells.vti"));
    EXPECT_FALSE(missingFolder.ok);
    EXPECT_TRUE(missingFolder.error.contains(QStringLiteral("cells.vti"))) << missingFolder.error.toStdString();

    for (const QString &name : {QStringLiteral("old.vti"), QStringLiteral("old.stl"), QStringLiteral("old.obj")}) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(TempFolder::write(temp.file(name), "earlier export"));
        VolumeExport::Result full;
        {
            const TestSupport::FileSizeLimit limit(100);
            full = exportTo(name);
        }
        EXPECT_FALSE(full.ok);
        EXPECT_EQ(TempFolder::read(temp.file(name)), QByteArray("earlier export"));
        EXPECT_FALSE(QFile::exists(temp.file(QStringLiteral("old.mtl"))));
    }
    const QStringList left = QDir(temp.path()).entryList(QDir::Files);
    EXPECT_EQ(left, (QStringList{QStringLiteral("old.obj"), QStringLiteral("old.stl"), QStringLiteral("old.vti")}));
}

TEST_F(VolumeExportTest, MaterialsTheCatalogueDoesNotKnowAreStillNamedAndCounted)
{
    volume = TestSupport::filledVolume(2, 2, 2, [](unsigned x, unsigned, unsigned) { return x == 0 ? 1u : 70000u; });
    ASSERT_TRUE(exportTo(QStringLiteral("large.vti")).ok);
    const QByteArray cells = TempFolder::read(temp.file(QStringLiteral("large.vti")));
    EXPECT_TRUE(cells.contains("<DataArray type=\"UInt32\" Name=\"material\""));
    // "Material 70000" as the character codes of a VTK string array.
    QByteArray codes;
    for (const char c : QByteArray("Material 70000"))
        codes += QByteArray::number(int(c)) + ' ';
    EXPECT_TRUE(cells.contains(codes + '0')) << cells.left(800).toStdString();

    ASSERT_TRUE(exportTo(QStringLiteral("large.stl")).ok);
    const QByteArray surfaces = TempFolder::read(temp.file(QStringLiteral("large.stl")));
    quint16 lastAttribute = 0;
    std::memcpy(&lastAttribute, surfaces.constData() + surfaces.size() - 2, 2);
    EXPECT_EQ(lastAttribute, 0xffff);
}

TEST_F(VolumeExportTest, AnObjWithBlanksInItsNameRefersToItsColoursByOneWord)
{
    // Readers take the words after "mtllib" as separate files.
    const VolumeExport::Result result = exportTo(QStringLiteral("my wafer.obj"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QByteArray obj = TempFolder::read(temp.file(QStringLiteral("my wafer.obj")));
    EXPECT_TRUE(obj.contains("\nmtllib my_wafer.mtl\n")) << obj.left(200).toStdString();
    const QByteArray mtl = TempFolder::read(temp.file(QStringLiteral("my_wafer.mtl")));
    EXPECT_TRUE(mtl.contains("newmtl Silicon_Oxide\n"));
    EXPECT_EQ(result.bytes, obj.size() + mtl.size());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("my wafer.obj"), QStringLiteral("my_wafer.mtl")}));
    EXPECT_EQ(VolumeExport::companionMtl(QStringLiteral("/a b/c\td#e.OBJ")), QStringLiteral("/a b/c_d_e.mtl"));
}

TEST_F(VolumeExportTest, SurfacesWhoseCornersTheFilesFloatsCannotHoldAreRefusedAndEarlierFilesKept)
{
    struct Case
    {
        const char *what;
        Util::Vector3D position;
        const char *problem;
    };
    // Beyond the largest float; and so far out that neighbouring corners,
    // half a cell apart where a side is fanned, round to the same float.
    const Case cases[] = {
        {"beyond the largest float", Util::Vector3D(1e39, 0, 0), "reaches x = 1e+39"},
        {"below the lowest float", Util::Vector3D(0, 0, -1e39), "reaches z = -1e+39"},
        {"corners that round together", Util::Vector3D(0, 3e7, 0), "cannot tell the corners apart along y"},
    };
    for (const Case &c : cases) {
        placeVolumeAt(c.position);
        for (const QString &name : {QStringLiteral("far.stl"), QStringLiteral("far.vtp"), QStringLiteral("far.obj")}) {
            SCOPED_TRACE(std::string(c.what) + " " + name.toStdString());
            ASSERT_TRUE(TempFolder::write(temp.file(name), "earlier export"));
            ASSERT_TRUE(TempFolder::write(temp.file(QStringLiteral("far.mtl")), "earlier colours"));
            const VolumeExport::Result result = exportTo(name);
            EXPECT_FALSE(result.ok);
            EXPECT_TRUE(result.error.startsWith(temp.file(name) + QStringLiteral(": not written: ")))
                << result.error.toStdString();
            EXPECT_TRUE(result.error.contains(QLatin1String(c.problem))) << result.error.toStdString();
            EXPECT_TRUE(result.error.contains(QStringLiteral("move the volume nearer to the origin")))
                << result.error.toStdString();
            EXPECT_EQ(TempFolder::read(temp.file(name)), QByteArray("earlier export"));
            EXPECT_EQ(TempFolder::read(temp.file(QStringLiteral("far.mtl"))), QByteArray("earlier colours"));
        }
    }
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("far.mtl"), QStringLiteral("far.obj"), QStringLiteral("far.stl"),
                           QStringLiteral("far.vtp")}));

    // From 2^22 to 2^23 floats lie half a unit apart: enough for the
    // half-cell steps of cells one unit wide.
    placeVolumeAt(Util::Vector3D(0, double(1 << 22), 0));
    EXPECT_TRUE(exportTo(QStringLiteral("near.stl")).ok);
}

TEST_F(VolumeExportTest, ImageDataHoldsAnyFinitePositionExactly)
{
    // The origin is a double in the file: written in as many digits as it
    // takes to read back the same number, even at the largest one.
    for (const double x : {123456789.25, DBL_MAX, -DBL_MAX}) {
        SCOPED_TRACE(x);
        placeVolumeAt(Util::Vector3D(x, 0.1, 30));
        ASSERT_TRUE(exportTo(QStringLiteral("far.vti")).ok);
        const QByteArray file = TempFolder::read(temp.file(QStringLiteral("far.vti")));
        const int at = file.indexOf("Origin=\"") + 8;
        const QList<QByteArray> origin = file.mid(at, file.indexOf('"', at) - at).split(' ');
        ASSERT_EQ(origin.size(), 3);
        EXPECT_EQ(std::strtod(origin[0].constData(), nullptr), x) << origin[0].toStdString();
        EXPECT_EQ(std::strtod(origin[1].constData(), nullptr), 0.1) << origin[1].toStdString();
    }
}

// The hexahedral mesh of two cells side by side, as gmsh reads it: nodes
// shared where the cells meet, one physical volume per material tagged with
// its id, and physical surfaces for the faces between the two and for each
// one's faces towards nothing, every quadrangle facing out of its material.
TEST_F(VolumeExportTest, GmshMeshOfTwoCellsSharesTheirCommonFace)
{
    volume = TestSupport::filledVolume(2, 1, 1, [](unsigned x, unsigned, unsigned) { return x == 0 ? 1u : 300u; });
    const VolumeExport::Result result = exportTo(QStringLiteral("pair.msh"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QByteArray golden = "$MeshFormat\n4.1 0 8\n$EndMeshFormat\n"
                              "$Comments\nTessival cells as hexahedra; unit = 2.7150047980271255e-06 m\n$EndComments\n"
                              "$PhysicalNames\n5\n"
                              "3 1 \"Silicon\"\n3 300 \"Silicon Oxide\"\n"
                              "2 1 \"Silicon / outside\"\n2 2 \"Silicon / Silicon Oxide\"\n"
                              "2 3 \"Silicon Oxide / outside\"\n$EndPhysicalNames\n"
                              "$Entities\n0 0 3 2\n"
                              "1 0 0 0 1 1 1 1 1 0\n2 0 0 0 1 1 1 1 2 0\n3 1 0 0 2 1 1 1 3 0\n"
                              "1 0 0 0 1 1 1 1 1 0\n2 1 0 0 2 1 1 1 300 0\n$EndEntities\n"
                              "$Nodes\n1 12 1 12\n3 1 0 12\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n"
                              "0 0 0\n0 0 1\n0 1 0\n0 1 1\n1 0 0\n1 0 1\n1 1 0\n1 1 1\n"
                              "2 0 0\n2 0 1\n2 1 0\n2 1 1\n$EndNodes\n"
                              "$Elements\n5 13 1 13\n"
                              "3 1 5 1\n1 1 5 7 3 2 6 8 4\n"
                              "3 2 5 1\n2 5 9 11 7 6 10 12 8\n"
                              "2 1 3 5\n3 1 2 4 3\n4 1 5 6 2\n5 3 4 8 7\n6 1 3 7 5\n7 2 6 8 4\n"
                              "2 2 3 1\n8 5 7 8 6\n"
                              "2 3 3 5\n9 9 11 12 10\n10 5 9 10 6\n11 7 8 12 11\n12 5 7 11 9\n13 6 10 12 8\n"
                              "$EndElements\n";
    EXPECT_EQ(TempFolder::read(temp.file(QStringLiteral("pair.msh"))).toStdString(), golden.toStdString());
}

// Each body of an STL export also alone, as text STL beside it, named after
// its material as file systems take it, its solid named the same way; the
// file set is replaced as a whole.
TEST_F(VolumeExportTest, AnStlExportWritesEachBodyAloneBesideIt)
{
    const VolumeExport::Result result = exportTo(QStringLiteral("part.stl"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.files, (QStringList{temp.file(QStringLiteral("part-Silicon.stl")),
                                         temp.file(QStringLiteral("part-Silicon_Oxide.stl"))}));
    const QByteArray oxide = TempFolder::read(temp.file(QStringLiteral("part-Silicon_Oxide.stl")));
    EXPECT_TRUE(oxide.startsWith("solid Silicon_Oxide\nfacet normal "));
    EXPECT_TRUE(oxide.endsWith("endsolid Silicon_Oxide\n"));
    EXPECT_EQ(result.bytes, QFileInfo(temp.file(QStringLiteral("part.stl"))).size()
                                + QFileInfo(temp.file(QStringLiteral("part-Silicon.stl"))).size() + oxide.size());
    // A body's file that cannot be replaced keeps every earlier file.
    ASSERT_TRUE(QFile::remove(temp.file(QStringLiteral("part-Silicon_Oxide.stl"))));
    ASSERT_TRUE(QDir().mkdir(temp.file(QStringLiteral("part-Silicon_Oxide.stl"))));
    const QByteArray earlier = TempFolder::read(temp.file(QStringLiteral("part.stl")));
    const QByteArray earlierSilicon = TempFolder::read(temp.file(QStringLiteral("part-Silicon.stl")));
    volume->moveBy(Util::Vector3D(1, 0, 0));
    EXPECT_FALSE(exportTo(QStringLiteral("part.stl")).ok);
    EXPECT_EQ(TempFolder::read(temp.file(QStringLiteral("part.stl"))), earlier);
    EXPECT_EQ(TempFolder::read(temp.file(QStringLiteral("part-Silicon.stl"))), earlierSilicon);
}

TEST_F(VolumeExportTest, BodyFileNamesAreSafeAndDistinct)
{
    using Model::Export::SafeFileName;
    EXPECT_EQ(SafeFileName::part(QStringLiteral("Al (bulk)"), QStringLiteral("x")), QStringLiteral("Al_bulk"));
    EXPECT_EQ(SafeFileName::part(QStringLiteral("../etc/passwd"), QStringLiteral("x")), QStringLiteral("etc_passwd"));
    EXPECT_EQ(SafeFileName::part(QStringLiteral("Poly-Si"), QStringLiteral("x")), QStringLiteral("Poly-Si"));
    EXPECT_EQ(SafeFileName::part(QStringLiteral("µ\t "), QStringLiteral("material-7")), QStringLiteral("material-7"));
    EXPECT_EQ(SafeFileName::part(QStringLiteral(".hidden."), QStringLiteral("x")), QStringLiteral("hidden"));
    // Names that end up alike, whatever their case, take their ids.
    EXPECT_EQ(VolumeExport::bodyFiles(QStringLiteral("out/a b.STL"),
                                      {QStringLiteral("Si"), QStringLiteral("si"), QStringLiteral("Au"), QString()},
                                      {1, 2, 3, 4}),
              (QStringList{QStringLiteral("out/a b-Si-1.STL"), QStringLiteral("out/a b-si-2.STL"),
                           QStringLiteral("out/a b-Au.STL"), QStringLiteral("out/a b-material-4.STL")}));
}

// Only the chosen materials leave; the others are as if empty, so that
// their neighbours' faces towards them are outer boundaries.
TEST_F(VolumeExportTest, OnlyTheChosenMaterialsAreExported)
{
    const VolumeExport::Result result = VolumeExport::write(temp.file(QStringLiteral("oxide.msh")), *volume, catalogue,
                                                            Model::LengthUnit(), {300});
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QByteArray mesh = TempFolder::read(temp.file(QStringLiteral("oxide.msh")));
    EXPECT_TRUE(mesh.contains("$PhysicalNames\n2\n3 300 \"Silicon Oxide\"\n2 1 \"Silicon Oxide / outside\"\n"));
    // 11 oxide cells, no silicon.
    EXPECT_TRUE(mesh.contains("\n3 1 5 11\n"));
    const VolumeExport::Result surfaces = VolumeExport::write(temp.file(QStringLiteral("oxide.stl")), *volume,
                                                              catalogue, Model::LengthUnit(), {300, 5});
    ASSERT_TRUE(surfaces.ok);
    EXPECT_EQ(surfaces.files, QStringList{temp.file(QStringLiteral("oxide-Silicon_Oxide.stl"))});
}

// Mesh points are doubles: corners that doubles cannot tell apart would
// fold cells flat, and are refused before any file is touched.
TEST_F(VolumeExportTest, MeshesWhoseCornersDoublesCannotTellApartAreRefused)
{
    ASSERT_TRUE(exportTo(QStringLiteral("far.vtu")).ok);
    const QByteArray earlier = TempFolder::read(temp.file(QStringLiteral("far.vtu")));
    placeVolumeAt(Util::Vector3D(1e17, 0, 0));
    for (const QString &name : {QStringLiteral("far.vtu"), QStringLiteral("far.msh")}) {
        const VolumeExport::Result result = exportTo(name);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(QStringLiteral("cannot tell the corners apart along x"))) << result.error.toStdString();
    }
    EXPECT_EQ(TempFolder::read(temp.file(QStringLiteral("far.vtu"))), earlier);
    EXPECT_FALSE(QFileInfo::exists(temp.file(QStringLiteral("far.msh"))));
    // The cells' image data still holds it.
    EXPECT_TRUE(exportTo(QStringLiteral("far.vti")).ok);
}

// The volume after each entry, and the collection that lists the steps so
// far, rewritten after each one.
TEST_F(VolumeExportTest, AStepSeriesListsEveryStepWithItsEntryAsTime)
{
    Model::Export::StepSeries series(temp.file(QStringLiteral("steps/of/flow")));
    QString problem;
    ASSERT_TRUE(series.prepare(&problem)) << problem.toStdString();
    ASSERT_TRUE(series.add(1, QStringLiteral("Create Substrate"), *volume, catalogue, Model::LengthUnit(), &problem));
    ASSERT_TRUE(series.add(12, QStringLiteral("CVD"), *volume, catalogue, Model::LengthUnit(), &problem));
    EXPECT_EQ(QDir(series.folder()).entryList(QDir::Files),
              (QStringList{QStringLiteral("flow.pvd"), QStringLiteral("step-001-Create_Substrate.vti"),
                           QStringLiteral("step-012-CVD.vti")}));
    const QByteArray collection = TempFolder::read(series.folder() + QStringLiteral("/flow.pvd"));
    EXPECT_TRUE(collection.contains("<VTKFile type=\"Collection\""));
    EXPECT_TRUE(collection.contains("    <DataSet timestep=\"1\" group=\"\" part=\"0\" file=\"step-001-Create_Substrate.vti\"/>\n"
                                    "    <DataSet timestep=\"12\" group=\"\" part=\"0\" file=\"step-012-CVD.vti\"/>\n"));

    ASSERT_TRUE(TempFolder::write(temp.file(QStringLiteral("plain")), "a file"));
    Model::Export::StepSeries onAFile(temp.file(QStringLiteral("plain")));
    EXPECT_FALSE(onAFile.prepare(&problem));
    EXPECT_TRUE(problem.contains(QStringLiteral("is a file"))) << problem.toStdString();
}
