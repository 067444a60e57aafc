#include "Core/Operations/Catalogues/CatalogueEdits.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Document.h"
#include "Model/Persistence/DocumentArchiver.h"
#include "Model/Process/ProcessFactory.h"
#include "RecordingOperation.h"
#include "TempFolder.h"

#include <QFileInfo>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>

using Core::Operations::CatalogueEdits;
using Model::Materials::Material;
using Model::Materials::MaterialFactory;
using Model::Process::Process;
using Model::Process::ProcessFactory;

TEST(CatalogueEdits, AcceptedMaterialsReachTheCatalogueTheViewAndTheFile)
{
    TestSupport::TempFolder temp;
    MaterialFactory catalogue(temp.path());
    catalogue.loadDefaultMaterials();
    Core::Operations::OperationContext context;
    std::vector<std::string> log;
    context.addUpdateObserver(boost::make_shared<TestSupport::LoggingObserver>("update", &log));
    auto volume = boost::make_shared<Model::Automaton::TotalVolume>(1, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                                    std::vector<std::uint32_t>{1});
    context.document().addObject(volume);
    context.selectionManager().toggle({volume->id()});

    std::vector<Material> edited = catalogue.getMaterials();
    edited[0].setName("Silicon");
    edited.emplace_back(17, "New Material", 1, 1, 1);
    EXPECT_TRUE(CatalogueEdits::applyMaterials(edited, catalogue, context));

    EXPECT_EQ(catalogue.getMaterial(1).name(), "Silicon");
    EXPECT_EQ(catalogue.getMaterial(17).name(), "New Material");
    EXPECT_FALSE(volume->isSelected());
    EXPECT_EQ(log, std::vector<std::string>{"update"});
    MaterialFactory afterRestart(temp.path());
    ASSERT_TRUE(afterRestart.loadMaterials());
    const auto reread = afterRestart.getMaterials();
    const auto current = catalogue.getMaterials();
    ASSERT_EQ(reread.size(), current.size());
    for (std::size_t i = 0; i < reread.size(); ++i)
        EXPECT_TRUE(Material::isEquivalent(reread[i], current[i])) << reread[i].id();
}

TEST(CatalogueEdits, AcceptedProcessesAreWritten)
{
    TestSupport::TempFolder temp;
    ProcessFactory catalogue(temp.path());
    catalogue.loadDefaultProcesses();
    std::vector<Process> edited = catalogue.getProcesses();
    edited[2].setCompatibleMaterials({3});
    EXPECT_TRUE(CatalogueEdits::applyProcesses(edited, catalogue));
    ProcessFactory afterRestart(temp.path());
    ASSERT_TRUE(afterRestart.loadProcesses());
    EXPECT_EQ(afterRestart.getProcessByName("CVD").compatibleMaterials(), std::vector<unsigned>{3});
}

TEST(CatalogueEdits, UnwritableFolderKeepsTheEditsForTheSession)
{
    TestSupport::TempFolder temp;
    ASSERT_TRUE(TestSupport::TempFolder::write(temp.file("blocked"), "a file, not a folder"));
    MaterialFactory catalogue(temp.file("blocked"));
    catalogue.loadDefaultMaterials();
    Core::Operations::OperationContext context;
    std::vector<Material> edited = catalogue.getMaterials();
    edited[0].setName("Silicon");
    EXPECT_FALSE(CatalogueEdits::applyMaterials(edited, catalogue, context));
    EXPECT_EQ(catalogue.getMaterial(1).name(), "Silicon");
}

namespace {

// Opens a document (as "Open" does) into its own document, merging its
// materials into `catalogue`.
void openDocument(const QByteArray &text, MaterialFactory &catalogue)
{
    Model::Document document;
    QXmlStreamReader reader(text);
    ASSERT_TRUE(Model::Persistence::DocumentArchiver::readDocument(
        &reader, document, Model::Persistence::DocumentArchiver::standardRegistry(), catalogue,
        [](const std::string &) {}));
}

// A catalogue started over a damaged file that could not be moved aside:
// next to the limit on path lengths the file cannot be renamed, so start-up
// leaves it where it is and keeps the defaults in memory.
template<typename Catalogue>
std::unique_ptr<Catalogue> startedOverDamagedFile(const TestSupport::TempFolder &temp, const QByteArray &damaged)
{
    const QString folder = temp.nestedFolder(4066);
    EXPECT_EQ(folder.size(), 4066);
    auto catalogue = std::make_unique<Catalogue>(folder);
    EXPECT_TRUE(TestSupport::TempFolder::write(catalogue->filePath(), damaged));
    catalogue->loadOrInstallDefaults();
    EXPECT_TRUE(catalogue->damagedFileKept());
    return catalogue;
}

// A question that records that it was asked and answers `yes`.
CatalogueEdits::ConfirmOverwrite answering(bool yes, QStringList *asked)
{
    return [yes, asked](const QString &path) {
        asked->append(path);
        return yes;
    };
}

} // namespace

