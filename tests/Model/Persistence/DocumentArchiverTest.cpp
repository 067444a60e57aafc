// The document file: exact text of what is written, round trips, the merge
// of the file's materials into the catalogue, and damaged or hostile files.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Document.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Persistence/DocumentArchiver.h"
#include "Model/Persistence/DocumentDamage.h"
#include "Model/Persistence/DocumentInput.h"

#include "TempFolder.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <gtest/gtest.h>

#include <cmath>

#include <boost/make_shared.hpp>

using Model::Automaton::TotalVolume;
using Model::Document;
using Model::Materials::Colour;
using Model::Materials::Material;
using Model::Materials::MaterialFactory;
using Model::Persistence::DocumentArchiver;
using Model::Persistence::DocumentDamage;
using Model::Persistence::DocumentInput;

namespace {

class DocumentArchiverTest : public ::testing::Test
{
protected:
    DocumentArchiverTest() : catalogue(temp.path()), archivers(DocumentArchiver::standardRegistry())
    {
        catalogue.loadDefaultMaterials();
    }

    QByteArray write(const Document &document)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QXmlStreamWriter writer(&buffer);
        EXPECT_TRUE(DocumentArchiver::writeDocument(&writer, document, archivers, catalogue));
        return buffer.data();
    }

    bool read(const QByteArray &text, Document &document)
    {
        QXmlStreamReader reader(text);
        return DocumentArchiver::readDocument(&reader, document, archivers, catalogue,
                                              [this](const std::string &line) { warnings.push_back(line); }, &damage);
    }

    // Read as a document file is: through a device.
    bool readFromDevice(const QByteArray &text, Document &document)
    {
        QBuffer file;
        file.setData(text);
        file.open(QIODevice::ReadOnly);
        DocumentInput input(&file);
        QXmlStreamReader reader(&input);
        return DocumentArchiver::readDocument(&reader, document, archivers, catalogue,
                                              [this](const std::string &line) { warnings.push_back(line); }, &damage);
    }

    // A volume of sizeX x 1 x 1 cells, all of material `id`.
    static QByteArray volume(unsigned sizeX, std::uint32_t id)
    {
        QByteArray state;
        for (unsigned i = 0; i < sizeX; ++i)
            state += QByteArray::number(id) + ' ';
        return "<Object object-type=\"1\" size-x=\"" + QByteArray::number(sizeX)
               + "\" size-y=\"1\" size-z=\"1\"><State>" + state + "</State><Position pos-x=\"0\" pos-y=\"0\" "
                 "pos-z=\"0\"/></Object>";
    }

    std::vector<boost::shared_ptr<TotalVolume>> volumes(const Document &document)
    {
        std::vector<boost::shared_ptr<TotalVolume>> result;
        for (const auto &object : document.allObjects())
            if (auto volume = boost::dynamic_pointer_cast<TotalVolume>(object))
                result.push_back(volume);
        return result;
    }

    // A document header followed by `body`.
    static QByteArray document(const QByteArray &body)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Document><Header version=\"1\"/>" + body + "</Document>";
    }

    TestSupport::TempFolder temp;
    MaterialFactory catalogue;
    Model::Persistence::ArchiverRegistry archivers;
    std::vector<std::string> warnings;
    DocumentDamage damage;
};

} // namespace

TEST_F(DocumentArchiverTest, WritesOneLineWithEveryMaterialAndTheStateText)
{
    Document doc;
    doc.addObject(boost::make_shared<TotalVolume>(2, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                  std::vector<std::uint32_t>{1, 0}));
    const QByteArray text = write(doc);
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Document><Header version=\"1\" "
                                "length-unit=\"" + QByteArray::number(Model::LengthUnit::defaultMetres(), 'g', 17)
                                + "\"/><Material version=\"1\" name=\"Si\" material-id=\"1\" density=\"2329\" "
                                "poisson-ratio=\"0.28\" young-modulus=\"1.88e+11\" color=\"#FF7F7F7F\"/>"));
    EXPECT_TRUE(text.contains("<Object object-type=\"1\" size-x=\"2\" size-y=\"1\" size-z=\"1\" cellsize-x=\"1\" "
                              "cellsize-y=\"1\" cellsize-z=\"1\"><State>1 0 </State>"
                              "<Position pos-x=\"0\" pos-y=\"0\" pos-z=\"0\"/></Object></Document>"));
    EXPECT_EQ(text.count("<Material "), 15);
    EXPECT_EQ(text.count('\n'), 1) << "one line, closed by a newline";
}

