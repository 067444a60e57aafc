#include "Model/Materials/MaterialFactory.h"
#include "Model/Persistence/MaterialArchiver.h"

#include "LogCapture.h"
#include "TempFolder.h"

#include <QDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <set>
#include <thread>

using Model::Materials::Colour;
using Model::Materials::Material;
using Model::Materials::MaterialFactory;
using Model::Persistence::MaterialArchiver;
using TestSupport::LogCapture;
using TestSupport::TempFolder;

namespace {

class MaterialCatalogueTest : public ::testing::Test
{
protected:
    MaterialCatalogueTest() : folder(temp.file("Tessival")), catalogue(folder) {}

    QString file() const { return catalogue.filePath(); }

    void writeFile(const QByteArray &text)
    {
        QDir().mkpath(folder);
        ASSERT_TRUE(TempFolder::write(file(), text));
    }

    // Files in the folder whose names say they were kept aside.
    QStringList keptAside() const
    {
        return QDir(folder).entryList({"materials.xml.unreadable-*"}, QDir::Files);
    }

    TempFolder temp;
    QString folder;
    MaterialFactory catalogue;
};

std::vector<unsigned> ids(const std::vector<Material> &materials)
{
    std::vector<unsigned> result;
    for (const Material &m : materials)
        result.push_back(m.id());
    return result;
}

const std::vector<unsigned> defaultIds = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

} // namespace

TEST_F(MaterialCatalogueTest, FirstStartCreatesTheFolderAndTheDefaultFile)
{
    catalogue.loadOrInstallDefaults();
    EXPECT_EQ(TempFolder::read(file()), TestSupport::testData("default-materials.xml"));
    EXPECT_EQ(ids(catalogue.getMaterials()), defaultIds);
    EXPECT_TRUE(keptAside().isEmpty());
}

TEST_F(MaterialCatalogueTest, DefaultFileLinesAreExact)
{
    catalogue.loadOrInstallDefaults();
    const QByteArray text = TempFolder::read(file());
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Materials>\n"));
    EXPECT_TRUE(text.contains(
        "    <Material version=\"1\" name=\"Si\" material-id=\"1\" density=\"2329\" poisson-ratio=\"0.28\" "
        "young-modulus=\"1.88e+11\" color=\"#FF7F7F7F\"/>\n"));
    EXPECT_TRUE(text.endsWith("</Materials>\n"));
}

TEST_F(MaterialCatalogueTest, ProgramCatalogueLivesInHome)
{
    const auto instance = MaterialFactory::getInstance();
    EXPECT_EQ(instance, MaterialFactory::getInstance());
    EXPECT_EQ(instance->filePath(), QDir::homePath() + "/Tessival/materials.xml");
    EXPECT_TRUE(QFile::exists(instance->filePath()));
    EXPECT_EQ(instance->getMaterial(1).name(), "Si");
}

TEST_F(MaterialCatalogueTest, ColoursAndNumbersSurviveARoundTrip)
{
    catalogue.loadDefaultMaterials();
    catalogue.setMaterial(Material(20, "Red \"quoted\" & <odd> Ünïcode", 0.000015f, 1.5e-5f, 0.5f, Colour{1, 0, 0, 1}));
    catalogue.setMaterial(Material(32766, "Translucent", 1e30f, 3.25f, 0.0f, Colour{0.2f, 0.4f, 0.6f, 0.0f}));
    ASSERT_TRUE(catalogue.saveMaterials());
    EXPECT_TRUE(TempFolder::read(file()).contains("color=\"#FFFF0000\""));
    EXPECT_TRUE(TempFolder::read(file()).contains("density=\"1.5e-05\""));

    MaterialFactory reread(folder);
    ASSERT_TRUE(reread.loadMaterials());
    const auto written = catalogue.getMaterials();
    const auto read = reread.getMaterials();
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].id(), written[i].id());
        EXPECT_EQ(read[i].name(), written[i].name());
        EXPECT_TRUE(Material::isEquivalent(read[i], written[i])) << read[i].id();
        // Six significant digits are what the file keeps.
        EXPECT_FLOAT_EQ(read[i].density(), written[i].density());
        EXPECT_FLOAT_EQ(read[i].youngModulus(), written[i].youngModulus());
    }
    EXPECT_EQ(reread.getMaterial(20).colour(), (Colour{1, 0, 0, 1}));
}

