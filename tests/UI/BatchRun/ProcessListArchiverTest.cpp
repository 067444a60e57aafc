// Process list files: the exact layout of what is written, values of every
// type read back as they were, and damaged files that change nothing.
#include "UI/BatchRun/ProcessListArchiver.h"

#include "Core/Operations/OperationContext.h"
#include "UI/BatchRun/BatchRunner.h"

#include "BatchEntries.h"
#include "FileSizeLimit.h"
#include "LogCapture.h"
#include "TempFolder.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>

using Ui::MaskVector;
using Ui::ProcessData;
using Ui::ProcessListArchiver;

namespace {

struct WrittenParameter
{
    QString name, type, data, visibility;
};

// Every "Parameter" of every "Process-Data", in file order.
std::vector<std::pair<QString, std::vector<WrittenParameter>>> writtenEntries(const QByteArray &xml)
{
    std::vector<std::pair<QString, std::vector<WrittenParameter>>> entries;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.name() == QLatin1String("Process-Data"))
            entries.emplace_back(a.value(QLatin1String("process-type")).toString(), std::vector<WrittenParameter>());
        else if (reader.name() == QLatin1String("Parameter"))
            entries.back().second.push_back({a.value(QLatin1String("parameter-name")).toString(),
                                             a.value(QLatin1String("parameter-type")).toString(),
                                             a.value(QLatin1String("parameter-data")).toString(),
                                             a.value(QLatin1String("parameter-visibility")).toString()});
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return entries;
}

ProcessData cvdEntry()
{
    ProcessData entry(ProcessData::Cvd);
    entry.setParameter(QStringLiteral("Thickness"), 2.5);
    entry.setParameter(QStringLiteral("MaterialId"), 1u, false);
    entry.setParameter(QStringLiteral("Material"), QStringLiteral("Si"));
    entry.setParameter(QStringLiteral("Material_Color"), QColor(127, 127, 127), false);
    return entry;
}

QByteArray listFile(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Process-List>\n" + body + "</Process-List>\n";
}

} // namespace

TEST(ProcessListFile, CvdEntryIsWrittenWithItsTypeAndParametersInNameOrder)
{
    TestSupport::TempFolder folder;
    std::list<ProcessData> list{cvdEntry()};
    ASSERT_TRUE(ProcessListArchiver(list).saveProcessList(folder.file(QStringLiteral("cvd.plst"))));
    const QByteArray xml = TestSupport::TempFolder::read(folder.file(QStringLiteral("cvd.plst")));

    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Process-List>\n    <Process-Data"));
    // Attributes in their fixed order, one empty element per parameter.
    EXPECT_TRUE(xml.contains("        <Parameter parameter-name=\"Thickness\" parameter-type=\"double\" "
                             "parameter-data=\"2.5\" parameter-visibility=\"true\"/>\n"))
        << xml.toStdString();

    const auto entries = writtenEntries(xml);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].first, QStringLiteral("4"));
    const std::vector<WrittenParameter> &p = entries[0].second;
    ASSERT_EQ(p.size(), 4u);
    const char *const names[] = {"Material", "MaterialId", "Material_Color", "Thickness"};
    const char *const types[] = {"QString", "uint", "QColor", "double"};
    const char *const data[] = {"Si", "1", "#7f7f7f", "2.5"};
    const char *const visible[] = {"true", "false", "false", "true"};
    for (std::size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(p[i].name, QLatin1String(names[i]));
        EXPECT_EQ(p[i].type, QLatin1String(types[i])) << names[i];
        EXPECT_EQ(p[i].data, QLatin1String(data[i])) << names[i];
        EXPECT_EQ(p[i].visibility, QLatin1String(visible[i])) << names[i];
    }
}