TEST_F(DocumentArchiverTest, VolumesSurviveARoundTrip)
{
    Document doc;
    std::vector<std::uint32_t> big(7 * 5 * 6);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = std::uint32_t((i * 7) % 17);
    doc.addObject(boost::make_shared<TotalVolume>(7, 5, 6, 0.5f, 1.25f, 2.0f, Util::Vector3D(-3.5, 12, 0.25), big));
    doc.addObject(boost::make_shared<TotalVolume>(1, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(100, 0, 0),
                                                  std::vector<std::uint32_t>{16}));
    Document reread;
    ASSERT_TRUE(read(write(doc), reread));
    const auto before = volumes(doc), after = volumes(reread);
    ASSERT_EQ(after.size(), 2u);
    for (std::size_t v = 0; v < 2; ++v) {
        EXPECT_EQ(after[v]->sizeX(), before[v]->sizeX());
        EXPECT_EQ(after[v]->sizeZ(), before[v]->sizeZ());
        EXPECT_EQ(after[v]->cellsizeY(), before[v]->cellsizeY());
        EXPECT_EQ(after[v]->position(), before[v]->position());
        EXPECT_EQ(after[v]->materials(), before[v]->materials());
        EXPECT_EQ(after[v]->viewOptions().drawRange,
                  Model::Automaton::CellRange::whole(after[v]->sizeX(), after[v]->sizeY(), after[v]->sizeZ()))
            << "a read volume is shown whole";
    }
    EXPECT_TRUE(warnings.empty());
}

// A document keeps the length of its world unit; one written before there
// were units opens with the default, the unit those documents meant, and a
// unit that is no length is named and replaced by the default.
TEST_F(DocumentArchiverTest, TheLengthUnitSurvivesARoundTripAndOlderDocumentsTakeTheDefault)
{
    Document doc;
    doc.setLengthUnit(Model::LengthUnit(1e-6 / 3));
    Document reread;
    reread.setLengthUnit(Model::LengthUnit(1.0));
    ASSERT_TRUE(read(write(doc), reread));
    EXPECT_EQ(reread.lengthUnit(), doc.lengthUnit()) << "every digit of it";

    Document older;
    older.setLengthUnit(Model::LengthUnit(1.0));
    ASSERT_TRUE(read(document(volume(2, 1)), older));
    EXPECT_TRUE(older.lengthUnit().isDefault());
    EXPECT_DOUBLE_EQ(std::pow(older.lengthUnit().metres(), 3), 2.00129819772e-17);
    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(damage.describe().isEmpty());

    for (const char *bad : {"-1e-6", "nan", "1um", "0"}) {
        Document strange;
        warnings.clear();
        damage = DocumentDamage();
        const QByteArray text = "<?xml version=\"1.0\"?><Document><Header version=\"1\" length-unit=\""
            + QByteArray(bad) + "\"/>" + volume(2, 1) + "</Document>";
        ASSERT_TRUE(read(text, strange)) << bad;
        EXPECT_TRUE(strange.lengthUnit().isDefault()) << bad;
        ASSERT_EQ(warnings.size(), 1u) << bad;
        EXPECT_EQ(warnings[0], "WARNING: The length unit \"" + std::string(bad)
                                   + "\" is not a length; the default of 2.715 µm was taken.");
        EXPECT_EQ(damage.describe(), QStringList{QString::fromStdString(warnings[0]).mid(9)});
        EXPECT_EQ(volumes(strange).size(), 1u) << "the cells are read all the same";
    }
}