TEST_F(MaterialCatalogueTest, DamagedFilesAreKeptAsideAndReplacedByDefaults)
{
    const QByteArray damaged[] = {
        "<Materials><Material version=\"1\" name=\"Mine\" material-id=\"40\"",          // truncated
        "<?xml version=\"1.0\"?><Processes><Material name=\"A\" material-id=\"40\"/></Processes>", // wrong root
        "<Materials><Material name=\"A\" material-id=\"40\"/><Oops></Materials>",       // bad XML
        "",                                                                              // empty
    };
    for (const QByteArray &text : damaged) {
        TempFolder temp;
        const QString folder = temp.file("Tessival");
        QDir().mkpath(folder);
        MaterialFactory catalogue(folder);
        ASSERT_TRUE(TempFolder::write(catalogue.filePath(), text));

        LogCapture log;
        catalogue.loadOrInstallDefaults();

        EXPECT_EQ(ids(catalogue.getMaterials()), defaultIds) << text.constData();
        EXPECT_EQ(TempFolder::read(catalogue.filePath()), TestSupport::testData("default-materials.xml"));
        const QStringList aside = QDir(folder).entryList({"materials.xml.unreadable-*"}, QDir::Files);
        ASSERT_EQ(aside.size(), 1) << text.constData();
        EXPECT_EQ(TempFolder::read(folder + "/" + aside.first()), text);
        EXPECT_TRUE(log.contains(aside.first())) << "the log says where the file went";
    }
}

TEST_F(MaterialCatalogueTest, ReaderSkipsInvalidEntriesAndOtherElements)
{
    writeFile("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Materials>\n"
              "<Material name=\"NoId\"/>\n"
              "<Material name=\"Zero\" material-id=\"0\"/>\n"
              "<Material material-id=\"41\"/>\n"
              "<Material name=\"\" material-id=\"42\"/>\n"
              "<Comment text=\"not a material\"><Material name=\"Nested\" material-id=\"43\"/></Comment>\n"
              "<Material version=\"7\" extra=\"x\" name=\"Good\" material-id=\"44\" density=\"2\" color=\"#80FF0000\"/>\n"
              "<Material name=\"Replaced\" material-id=\"44\" color=\"#80FF0000\"/>\n"
              "</Materials>\n");
    ASSERT_TRUE(catalogue.loadMaterials());
    EXPECT_EQ(ids(catalogue.getMaterials()), (std::vector<unsigned>{43, 44}));
    const Material replaced = catalogue.getMaterial(44);
    EXPECT_EQ(replaced.name(), "Replaced");
    EXPECT_NEAR(replaced.colour().alpha, 128.0f / 255.0f, 1e-6);
    EXPECT_EQ(replaced.colour().red, 1.0f);
}

TEST_F(MaterialCatalogueTest, RepeatedAttributeIsAnXmlErrorAndTheFileIsKept)
{
    writeFile("<Materials><Material name=\"A\" name=\"B\" material-id=\"40\"/></Materials>");
    catalogue.loadOrInstallDefaults();
    EXPECT_EQ(keptAside().size(), 1);
    EXPECT_EQ(ids(catalogue.getMaterials()), defaultIds);
}

TEST_F(MaterialCatalogueTest, LookupsOfUnknownIdsGiveTheEmptyMaterial)
{
    catalogue.loadDefaultMaterials();
    const Material empty = catalogue.getMaterial(2);
    EXPECT_EQ(empty.id(), 0u);
    EXPECT_EQ(empty.name(), "Empty");
    EXPECT_EQ(empty.colour(), (Colour{0.5f, 0.5f, 0.5f, 1.0f}));
    EXPECT_FALSE(catalogue.setMaterial(Material(0, "Nothing", 1, 1, 1)));
    EXPECT_EQ(catalogue.getMaterials().size(), 15u);
}