TEST(ProcessListFile, EveryValueTypeIsWrittenAsTextAndReadBackAsItWas)
{
    ProcessData entry(ProcessData::CreateSubstrate);
    entry.setParameter(QStringLiteral("a bool"), true, false);
    entry.setParameter(QStringLiteral("an int"), -7);
    entry.setParameter(QStringLiteral("a uint"), 4000000000u);
    entry.setParameter(QStringLiteral("a float"), 0.25f);
    entry.setParameter(QStringLiteral("a double"), 1e-7);
    entry.setParameter(QStringLiteral("a text"), QStringLiteral("Cu (bulk) & <more>"));
    entry.setParameter(QStringLiteral("a colour"), QColor(255, 204, 76));
    entry.setParameter(QStringLiteral("a mask"), QVariant::fromValue(MaskVector{true, false, true}));
    entry.setParameter(QStringLiteral("a vector"), QVariant::fromValue(Util::Vector3D(1.5, 0, -2)));

    TestSupport::TempFolder folder;
    const QString path = folder.file(QStringLiteral("all.plst"));
    std::list<ProcessData> list{entry};
    ASSERT_TRUE(ProcessListArchiver(list).saveProcessList(path));

    std::map<QString, std::pair<QString, QString>> written;
    const auto entries = writtenEntries(TestSupport::TempFolder::read(path));
    ASSERT_EQ(entries.size(), 1u);
    for (const WrittenParameter &p : entries[0].second)
        written[p.name] = {p.type, p.data};
    EXPECT_EQ(written[QStringLiteral("a bool")], std::make_pair(QStringLiteral("bool"), QStringLiteral("true")));
    EXPECT_EQ(written[QStringLiteral("a uint")], std::make_pair(QStringLiteral("uint"), QStringLiteral("4000000000")));
    EXPECT_EQ(written[QStringLiteral("a colour")], std::make_pair(QStringLiteral("QColor"), QStringLiteral("#ffcc4c")));
    EXPECT_EQ(written[QStringLiteral("a mask")], std::make_pair(QStringLiteral("vector"), QStringLiteral("101")));
    EXPECT_EQ(written[QStringLiteral("a vector")],
              std::make_pair(QStringLiteral("Util::Vector3D"), QStringLiteral("1.5;0;-2")));

    std::list<ProcessData> read;
    ASSERT_TRUE(ProcessListArchiver(read).loadProcessList(path, read));
    ASSERT_EQ(read.size(), 1u);
    const ProcessData &back = read.front();
    EXPECT_EQ(back.type(), int(ProcessData::CreateSubstrate));
    EXPECT_EQ(back.parameter(QStringLiteral("a bool")), QVariant(true));
    EXPECT_FALSE(back.isVisible(QStringLiteral("a bool")));
    EXPECT_TRUE(back.isVisible(QStringLiteral("a text")));
    EXPECT_EQ(back.parameter(QStringLiteral("an int")), QVariant(-7));
    EXPECT_EQ(back.parameter(QStringLiteral("a uint")), QVariant(4000000000u));
    EXPECT_EQ(back.parameter(QStringLiteral("a float")), QVariant(0.25f));
    EXPECT_EQ(back.parameter(QStringLiteral("a double")), QVariant(1e-7));
    EXPECT_EQ(back.parameter(QStringLiteral("a text")), QVariant(QStringLiteral("Cu (bulk) & <more>")));
    EXPECT_EQ(back.parameter(QStringLiteral("a colour")).value<QColor>(), QColor(255, 204, 76));
    EXPECT_EQ(back.parameter(QStringLiteral("a mask")).value<MaskVector>(), (MaskVector{true, false, true}));
    const Util::Vector3D v = back.parameter(QStringLiteral("a vector")).value<Util::Vector3D>();
    EXPECT_EQ(v.x, 1.5);
    EXPECT_EQ(v.y, 0.0);
    EXPECT_EQ(v.z, -2.0);
}