TEST(CatalogueEdits, ReopenedDocumentsLeaveTheMaterialsFileAlone)
{
    TestSupport::TempFolder temp;
    MaterialFactory catalogue(temp.path());
    catalogue.loadOrInstallDefaults();
    const QByteArray before = TestSupport::TempFolder::read(catalogue.filePath());
    // Its oxide differs from the catalogue's and its own material is new.
    const QByteArray document = "<Document><Header version=\"1\"/>"
                                "<Material version=\"1\" name=\"My oxide\" material-id=\"3\" color=\"#FF102030\"/>"
                                "<Material version=\"1\" name=\"Mine\" material-id=\"40\" color=\"#FF000000\"/>"
                                "<Object object-type=\"1\" size-x=\"2\" size-y=\"1\" size-z=\"1\">"
                                "<State>3 40 </State></Object></Document>";
    openDocument(document, catalogue);
    openDocument(document, catalogue);
    ASSERT_EQ(catalogue.getMaterials().size(), 15u + 3u) << "two fresh oxides and the new material";

    // Manage Materials, OK without an edit.
    Core::Operations::OperationContext context;
    EXPECT_TRUE(CatalogueEdits::applyMaterials(catalogue.getMaterials(), catalogue, context));
    EXPECT_EQ(TestSupport::TempFolder::read(catalogue.filePath()), before);

    // Edits are written, the merged materials the user left alone are not.
    std::vector<Material> edited = catalogue.getMaterials();
    edited[0].setName("Silicon");
    for (Material &material : edited)
        if (material.id() == 40)
            material.setName("Mine, kept");
    edited.emplace_back(17, "New Material", 1, 1, 1);
    EXPECT_TRUE(CatalogueEdits::applyMaterials(edited, catalogue, context));
    MaterialFactory afterRestart(temp.path());
    ASSERT_TRUE(afterRestart.loadMaterials());
    std::vector<unsigned> ids;
    for (const Material &material : afterRestart.getMaterials())
        ids.push_back(material.id());
    EXPECT_EQ(ids, (std::vector<unsigned>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 40}));
    EXPECT_EQ(afterRestart.getMaterial(1).name(), "Silicon");
    EXPECT_EQ(afterRestart.getMaterial(3).name(), "Thermal Si02");
    EXPECT_EQ(afterRestart.getMaterial(40).name(), "Mine, kept");
    EXPECT_EQ(catalogue.getMaterials().size(), 15u + 3u + 1u) << "the session keeps every merged material";
}

TEST(CatalogueEdits, DamagedMaterialsFileIsReplacedOnlyWhenTheUserAgrees)
{
    TestSupport::TempFolder temp;
    const QByteArray damaged = "<Materials><Material name=\"Mine\" material-id=\"40\"";
    const auto started = startedOverDamagedFile<MaterialFactory>(temp, damaged);
    MaterialFactory &catalogue = *started;

    Core::Operations::OperationContext context;
    std::vector<Material> edited = catalogue.getMaterials();
    edited[0].setName("Silicon");
    QStringList asked;
    EXPECT_TRUE(CatalogueEdits::applyMaterials(edited, catalogue, context, answering(false, &asked)));
    EXPECT_EQ(asked, QStringList{catalogue.filePath()});
    EXPECT_EQ(TestSupport::TempFolder::read(catalogue.filePath()), damaged) << "byte for byte";
    EXPECT_EQ(catalogue.getMaterial(1).name(), "Silicon") << "the edit holds for the session";

    EXPECT_TRUE(CatalogueEdits::applyMaterials(edited, catalogue, context)) << "nothing changed: nothing asked";
    edited[0].setName("Si again");
    EXPECT_TRUE(CatalogueEdits::applyMaterials(edited, catalogue, context));
    EXPECT_EQ(TestSupport::TempFolder::read(catalogue.filePath()), damaged) << "without a question, no overwrite";

    edited[0].setName("Silicon");
    asked.clear();
    EXPECT_TRUE(CatalogueEdits::applyMaterials(edited, catalogue, context, answering(true, &asked)));
    EXPECT_EQ(asked.size(), 1);
    MaterialFactory afterRestart(QFileInfo(catalogue.filePath()).path());
    ASSERT_TRUE(afterRestart.loadMaterials());
    EXPECT_EQ(afterRestart.getMaterial(1).name(), "Silicon");
    EXPECT_EQ(afterRestart.getMaterials().size(), 15u);

    edited[0].setName("Si");
    asked.clear();
    EXPECT_TRUE(CatalogueEdits::applyMaterials(edited, catalogue, context, answering(false, &asked)));
    EXPECT_TRUE(asked.isEmpty()) << "a sound file is written without asking";
}

TEST(CatalogueEdits, DamagedProcessesFileIsReplacedOnlyWhenTheUserAgrees)
{
    TestSupport::TempFolder temp;
    const QByteArray damaged = "<Processes><Process";
    const auto started = startedOverDamagedFile<ProcessFactory>(temp, damaged);
    ProcessFactory &catalogue = *started;

    std::vector<Process> edited = catalogue.getProcesses();
    edited[2].setCompatibleMaterials({3});
    QStringList asked;
    EXPECT_TRUE(CatalogueEdits::applyProcesses(edited, catalogue, answering(false, &asked)));
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(TestSupport::TempFolder::read(catalogue.filePath()), damaged);
    EXPECT_EQ(catalogue.getProcess(3).compatibleMaterials(), std::vector<unsigned>{3});

    edited[2].setCompatibleMaterials({4});
    EXPECT_TRUE(CatalogueEdits::applyProcesses(edited, catalogue, answering(true, &asked)));
    ProcessFactory afterRestart(QFileInfo(catalogue.filePath()).path());
    ASSERT_TRUE(afterRestart.loadProcesses());
    EXPECT_EQ(afterRestart.getProcess(3).compatibleMaterials(), std::vector<unsigned>{4});
}