TEST_F(MaterialCatalogueTest, GeneratedIdsAreFreeAndInRange)
{
    catalogue.loadDefaultMaterials();
    // Leave only a handful of ids free so that the draw has to retry.
    const std::set<unsigned> free = {2000, 2001, 17777, 32765, 32766};
    for (unsigned id = 2000; id <= 32766; ++id)
        if (!free.count(id))
            catalogue.setMaterial(Material(id, "Taken", 1, 1, 1));
    std::set<unsigned> seen;
    for (int i = 0; i < 200; ++i) {
        const unsigned id = catalogue.generateMaterialId();
        EXPECT_TRUE(free.count(id)) << id;
        seen.insert(id);
    }
    EXPECT_GT(seen.size(), 1u);

    for (unsigned id : free)
        catalogue.setMaterial(Material(id, "Taken", 1, 1, 1));
    EXPECT_EQ(catalogue.generateMaterialId(), 0u) << "no free id: no endless search";
}

TEST_F(MaterialCatalogueTest, EquivalenceToleratesOneIn256PerColourComponent)
{
    const Material base(3, "Oxide", 2200, 7e10f, 0.17f, Colour{0.5f, 0.5f, 0.5f, 1.0f});
    Material close = base;
    close.setColour(Colour{0.5f + 1.0f / 512.0f, 0.5f, 0.5f, 1.0f});
    close.setDensity(1); // not compared
    EXPECT_TRUE(Material::isEquivalent(base, close));
    Material far = base;
    far.setColour(Colour{0.5f, 0.5f, 0.5f - 1.0f / 128.0f, 1.0f});
    EXPECT_FALSE(Material::isEquivalent(base, far));
    Material renamed = base;
    renamed.setName("oxide");
    EXPECT_FALSE(Material::isEquivalent(base, renamed));
}

TEST_F(MaterialCatalogueTest, ConcurrentLookupsAndEditsStayConsistent)
{
    catalogue.loadDefaultMaterials();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < 2000; ++i) {
                const unsigned id = 100 + unsigned(t * 2000 + i);
                catalogue.setMaterial(Material(id, "Thread", float(i), 1, 1));
                EXPECT_EQ(catalogue.getMaterial(id).density(), float(i));
                EXPECT_EQ(catalogue.getMaterial(1).name(), "Si");
                if (i % 500 == 0)
                    catalogue.getMaterials();
            }
        });
    }
    for (auto &thread : threads)
        thread.join();
    EXPECT_EQ(catalogue.getMaterials().size(), 15u + 8000u);
}

TEST_F(MaterialCatalogueTest, HostileFilesNeverCrashAndAreKept)
{
    const QByteArray huge = "<Materials><Material name=\"" + QByteArray(50 * 1024 * 1024, 'A')
        + "\" material-id=\"40\"/></Materials>";
    QByteArray nested = "<Materials>";
    for (int i = 0; i < 100000; ++i)
        nested += "<a>";
    const QByteArray hostile[] = {
        huge,
        nested,
        "<Materials><Material name=\"Big\" material-id=\"4294967296\"/>"
        "<Material name=\"Bigger\" material-id=\"99999999999999999999\"/></Materials>",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Materials><Material name=\"\xff\xfe\xc3\x28\" material-id=\"40\"/></Materials>",
        "<!DOCTYPE m [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
        "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
        "<Materials><Material name=\"&f;\" material-id=\"40\"/></Materials>",
    };
    for (const QByteArray &text : hostile) {
        TempFolder temp;
        const QString folder = temp.file("Tessival");
        QDir().mkpath(folder);
        MaterialFactory catalogue(folder);
        ASSERT_TRUE(TempFolder::write(catalogue.filePath(), text));

        LogCapture log;
        catalogue.loadOrInstallDefaults();

        EXPECT_FALSE(log.messages().isEmpty());
        // Whatever was read, nothing impossible entered the catalogue.
        for (const Material &m : catalogue.getMaterials())
            EXPECT_NE(m.id(), 0u);
        EXPECT_EQ(catalogue.getMaterial(4294967295u).id(), 0u);
        const QStringList aside = QDir(folder).entryList({"materials.xml.unreadable-*"}, QDir::Files);
        if (!aside.isEmpty()) {
            EXPECT_EQ(TempFolder::read(folder + "/" + aside.first()).size(), text.size());
        }
    }
}