TEST(ProcessListFile, ReadingTakesVisibilityTypesAndDuplicatesAsTheFileHasThem)
{
    TestSupport::TempFolder folder;
    const QString path = folder.file(QStringLiteral("hand.plst"));
    ASSERT_TRUE(TestSupport::TempFolder::write(
        path, listFile("<Process-Data process-type=\"5\">\n"
                       "<Parameter parameter-name=\"Depth\" parameter-type=\"double\" parameter-data=\"1\"/>\n"
                       "<Parameter parameter-name=\"Depth\" parameter-type=\"double\" parameter-data=\"3\"/>\n"
                       "<Parameter parameter-name=\"Shown\" parameter-type=\"QString\" parameter-data=\"x\""
                       " parameter-visibility=\"\"/>\n"
                       "<Parameter parameter-name=\"Hidden\" parameter-type=\"QString\" parameter-data=\"x\""
                       " parameter-visibility=\"no\"/>\n"
                       "<Parameter parameter-name=\"Point\" parameter-type=\"QPoint\" parameter-data=\"1,2\"/>\n"
                       "<Parameter parameter-name=\"Short\" parameter-type=\"Util::Vector3D\" parameter-data=\"4\"/>\n"
                       "<Parameter parameter-name=\"Empty\" parameter-type=\"Util::Vector3D\" parameter-data=\"\"/>\n"
                       "<Parameter parameter-name=\"Mask\" parameter-type=\"vector\" parameter-data=\"1x01\"/>\n"
                       "<Parameter parameter-name=\"Bad\" parameter-type=\"uint\" parameter-data=\"-2\"/>\n"
                       "</Process-Data>\n"
                       "<Process-Data process-type=\"many\"/>\n")));
    std::list<ProcessData> read;
    ASSERT_TRUE(ProcessListArchiver(read).loadProcessList(path, read));
    ASSERT_EQ(read.size(), 2u);
    const ProcessData &entry = read.front();
    EXPECT_EQ(entry.parameter(QStringLiteral("Depth")), QVariant(3.0)) << "a repeated name keeps the last value";
    EXPECT_TRUE(entry.isVisible(QStringLiteral("Depth"))) << "no visibility attribute means visible";
    EXPECT_TRUE(entry.isVisible(QStringLiteral("Shown")));
    EXPECT_FALSE(entry.isVisible(QStringLiteral("Hidden")));
    EXPECT_TRUE(entry.hasParameter(QStringLiteral("Point")));
    EXPECT_FALSE(entry.parameter(QStringLiteral("Point")).isValid()) << "unknown type names give invalid values";
    const Util::Vector3D shortVector = entry.parameter(QStringLiteral("Short")).value<Util::Vector3D>();
    EXPECT_EQ(shortVector.x, 4.0);
    EXPECT_EQ(shortVector.y, 0.0) << "missing parts read as 0";
    const Util::Vector3D empty = entry.parameter(QStringLiteral("Empty")).value<Util::Vector3D>();
    EXPECT_TRUE(empty.x == 0.0 && empty.y == 0.0 && empty.z == 0.0);
    EXPECT_EQ(entry.parameter(QStringLiteral("Mask")).value<MaskVector>(), (MaskVector{true, false, false, true}));
    EXPECT_EQ(entry.parameter(QStringLiteral("Bad")), QVariant(QStringLiteral("-2")))
        << "a number that does not parse keeps its text, not 0";
    EXPECT_EQ(read.back().type(), int(ProcessData::Unknown)) << "an unreadable type";
    EXPECT_EQ(ProcessData::shownName(read.back().type()), QStringLiteral("Unknown process"));
}

TEST(ProcessListFile, LoadingTwiceAppendsEveryEntryAgainWithNewIds)
{
    TestSupport::TempFolder folder;
    const QString path = folder.file(QStringLiteral("two.plst"));
    std::list<ProcessData> list{cvdEntry(), ProcessData(ProcessData::SaveImage)};
    ASSERT_TRUE(ProcessListArchiver(list).saveProcessList(path));

    std::list<ProcessData> read;
    ProcessListArchiver archiver(read);
    ASSERT_TRUE(archiver.loadProcessList(path, read));
    ASSERT_TRUE(archiver.loadProcessList(path, read));
    ASSERT_EQ(read.size(), 4u);
    std::vector<int> types, ids;
    for (const ProcessData &entry : read) {
        types.push_back(entry.type());
        ids.push_back(entry.id());
    }
    EXPECT_EQ(types, (std::vector<int>{4, 10, 4, 10}));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end()) << "ids are distinct";
    for (const ProcessData &entry : list)
        EXPECT_EQ(std::count(ids.begin(), ids.end(), entry.id()), 0) << "and new";
}