// Boundaries go with their volume; older documents, which do not say, open
// closed everywhere, as the results they hold were made; a name that is no
// boundary is named and read as closed. Positions come back to the digit.
TEST_F(DocumentArchiverTest, BoundariesAndExactPositionsSurviveARoundTrip)
{
    using namespace Model::Automaton;
    Document doc;
    auto window = boost::make_shared<TotalVolume>(2, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(0.1, -123456789.25, 1e300),
                                                  std::vector<std::uint32_t>{1, 0});
    window->setBoundaries({SideBoundary::Periodic, SideBoundary::Mirror, TopBoundary::Open});
    doc.addObject(window);
    doc.addObject(boost::make_shared<TotalVolume>(1, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                  std::vector<std::uint32_t>{1}));
    const QByteArray text = write(doc);
    EXPECT_EQ(text.count("boundary-x=\"Periodic\""), 1) << "a closed volume writes none";
    Document reread;
    ASSERT_TRUE(read(text, reread));
    const auto after = volumes(reread);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0]->boundaries(), window->boundaries());
    EXPECT_EQ(after[0]->position(), window->position());
    EXPECT_TRUE(after[1]->boundaries().isClosed());

    Document older;
    ASSERT_TRUE(read(document(volume(2, 1)), older));
    EXPECT_TRUE(volumes(older)[0]->boundaries().isClosed());

    Document odd;
    warnings.clear();
    QByteArray strange = volume(2, 1);
    strange.replace("object-type=\"1\"", "object-type=\"1\" boundary-x=\"Wrap\" boundary-top=\"Open\"");
    ASSERT_TRUE(read(document(strange), odd));
    ASSERT_EQ(volumes(odd).size(), 1u);
    EXPECT_EQ(volumes(odd)[0]->boundaries(), (Boundaries{SideBoundary::Closed, SideBoundary::Closed, TopBoundary::Open}));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "WARNING: A cell volume's \"boundary-x\" = \"Wrap\" is no boundary; it is closed.");
}

TEST_F(DocumentArchiverTest, EquivalentMaterialKeepsTheCatalogueEntry)
{
    Document doc;
    ASSERT_TRUE(read(document("<Material version=\"1\" name=\"Thermal Si02\" material-id=\"3\" density=\"1\" "
                              "color=\"#FF7F7FFF\"/>"
                              "<Object object-type=\"1\" size-x=\"2\" size-y=\"1\" size-z=\"1\"><State>3 3 </State>"
                              "</Object>"),
                     doc));
    EXPECT_EQ(catalogue.getMaterial(3).density(), 2200.0f);
    EXPECT_EQ(volumes(doc)[0]->materials(), (std::vector<std::uint32_t>{3, 3}));
    EXPECT_EQ(catalogue.getMaterials().size(), 15u);
}

TEST_F(DocumentArchiverTest, ClashingMaterialGetsAFreshIdInItsCells)
{
    Document doc;
    ASSERT_TRUE(read(document("<Material version=\"1\" name=\"My oxide\" material-id=\"3\" density=\"9\" "
                              "color=\"#FF102030\"/>"
                              "<Material version=\"1\" name=\"Brand new\" material-id=\"77\" color=\"#FF000000\"/>"
                              "<Object object-type=\"1\" size-x=\"4\" size-y=\"1\" size-z=\"1\">"
                              "<State>3 1 77 0 </State></Object>"),
                     doc));
    const auto ids = volumes(doc)[0]->materials();
    EXPECT_GE(ids[0], 2000u);
    EXPECT_LE(ids[0], 32766u);
    EXPECT_EQ(catalogue.getMaterial(ids[0]).name(), "My oxide");
    EXPECT_EQ(catalogue.getMaterial(3).name(), "Thermal Si02") << "the catalogue keeps its own id 3";
    EXPECT_EQ(ids[1], 1u) << "ids the file declared nothing for stay";
    EXPECT_EQ(ids[2], 77u);
    EXPECT_EQ(catalogue.getMaterial(77).name(), "Brand new");
    EXPECT_EQ(ids[3], 0u);
}

