#include "Model/Process/ProcessFactory.h"

#include "TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using Model::Process::Process;
using Model::Process::ProcessFactory;
using TestSupport::TempFolder;

namespace {

class ProcessCatalogueTest : public ::testing::Test
{
protected:
    ProcessCatalogueTest() : folder(temp.file("Tessival")), catalogue(folder) {}

    void writeFile(const QByteArray &text)
    {
        QDir().mkpath(folder);
        ASSERT_TRUE(TempFolder::write(catalogue.filePath(), text));
    }

    static QByteArray withProcesses(const QByteArray &body)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Processes>\n" + body + "</Processes>\n";
    }

    TempFolder temp;
    QString folder;
    ProcessFactory catalogue;
};

} // namespace

TEST_F(ProcessCatalogueTest, FirstStartWritesTheFourteenDefaults)
{
    catalogue.loadOrInstallDefaults();
    const QByteArray text = TempFolder::read(catalogue.filePath());
    EXPECT_EQ(text, TestSupport::testData("default-processes.xml"));
    EXPECT_TRUE(text.contains("    <Process version=\"1\" name=\"Planarization\" process-id=\"7\">\n"
                              "        <CompatibleMaterials></CompatibleMaterials>\n"
                              "    </Process>\n"));
    const auto processes = catalogue.getProcesses();
    ASSERT_EQ(processes.size(), 14u);
    for (std::size_t i = 0; i < processes.size(); ++i)
        EXPECT_EQ(processes[i].id(), i + 1);
    EXPECT_EQ(catalogue.getProcessByName("CVD").compatibleMaterials(), (std::vector<unsigned>{3, 16}));
}

TEST_F(ProcessCatalogueTest, RoundTripKeepsOrderAndDuplicates)
{
    catalogue.loadDefaultProcesses();
    catalogue.setProcess(Process("Twice & <odd>", 40, {9, 3, 9}));
    catalogue.setProcess(Process("Nothing", 41, {}));
    ASSERT_TRUE(catalogue.saveProcesses());
    ProcessFactory reread(folder);
    ASSERT_TRUE(reread.loadProcesses());
    EXPECT_EQ(reread.getProcesses(), catalogue.getProcesses());
}

TEST_F(ProcessCatalogueTest, CompatibleMaterialsSkipEmptyAndNonNumericParts)
{
    writeFile(withProcesses("<Process version=\"1\" name=\"Mixed\" process-id=\"3\">"
                            "<CompatibleMaterials>3;;4;x;5;-1;4294967296</CompatibleMaterials></Process>\n"));
    ASSERT_TRUE(catalogue.loadProcesses());
    EXPECT_EQ(catalogue.getProcess(3).compatibleMaterials(), (std::vector<unsigned>{3, 4, 5}));
}

TEST_F(ProcessCatalogueTest, InvalidProcessElementsAreSkipped)
{
    writeFile(withProcesses(
        "<Process version=\"one\" name=\"BadVersion\" process-id=\"1\"><CompatibleMaterials>1</CompatibleMaterials></Process>\n"
        "<Process version=\"1\" name=\"BadId\" process-id=\"x\"><CompatibleMaterials>1</CompatibleMaterials></Process>\n"
        "<Process version=\"1\" name=\"Zero\" process-id=\"0\"/>\n"
        "<Process version=\"1\" process-id=\"5\"/>\n"
        "<Process name=\"NoVersion\" process-id=\"6\"/>\n"
        "<Process version=\"1\" name=\"Other child\" process-id=\"7\"><Note>1;2</Note></Process>\n"));
    ASSERT_TRUE(catalogue.loadProcesses());
    const auto processes = catalogue.getProcesses();
    ASSERT_EQ(processes.size(), 2u);
    EXPECT_EQ(processes[0].name(), "NoVersion");
    EXPECT_TRUE(processes[0].compatibleMaterials().empty());
    EXPECT_EQ(processes[1].name(), "Other child");
    EXPECT_TRUE(processes[1].compatibleMaterials().empty());
}

TEST_F(ProcessCatalogueTest, LookupsByNameAndIdFallBackToTheEmptyProcess)
{
    catalogue.loadDefaultProcesses();
    catalogue.setProcess(Process("CVD", 20, {4}));
    EXPECT_EQ(catalogue.getProcessByName("CVD").id(), 3u) << "the first in id order";
    EXPECT_EQ(catalogue.getProcessByName("cvd"), Process());
    EXPECT_EQ(catalogue.getProcess(99), Process());
    EXPECT_FALSE(catalogue.setProcess(Process("Nothing", 0, {1})));
}

TEST_F(ProcessCatalogueTest, DamagedFileIsKeptAsideAndDefaultsWritten)
{
    writeFile("<Processes><Process version=\"1\" name=\"Mine\" process-id=\"30\">");
    catalogue.loadOrInstallDefaults();
    EXPECT_EQ(catalogue.getProcesses().size(), 14u) << "entries read before the damage are dropped";
    EXPECT_EQ(TempFolder::read(catalogue.filePath()), TestSupport::testData("default-processes.xml"));
    const QStringList aside = QDir(folder).entryList({"processes.xml.unreadable-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(TempFolder::read(folder + "/" + aside.first()),
              "<Processes><Process version=\"1\" name=\"Mine\" process-id=\"30\">");
}