TEST(ProcessListFile, ElementsOtherThanEntriesAreLoggedAndSkipped)
{
    TestSupport::TempFolder folder;
    const QString path = folder.file(QStringLiteral("odd.plst"));
    ASSERT_TRUE(TestSupport::TempFolder::write(
        path, listFile("<Comment text=\"made by hand\"/>\n"
                       "<Process-Data process-type=\"10\">\n"
                       "<Parameter parameter-name=\"Filename\" parameter-type=\"QString\" parameter-data=\"a.png\"/>\n"
                       "</Process-Data>\n")));
    TestSupport::LogCapture log;
    std::list<ProcessData> read;
    ASSERT_TRUE(ProcessListArchiver(read).loadProcessList(path, read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read.front().parameter(QStringLiteral("Filename")), QVariant(QStringLiteral("a.png")));
    EXPECT_TRUE(log.contains(QStringLiteral("CurrentTag:  Process-List  in line  2")));
    EXPECT_TRUE(log.contains(QStringLiteral("Unknown tag found in file:  Comment  in line  3")));
    EXPECT_TRUE(log.contains(QStringLiteral("Starting parse of :  Process-Data  in line  4")));
}

// A misspelt entry would be a step fewer run without a word: every element
// that is not part of a list is named with its line and passed over with
// what it holds, and the entries around it, and the parameters after it in
// its entry, are still read.
TEST(ProcessListFile, UnknownElementsAreNamedWithTheirLinesAndWhatFollowsThemIsRead)
{
    TestSupport::TempFolder folder;
    const QString path = folder.file(QStringLiteral("misspelt.plst"));
    ASSERT_TRUE(TestSupport::TempFolder::write(
        path, listFile("<Process-Step process-type=\"4\">\n"                                      // line 3
                       "<Parameter parameter-name=\"Thickness\" parameter-type=\"double\" parameter-data=\"1\"/>\n"
                       "</Process-Step>\n"
                       "<Process-Data process-type=\"10\">\n"                                      // line 6
                       "<Note>by hand</Note>\n"                                                   // line 7
                       "<Parameter parameter-name=\"Filename\" parameter-type=\"QString\" parameter-data=\"a.png\">\n"
                       "<Extra/>\n"                                                               // line 9
                       "</Parameter>\n"
                       "</Process-Data>\n")));
    std::list<ProcessData> read;
    ProcessListArchiver archiver(read);
    ASSERT_TRUE(archiver.loadProcessList(path, read)) << archiver.errorString().toStdString();
    ASSERT_EQ(read.size(), 1u) << "the misspelt entry is not one";
    EXPECT_EQ(read.front().type(), int(ProcessData::SaveImage));
    EXPECT_EQ(read.front().parameter(QStringLiteral("Filename")), QVariant(QStringLiteral("a.png")));
    EXPECT_EQ(archiver.warnings(),
              (QStringList{QStringLiteral("line 3: unknown element <Process-Step> skipped"),
                           QStringLiteral("line 7: unknown element <Note> in the entry of line 6 skipped"),
                           QStringLiteral("line 9: unknown element <Extra> in a parameter skipped")}));

    const QString clean = folder.file(QStringLiteral("clean.plst"));
    ASSERT_TRUE(ProcessListArchiver(read).saveProcessList(clean));
    ASSERT_TRUE(archiver.loadProcessList(clean, read));
    EXPECT_TRUE(archiver.warnings().isEmpty()) << "a load says only what that load skipped";
}

// Entries find the files they name by a relative path in their list's
// folder; a list saved elsewhere names them from its own folder, and whole
// paths stay as they are.
TEST(ProcessListFile, RelativeMaskFilesFollowTheListToAnotherFolder)
{
    TestSupport::TempFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("flows/masks")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("copies")));
    const QString path = folder.file(QStringLiteral("flows/switch.plst"));
    ASSERT_TRUE(TestSupport::TempFolder::write(
        path, listFile("<Process-Data process-type=\"0\">\n"
                       "<Parameter parameter-name=\"Top Mask File\" parameter-type=\"QString\" "
                       "parameter-data=\"masks/switch.gds\"/>\n"
                       "<Parameter parameter-name=\"Bottom Mask File\" parameter-type=\"QString\" "
                       "parameter-data=\"/elsewhere/bottom.png\"/>\n"
                       "</Process-Data>\n")));
    std::list<ProcessData> read;
    ASSERT_TRUE(ProcessListArchiver(read).loadProcessList(path, read));
    ASSERT_EQ(read.size(), 1u);
    const ProcessData &entry = read.front();
    EXPECT_EQ(entry.listFolder(), QFileInfo(path).absolutePath());
    const auto files = entry.filesRead();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].parameter, QStringLiteral("Top Mask File"));
    EXPECT_EQ(files[0].path, folder.file(QStringLiteral("flows/masks/switch.gds")));
    EXPECT_EQ(files[1].path, QStringLiteral("/elsewhere/bottom.png"));

    for (const char *target : {"flows/again.plst", "copies/switch.plst"}) {
        const QString saved = folder.file(QLatin1String(target));
        ASSERT_TRUE(ProcessListArchiver(read).saveProcessList(saved));
        std::list<ProcessData> again;
        ASSERT_TRUE(ProcessListArchiver(again).loadProcessList(saved, again));
        SCOPED_TRACE(target);
        EXPECT_EQ(again.front().filesRead()[0].path, folder.file(QStringLiteral("flows/masks/switch.gds")));
        EXPECT_EQ(again.front().parameter(QStringLiteral("Bottom Mask File")).toString(),
                  QStringLiteral("/elsewhere/bottom.png"));
    }
    std::list<ProcessData> copied;
    ASSERT_TRUE(ProcessListArchiver(copied).loadProcessList(folder.file(QStringLiteral("copies/switch.plst")), copied));
    EXPECT_EQ(copied.front().parameter(QStringLiteral("Top Mask File")).toString(),
              QStringLiteral("../flows/masks/switch.gds"));
    EXPECT_EQ(read.front().parameter(QStringLiteral("Top Mask File")).toString(), QStringLiteral("masks/switch.gds"))
        << "the entries in memory keep their own names";
}