TEST_F(DocumentArchiverTest, NamedColoursOfMaterialsAreRead)
{
    Document doc;
    ASSERT_TRUE(read(document("<Material version=\"1\" name=\"Painted\" material-id=\"77\" color=\"red\"/>"
                              "<Material version=\"1\" name=\"Thermal Si02\" material-id=\"3\" color=\"Blue\"/>"),
                     doc));
    EXPECT_EQ(catalogue.getMaterial(77).colour(), (Colour{1, 0, 0, 1}));
    // Another colour than the catalogue's oxide: a material of its own.
    const auto materials = catalogue.getMaterials();
    ASSERT_EQ(materials.size(), 17u);
    EXPECT_EQ(materials.back().name(), "Thermal Si02");
    EXPECT_EQ(materials.back().colour(), (Colour{0, 0, 1, 1}));
    EXPECT_TRUE(warnings.empty());
}

TEST_F(DocumentArchiverTest, UnreadableMaterialWarnsAndOtherObjectTypesAreSkipped)
{
    Document doc;
    ASSERT_TRUE(read(document("<Material version=\"1\" material-id=\"0\"/>"
                              "<Object object-type=\"2\"><State>1 </State></Object>"
                              "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\"><State>1 </State>"
                              "</Object>"),
                     doc));
    EXPECT_EQ(warnings, (std::vector<std::string>{DocumentArchiver::MaterialWarning,
                                                   "WARNING: An object of type 2 was skipped: documents do not hold "
                                                   "objects of that type."}));
    EXPECT_STREQ(DocumentArchiver::MaterialWarning,
                 "WARNING: There was an error loading a material. This may alter the loaded cell volume.");
    EXPECT_EQ(volumes(doc).size(), 1u);
}