TEST_F(MaterialCatalogueTest, IdsBeyondThirtyTwoBitsAreLoggedAndSkipped)
{
    writeFile("<Materials><Material name=\"Big\" material-id=\"4294967296\"/>"
              "<Material name=\"Max\" material-id=\"4294967295\"/></Materials>");
    LogCapture log;
    ASSERT_TRUE(catalogue.loadMaterials());
    EXPECT_EQ(ids(catalogue.getMaterials()), (std::vector<unsigned>{4294967295u}));
    EXPECT_TRUE(log.contains("material-id is not an unsigned 32-bit number"));
}

TEST_F(MaterialCatalogueTest, FileWithoutSiIsCompletedFromTheDefaults)
{
    // As a file saved with Si renamed to nothing looks: the reader skips
    // the nameless element, so id 1 is missing.
    QByteArray text = TestSupport::testData("default-materials.xml");
    const QByteArray si = "name=\"Si\" material-id=\"1\"";
    ASSERT_TRUE(text.contains(si));
    text.replace(si, "name=\"\" material-id=\"1\"");
    text.replace("</Materials>", "    <Material version=\"1\" name=\"Mine\" material-id=\"40\" color=\"#FF102030\"/>\n"
                                 "    <Material version=\"1\" name=\"My Al\" material-id=\"4\" color=\"#FF000000\"/>\n"
                                 "</Materials>");
    writeFile(text);

    LogCapture log;
    catalogue.loadOrInstallDefaults();

    std::vector<unsigned> expected = defaultIds;
    expected.push_back(40);
    EXPECT_EQ(ids(catalogue.getMaterials()), expected);
    EXPECT_EQ(catalogue.getMaterial(1), Material(1, "Si", 2329, 1.88e11f, 0.28f, Colour{0.5f, 0.5f, 0.5f, 1}));
    EXPECT_EQ(catalogue.getMaterial(4).name(), "My Al") << "what the file holds wins";
    EXPECT_EQ(catalogue.getMaterial(2).id(), 0u) << "2 is not a built-in id";
    EXPECT_TRUE(log.contains("has no material 1 (Si)"));
    EXPECT_EQ(TempFolder::read(file()), text) << "the file itself is left as it was";
    EXPECT_TRUE(keptAside().isEmpty());

    // Whatever is written later holds Si again.
    ASSERT_TRUE(catalogue.saveMaterials());
    MaterialFactory afterRestart(folder);
    ASSERT_TRUE(afterRestart.loadMaterials());
    EXPECT_EQ(afterRestart.getMaterial(1).name(), "Si");
}

TEST_F(MaterialCatalogueTest, FileWithOnlyOwnMaterialsGetsEveryBuiltInBack)
{
    writeFile("<Materials><Material name=\"Mine\" material-id=\"40\"/></Materials>");
    LogCapture log;
    catalogue.loadOrInstallDefaults();
    std::vector<unsigned> expected = defaultIds;
    expected.push_back(40);
    EXPECT_EQ(ids(catalogue.getMaterials()), expected);
    EXPECT_TRUE(log.contains("has no material 16 (Poly-Si)"));
    EXPECT_FALSE(catalogue.damagedFileKept());
}

TEST_F(MaterialCatalogueTest, DamagedFileThatCannotBeMovedAsideIsLeftUntouched)
{
    // Renaming fails next to the limit on path lengths.
    const QString deep = temp.nestedFolder(4066);
    ASSERT_EQ(deep.size(), 4066);
    MaterialFactory stuck(deep);
    const QByteArray damaged = "<Materials><Material name=\"Mine\" material-id=\"40\"";
    ASSERT_TRUE(TempFolder::write(stuck.filePath(), damaged));

    LogCapture log;
    stuck.loadOrInstallDefaults();
    EXPECT_EQ(ids(stuck.getMaterials()), defaultIds);
    EXPECT_TRUE(stuck.damagedFileKept());
    EXPECT_EQ(TempFolder::read(stuck.filePath()), damaged);
    EXPECT_TRUE(log.contains("could not be moved aside"));

    // Once something is written over it on purpose, the file is sound again.
    ASSERT_TRUE(stuck.saveMaterials());
    EXPECT_FALSE(stuck.damagedFileKept());
}