TEST(ProcessListFile, FilesThatCannotBeReadLeaveTheListAsItWas)
{
    TestSupport::TempFolder folder;
    const std::pair<const char *, QByteArray> damaged[] = {
        {"no root", "<?xml version=\"1.0\"?>\n<Processes/>\n"},
        {"not XML", "this is not a process list"},
        {"cut off", listFile("<Process-Data process-type=\"4\">\n"
                             "<Parameter parameter-name=\"Thickness\" parameter-type=\"double\" parameter-data=\"2\"/>\n"
                             "</Process-Data>\n<Process-Data process-type=\"5\">\n").left(200)},
        {"unbalanced", listFile("<Process-Data process-type=\"4\"></Parameter>\n")},
    };
    for (const auto &file : damaged) {
        const QString path = folder.file(QString::fromLatin1(file.first));
        ASSERT_TRUE(TestSupport::TempFolder::write(path, file.second));
        std::list<ProcessData> list{cvdEntry()};
        ProcessListArchiver archiver(list);
        EXPECT_FALSE(archiver.loadProcessList(path, list)) << file.first;
        EXPECT_EQ(list.size(), 1u) << file.first;
        EXPECT_FALSE(archiver.errorString().isEmpty()) << file.first;
    }
    std::list<ProcessData> list;
    ProcessListArchiver archiver(list);
    EXPECT_FALSE(archiver.loadProcessList(folder.file(QStringLiteral("absent.plst")), list));
    EXPECT_TRUE(list.empty());
}

TEST(ProcessListFile, AFailedSaveKeepsTheOlderFile)
{
    TestSupport::TempFolder folder;
    std::list<ProcessData> list{cvdEntry()};
    ProcessListArchiver archiver(list);
    EXPECT_FALSE(archiver.saveProcessList(folder.file(QStringLiteral("missing/list.plst"))));
    EXPECT_FALSE(archiver.errorString().isEmpty());

    const QString path = folder.file(QStringLiteral("list.plst"));
    ASSERT_TRUE(TestSupport::TempFolder::write(path, "older"));
    {
        TestSupport::FileSizeLimit full(64);
        EXPECT_FALSE(archiver.saveProcessList(path)) << "a disk that fills up mid-write";
    }
    EXPECT_EQ(TestSupport::TempFolder::read(path), QByteArray("older"));
}

// A process type that is not a whole number is named as the file writes it
// when its entry is run, and written back unchanged, rather than turning
// into the number of unknown processes.
TEST(ProcessListFile, ProcessTypesThatAreNotWholeNumbersAreNamedAsWritten)
{
    TestSupport::TempFolder folder;
    const QString path = folder.file(QStringLiteral("types.plst"));
    ASSERT_TRUE(TestSupport::TempFolder::write(
        path, listFile("<Process-Data process-type=\"4.5\"/>\n<Process-Data process-type=\"CVD\"/>\n"
                       "<Process-Data/>\n<Process-Data process-type=\"17\"/>\n")));
    std::list<ProcessData> read;
    ASSERT_TRUE(ProcessListArchiver(read).loadProcessList(path, read));
    ASSERT_EQ(read.size(), 4u);

    Core::Operations::OperationContext context;
    Ui::BatchRunner runner(context);
    ASSERT_EQ(runner.run(TestSupport::substrateEntry()), Ui::BatchRunner::Done);
    QStringList problems;
    for (const ProcessData &entry : read) {
        EXPECT_EQ(runner.run(entry), Ui::BatchRunner::NotAvailable);
        problems << runner.problem();
    }
    EXPECT_EQ(problems.join(QLatin1Char('\n')).toStdString(),
              "process type \"4.5\" cannot be used: it is not a whole number\n"
              "process type \"CVD\" cannot be used: it is not a whole number\n"
              "the entry has no process type\n"
              "unknown process type 17");

    const QString again = folder.file(QStringLiteral("again.plst"));
    ASSERT_TRUE(ProcessListArchiver(read).saveProcessList(again));
    QStringList types;
    for (const auto &entry : writtenEntries(TestSupport::TempFolder::read(again)))
        types << entry.first;
    EXPECT_EQ(types.join(QLatin1Char(' ')).toStdString(), "4.5 CVD 16 17");
}