TEST_F(DocumentArchiverTest, StateTextToleratesSpacingAndCounts)
{
    const QByteArray states[] = {"  1  0 1   ", "1 0 1 9 9 9", "1 0"};
    const std::vector<std::uint32_t> expected[] = {{1, 0, 1}, {1, 0, 1}, {1, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        Document doc;
        ASSERT_TRUE(read(document("<Object object-type=\"1\" size-x=\"3\" size-y=\"1\" size-z=\"1\"><State>"
                                  + states[i] + "</State></Object>"),
                         doc));
        EXPECT_EQ(volumes(doc)[0]->materials(), expected[i]) << states[i].constData();
    }
}

TEST_F(DocumentArchiverTest, TruncatedFileKeepsWhatWasRead)
{
    Document doc;
    const QByteArray text = document("<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\"><State>1 "
                                     "</State></Object><Object object-type=\"1\" size-x=\"2\"");
    EXPECT_TRUE(read(text.left(text.size() - 20), doc));
    EXPECT_EQ(volumes(doc).size(), 1u);
    EXPECT_TRUE(damage.isDamaged());
    EXPECT_EQ(damage.describe(), QStringList{"The document ends early: 1 of 1 cells were read."});
}

// A file cut off inside a volume's cells: the cells before the cut are
// kept, the number the cut went through is not trusted, the volume is still
// there to be saved elsewhere, and the loss is counted for the user.
TEST_F(DocumentArchiverTest, FileCutInsideTheCellsKeepsTheCellsBeforeTheCut)
{
    const QByteArray whole = document(volume(2000, 12) + volume(1000, 1));
    const int state = whole.indexOf("<State>") + 7;
    struct Cut
    {
        int bytes;          // kept after "<State>"
        std::uint32_t read; // whole numbers before the cut
    };
    for (const Cut cut : {Cut{3 * 1500, 1500}, Cut{3 * 1500 + 1, 1500}, Cut{3 * 1500 + 2, 1500}}) {
        for (const bool fromDevice : {true, false}) {
            Document doc;
            damage = DocumentDamage();
            const QByteArray text = whole.left(state + cut.bytes);
            ASSERT_TRUE(fromDevice ? readFromDevice(text, doc) : read(text, doc));
            const auto loaded = volumes(doc);
            ASSERT_EQ(loaded.size(), 1u) << cut.bytes;
            const auto ids = loaded[0]->materials();
            EXPECT_EQ(std::count(ids.begin(), ids.end(), 12u), std::ptrdiff_t(cut.read)) << cut.bytes;
            EXPECT_EQ(std::count(ids.begin(), ids.end(), 0u), std::ptrdiff_t(2000 - cut.read))
                << "no partial number such as 1 is stored";
            EXPECT_EQ(damage.describe(), QStringList{"The document ends early: 1 500 of 2 000 cells were read."});
        }
    }
}

TEST_F(DocumentArchiverTest, WholeDocumentsAreNotDamaged)
{
    Document doc;
    ASSERT_TRUE(readFromDevice(document(volume(3, 1)) + "\n", doc));
    EXPECT_FALSE(damage.isDamaged());
    EXPECT_TRUE(damage.describe().isEmpty());
    EXPECT_EQ(damage.cellsRead(), 3u);

    Document trailing;
    ASSERT_TRUE(read(document(volume(3, 1)) + "<Stray>", trailing));
    EXPECT_FALSE(damage.isDamaged()) << "what follows the closed document held none of it";
}

TEST_F(DocumentArchiverTest, EveryUnreadablePartIsCounted)
{
    Document doc;
    ASSERT_TRUE(read(document("<Material version=\"1\" material-id=\"0\"/>"
                              "<Object size-x=\"1\" size-y=\"1\" size-z=\"1\"><State>1 </State></Object>"
                              "<Object object-type=\"2\"/>"
                              "<Object object-type=\"1\" size-x=\"two\" size-y=\"1\" size-z=\"1\"/>"
                              "<Object object-type=\"1\" size-x=\"1234\" size-y=\"1\" size-z=\"1\">"
                              "<State>1 x 1 </State></Object><Broken a=\"1\" a=\"2\"/>"),
                     doc));
    EXPECT_EQ(volumes(doc).size(), 1u);
    const QStringList lines = damage.describe();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("The document is damaged at line 1, column ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(": 2 of 1 234 cells were read.")) << lines[0].toStdString();
    EXPECT_EQ(lines.mid(1), (QStringList{"1 cell value was not a number; that cell is empty.",
                                         "1 cell volume could not be loaded.", "1 material could not be read.",
                                         "2 objects could not be read."}));
}

TEST_F(DocumentArchiverTest, MissingCellsOfAWellFormedFileAreDamage)
{
    Document doc;
    ASSERT_TRUE(read(document("<Object object-type=\"1\" size-x=\"1000\" size-y=\"1000\" size-z=\"1\">"
                              "<State>1 1 1 </State></Object>"),
                     doc));
    EXPECT_EQ(damage.describe(), QStringList{"Cells are missing: 3 of 1 000 000 cells were read."});
}

TEST_F(DocumentArchiverTest, NotADocumentAddsNothing)
{
    for (const QByteArray &text : {QByteArray("<Materials/>"), QByteArray("<Document><Object/></Document>"),
                                   QByteArray(""), QByteArray("garbage")}) {
        Document doc;
        EXPECT_FALSE(read(text, doc)) << text.constData();
        EXPECT_TRUE(doc.allObjects().empty());
    }
}

TEST_F(DocumentArchiverTest, HostileSizesAreRefusedWithAWarning)
{
    const QByteArray objects[] = {
        "<Object object-type=\"1\" size-x=\"100000\" size-y=\"100000\" size-z=\"100000\"><State>1 </State></Object>",
        "<Object object-type=\"1\" size-x=\"4294967295\" size-y=\"4294967295\" size-z=\"4294967295\"/>",
        "<Object object-type=\"1\" size-x=\"-5\" size-y=\"1\" size-z=\"1\"><State>1 </State></Object>",
        "<Object object-type=\"1\" size-x=\"two\" size-y=\"1\" size-z=\"1\"/>",
        "<Object object-type=\"1\" size-y=\"1\" size-z=\"1\"/>",
    };
    for (const QByteArray &object : objects) {
        Document doc;
        warnings.clear();
        EXPECT_TRUE(read(document(object + "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\">"
                                           "<State>1 </State></Object>"),
                         doc));
        ASSERT_EQ(warnings.size(), 1u) << object.constData();
        EXPECT_EQ(warnings[0].rfind("WARNING: ", 0), 0u);
        EXPECT_EQ(volumes(doc).size(), 1u) << "the next object still loads";
    }
}

TEST_F(DocumentArchiverTest, GarbageStateOfOneHundredMegabytesDoesNotCrash)
{
    QByteArray garbage(100 * 1024 * 1024, 'x');
    for (int i = 0; i < garbage.size(); i += 97)
        garbage[i] = ' ';
    Document doc;
    EXPECT_TRUE(read(document("<Object object-type=\"1\" size-x=\"10\" size-y=\"10\" size-z=\"10\"><State>" + garbage
                              + "</State></Object>"),
                     doc));
    ASSERT_EQ(volumes(doc).size(), 1u);
    const auto ids = volumes(doc)[0]->materials();
    EXPECT_TRUE(std::all_of(ids.begin(), ids.end(), [](std::uint32_t id) { return id == 0; }));
    ASSERT_EQ(warnings.size(), 2u) << "values that are no numbers, and values beyond the cells";
    EXPECT_NE(warnings[0].find("were not numbers"), std::string::npos);
    EXPECT_NE(warnings[1].find("more cell values than cells"), std::string::npos);
}

// Losses the reader once passed over in silence: each is named in one
// warning and counted, and only what the file really lacks is lost.
TEST_F(DocumentArchiverTest, TabsAndLineBreaksSeparateCellsLikeSpaces)
{
    Document doc;
    ASSERT_TRUE(read(document("<Object object-type=\"1\" size-x=\"4\" size-y=\"1\" size-z=\"1\"><State>1\t0\n1\r\n\t1"
                              "</State></Object>"),
                     doc));
    ASSERT_EQ(volumes(doc).size(), 1u);
    EXPECT_EQ(volumes(doc)[0]->materials(), (std::vector<std::uint32_t>{1, 0, 1, 1}));
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(damage.isDamaged());
}

TEST_F(DocumentArchiverTest, SurplusCellValuesAreNamedAndCounted)
{
    Document doc;
    ASSERT_TRUE(read(document("<Object object-type=\"1\" size-x=\"2\" size-y=\"1\" size-z=\"1\"><State>1 0 1 1 1 "
                              "</State></Object>"),
                     doc));
    ASSERT_EQ(volumes(doc).size(), 1u);
    EXPECT_EQ(volumes(doc)[0]->materials(), (std::vector<std::uint32_t>{1, 0}));
    EXPECT_EQ(warnings, std::vector<std::string>{"WARNING: A cell volume of 2 x 1 x 1 cells holds 3 more cell values "
                                                 "than cells; they were dropped."});
    EXPECT_EQ(damage.describe(), QStringList{"3 cell values beyond the cells of a cell volume were dropped."});
    EXPECT_FALSE(damage.cellsIncomplete()) << "every cell of the volume was read";
}

TEST_F(DocumentArchiverTest, AnElementInsideTheCellsIsSkippedAndTheCellsAfterItAreRead)
{
    Document doc;
    ASSERT_TRUE(read(document("<Object object-type=\"1\" size-x=\"3\" size-y=\"1\" size-z=\"1\"><State>1 "
                              "<Note>9 9</Note>0 1 </State><Position pos-x=\"5\" pos-y=\"0\" pos-z=\"0\"/></Object>"),
                     doc));
    ASSERT_EQ(volumes(doc).size(), 1u);
    EXPECT_EQ(volumes(doc)[0]->materials(), (std::vector<std::uint32_t>{1, 0, 1}));
    EXPECT_EQ(volumes(doc)[0]->position().x, 5.0) << "the position after the cells is still read";
    EXPECT_EQ(warnings, std::vector<std::string>{"WARNING: An element \"Note\" inside the cells of a cell volume was "
                                                 "skipped."});
    EXPECT_EQ(damage.describe(), QStringList{"1 element inside the cells of a cell volume was skipped."});
}

TEST_F(DocumentArchiverTest, ObjectsThatAreNotReadAreNamedWhereverTheyStand)
{
    struct Case
    {
        const char *what;
        QByteArray body;
        const char *warning;
    };
    const QByteArray one = "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\"><State>1 </State></Object>";
    const Case cases[] = {
        {"no type", "<Object size-x=\"1\" size-y=\"1\" size-z=\"1\"/>",
         "WARNING: An object without a readable \"object-type\" was skipped."},
        {"type not a number", "<Object object-type=\"one\"/>",
         "WARNING: An object without a readable \"object-type\" was skipped."},
        {"unknown type", "<Object object-type=\"77\"/>",
         "WARNING: An object of type 77 was skipped: documents do not hold objects of that type."},
        {"inside another element", "<Group>" + one + "</Group>", "WARNING: 1 object inside \"Group\" was skipped."},
        {"inside a volume", "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\"><Extra>" + one + one
                                + "</Extra><State>1 </State></Object>",
         "WARNING: 2 objects inside \"Extra\" were skipped."},
    };
    for (const Case &c : cases) {
        Document doc;
        warnings.clear();
        damage = DocumentDamage();
        ASSERT_TRUE(read(document(c.body + one), doc)) << c.what;
        EXPECT_EQ(warnings, std::vector<std::string>{c.warning}) << c.what;
        EXPECT_TRUE(damage.isDamaged()) << c.what;
        EXPECT_FALSE(damage.cellsIncomplete()) << c.what;
        EXPECT_GE(volumes(doc).size(), 1u) << c.what << ": the next object still loads";
    }
}

TEST_F(DocumentArchiverTest, FarPositionsOpenAndPlacesOrCellSizesThatAreNoNumbersAreRefused)
{
    Document far;
    auto original = boost::make_shared<TotalVolume>(1, 1, 1, 1e-30f, 1.0f, 1.0f, Util::Vector3D(1e30, -2.5, 7),
                                                    std::vector<std::uint32_t>{1});
    far.addObject(original);
    Document back;
    ASSERT_TRUE(read(write(far), back));
    ASSERT_EQ(volumes(back).size(), 1u) << "files the program writes keep opening";
    EXPECT_DOUBLE_EQ(volumes(back)[0]->position().x, 1e30);
    EXPECT_FLOAT_EQ(volumes(back)[0]->cellsizeX(), 1e-30f);
    EXPECT_TRUE(warnings.empty());

    const QByteArray refused[] = {
        "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\" cellsize-x=\"0\"><State>1 </State></Object>",
        "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\" cellsize-y=\"-1\"><State>1 </State></Object>",
        "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\" cellsize-z=\"inf\"><State>1 </State></Object>",
        "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\" cellsize-x=\"wide\"/>",
        "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\"><State>1 </State><Position pos-x=\"nan\"/>"
        "</Object>",
        "<Object object-type=\"1\" size-x=\"1\" size-y=\"1\" size-z=\"1\"><State>1 </State><Position pos-z=\"1e999\"/>"
        "</Object>",
    };
    for (const QByteArray &object : refused) {
        Document doc;
        warnings.clear();
        damage = DocumentDamage();
        ASSERT_TRUE(read(document(object), doc));
        EXPECT_TRUE(volumes(doc).empty()) << object.constData();
        ASSERT_EQ(warnings.size(), 1u) << object.constData();
        EXPECT_EQ(warnings[0].rfind("WARNING: A cell volume with a ", 0), 0u) << warnings[0];
        EXPECT_EQ(damage.describe(), QStringList{"1 cell volume could not be loaded."}) << object.constData();
    }
}

// A few kilobytes can declare millions of cells: the empty cells added to
// fill them are reported as missing, as for a file cut short.
TEST_F(DocumentArchiverTest, ASmallFileDeclaringAHugeVolumeReportsTheCellsItLacks)
{
    QByteArray state;
    for (int i = 0; i < 9000; ++i)
        state += "1 ";
    Document doc;
    ASSERT_TRUE(read(document("<Object object-type=\"1\" size-x=\"19300\" size-y=\"20\" size-z=\"20\"><State>" + state
                              + "</State></Object>"),
                     doc));
    EXPECT_EQ(volumes(doc).size(), 1u);
    EXPECT_TRUE(damage.cellsIncomplete());
    EXPECT_EQ(damage.describe(), QStringList{"Cells are missing: 9 000 of 7 720 000 cells were read."});
}
