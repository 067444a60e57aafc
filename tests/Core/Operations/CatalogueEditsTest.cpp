#include "Core/Operations/CatalogueEdits.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Process/ProcessFactory.h"
#include "RecordingOperation.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

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