TEST_F(MaterialCatalogueTest, MaterialsAddedForTheSessionAreNotWritten)
{
    catalogue.loadOrInstallDefaults();
    EXPECT_TRUE(catalogue.addSessionMaterial(Material(2345, "From a document", 1, 1, 1)));
    EXPECT_FALSE(catalogue.addSessionMaterial(Material(1, "Not Si", 1, 1, 1))) << "ids in use are refused";
    EXPECT_FALSE(catalogue.addSessionMaterial(Material(0, "Empty", 1, 1, 1)));
    EXPECT_EQ(catalogue.getMaterial(1).name(), "Si");
    EXPECT_EQ(catalogue.getMaterial(2345).name(), "From a document");

    ASSERT_TRUE(catalogue.saveMaterials());
    EXPECT_EQ(TempFolder::read(file()), TestSupport::testData("default-materials.xml"));

    // Edited by the user, it belongs to the file.
    catalogue.setMaterial(Material(2345, "Kept", 1, 1, 1));
    ASSERT_TRUE(catalogue.saveMaterials());
    EXPECT_TRUE(TempFolder::read(file()).contains("name=\"Kept\" material-id=\"2345\""));
}

TEST_F(MaterialCatalogueTest, EveryChangeMovesTheGeneration)
{
    unsigned last = catalogue.generation();
    auto moved = [&] {
        const unsigned now = catalogue.generation();
        const bool result = now != last;
        last = now;
        return result;
    };
    catalogue.loadDefaultMaterials();
    EXPECT_TRUE(moved());
    catalogue.setMaterial(Material(3, "Oxide", 1, 1, 1));
    EXPECT_TRUE(moved());
    catalogue.addSessionMaterial(Material(2345, "Merged", 1, 1, 1));
    EXPECT_TRUE(moved());
    catalogue.getMaterials();
    catalogue.generateMaterialId();
    EXPECT_FALSE(moved()) << "reading changes nothing";
    ASSERT_TRUE(catalogue.saveMaterials());
    ASSERT_TRUE(catalogue.loadMaterials());
    EXPECT_TRUE(moved());
}

TEST_F(MaterialCatalogueTest, NamedColoursAreRead)
{
    writeFile("<Materials><Material name=\"Red\" material-id=\"40\" color=\"red\"/>"
              "<Material name=\"Steel\" material-id=\"41\" color=\"SteelBlue\"/>"
              "<Material name=\"Clear\" material-id=\"42\" color=\"transparent\"/>"
              "<Material name=\"Odd\" material-id=\"43\" color=\"no such colour\"/></Materials>");
    ASSERT_TRUE(catalogue.loadMaterials());
    EXPECT_EQ(catalogue.getMaterial(40).colour(), (Colour{1, 0, 0, 1}));
    EXPECT_EQ(catalogue.getMaterial(41).colour(), (Colour{70 / 255.0f, 130 / 255.0f, 180 / 255.0f, 1}));
    EXPECT_EQ(catalogue.getMaterial(42).colour().alpha, 0.0f);
    EXPECT_EQ(catalogue.getMaterial(43).colour(), Colour()) << "an unknown name leaves the grey of the empty material";
}

TEST(MaterialArchiver, ColourNamesAreArgbInUpperCaseHex)
{
    EXPECT_EQ(MaterialArchiver::colourName(Colour{0.5f, 0.5f, 0.5f, 1.0f}), "#FF7F7F7F");
    EXPECT_EQ(MaterialArchiver::colourName(Colour{1, 0, 0, 1}), "#FFFF0000");
    EXPECT_EQ(MaterialArchiver::colourName(Colour{2.0f, -1.0f, 0.0f, 0.0f}), "#00FF0000");

    Colour c;
    ASSERT_TRUE(MaterialArchiver::parseColourName("#80ff0001", c));
    EXPECT_EQ(c, (Colour{1.0f, 0.0f, 1.0f / 255.0f, 128.0f / 255.0f}));
    ASSERT_TRUE(MaterialArchiver::parseColourName("#00FF00", c));
    EXPECT_EQ(c, (Colour{0.0f, 1.0f, 0.0f, 1.0f}));
    for (const char *bad : {"", "FF00FF00", "#", "#GG0000", "#0x123456", "#12345", "#+1234567", "#123456789",
                            "reddish", " "})
        EXPECT_FALSE(MaterialArchiver::parseColourName(bad, c)) << bad;
    ASSERT_TRUE(MaterialArchiver::parseColourName("red", c));
    EXPECT_EQ(c, (Colour{1.0f, 0.0f, 0.0f, 1.0f}));
}
