#include "fuzz/FuzzReaders.h"

#include "Core/Operations/ConsoleInput.h"
#include "Core/Operations/Photolithography/LayoutFile.h"
#include "Core/Operations/Photolithography/LayoutMask.h"
#include "Model/Automaton/VolumeMemory.h"
#include "Model/Document.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Persistence/DocumentArchiver.h"
#include "Model/Persistence/DocumentDamage.h"
#include "Model/Persistence/DocumentInput.h"
#include "Model/Process/ProcessFactory.h"
#include "UI/BatchRun/ProcessListArchiver.h"
#include "Util/Vector4D.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <list>
#include <set>

namespace Fuzz {

namespace {

// A place for the readers that read named files.
const QTemporaryDir &folder()
{
    static const QTemporaryDir temporary;
    return temporary;
}

bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(folder().filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

// Read as a document file is, then written back: whatever was read must
// make a document again.
void readDocument(const QByteArray &bytes)
{
    Model::Materials::MaterialFactory catalogue(folder().path());
    catalogue.loadDefaultMaterials();
    const Model::Persistence::ArchiverRegistry archivers = Model::Persistence::DocumentArchiver::standardRegistry();
    Model::Document document;
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    Model::Persistence::DocumentInput input(&file);
    QXmlStreamReader reader(&input);
    Model::Persistence::DocumentDamage damage;
    if (!Model::Persistence::DocumentArchiver::readDocument(&reader, document, archivers, catalogue,
                                                            [](const std::string &) {}, &damage))
        return;
    damage.describe();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&out);
    Model::Persistence::DocumentArchiver::writeDocument(&writer, document, archivers, catalogue);
}

// Read, then every value written back as a list file writes it.
void readProcessList(const QByteArray &bytes)
{
    if (!writeFile(QStringLiteral("list.plst"), bytes))
        return;
    std::list<Ui::ProcessData> entries;
    Ui::ProcessListArchiver archiver(entries);
    if (!archiver.loadProcessList(folder().filePath(QStringLiteral("list.plst")), entries))
        return;
    QString type, data;
    for (const Ui::ProcessData &entry : entries)
        for (const auto &parameter : entry.parameters())
            Ui::ProcessListArchiver::describe(parameter.second, type, data);
}

void readMaterials(const QByteArray &bytes)
{
    if (!writeFile(QStringLiteral("materials.xml"), bytes))
        return;
    Model::Materials::MaterialFactory(folder().path()).loadMaterials();
}

void readProcesses(const QByteArray &bytes)
{
    if (!writeFile(QStringLiteral("processes.xml"), bytes))
        return;
    Model::Process::ProcessFactory(folder().path()).loadProcesses();
}

void readCoordinates(const QByteArray &bytes)
{
    Util::Vector4D destination;
    Core::Operations::ConsoleInput::parseCoordinates(bytes.toStdString(), destination);
}

// Read, then every cell drawn with all its layers as a mask of a small
// volume, and its first layers one by one in that placement, as the
// photolithography dialog and a list entry naming the layout draw them.
void readLayout(const QByteArray &bytes)
{
    using Core::Operations::LayoutMask;
    Core::Operations::LayoutFile file;
    QString problem;
    if (!file.read(bytes, &problem))
        return;
    for (const auto &cell : file.cells()) {
        const std::set<LayoutMask::Layer> layers = LayoutMask::layers(file, cell.first);
        std::vector<LayoutMask::Polygon> polygons;
        if (!LayoutMask::allPolygons(file, cell.first, polygons, &problem))
            continue;
        const LayoutMask::Placement fit = LayoutMask::fitting(polygons, 32, 24);
        LayoutMask::rasterise(polygons, 32, 24, fit);
        // A few layers are enough to reach every branch; all of them would
        // flatten a large file once per layer.
        int drawn = 0;
        for (auto layer = layers.begin(); layer != layers.end() && drawn < 3; ++layer, ++drawn)
            if (LayoutMask::polygons(file, cell.first, *layer, polygons, &problem))
                LayoutMask::rasterise(polygons, 32, 24, fit);
    }
}

} // namespace

const std::vector<std::string> &FuzzReaders::names()
{
    static const std::vector<std::string> all = {"document", "process_list", "materials",
                                                 "processes", "coordinates", "layout"};
    return all;
}

void FuzzReaders::prepare()
{
    qInstallMessageHandler(quiet);
    Model::Automaton::VolumeMemory::setLimit(std::uint64_t(64) << 20);
}

bool FuzzReaders::feed(const std::string &reader, const QByteArray &input)
{
    if (reader == "document")
        readDocument(input);
    else if (reader == "process_list")
        readProcessList(input);
    else if (reader == "materials")
        readMaterials(input);
    else if (reader == "processes")
        readProcesses(input);
    else if (reader == "coordinates")
        readCoordinates(input);
    else if (reader == "layout")
        readLayout(input);
    else
        return false;
    return true;
}

} // namespace Fuzz
