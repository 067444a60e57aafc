#include "Model/Process/ProcessFactory.h"

#include "Model/Persistence/CatalogueFile.h"
#include "Model/Persistence/ProcessArchiver.h"

#include <QXmlStreamReader>

namespace Model {
namespace Process {

using Persistence::CatalogueFile;
using Persistence::ProcessArchiver;

namespace {

const std::vector<Process> &defaultProcesses()
{
    static const std::vector<Process> table = {
        {QStringLiteral("Si Wet Etching"), 1, {1}},
        {QStringLiteral("DRIE"), 2, {1}},
        {QStringLiteral("CVD"), 3, {3, 16}},
        {QStringLiteral("PVD"), 4, {4, 5, 6, 7, 8, 9, 10}},
        {QStringLiteral("Film Etching"), 5, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {QStringLiteral("Photolithography"), 6, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {QStringLiteral("Planarization"), 7, {}},
        {QStringLiteral("Spin Coating / Soft Lithography"), 8, {11, 12, 13}},
        {QStringLiteral("Isotropic Deposition"), 9, {3, 4, 5, 6, 7, 8, 9, 10}},
        {QStringLiteral("Isotropic Etching"), 10, {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {QStringLiteral("Electroplating"), 11, {4, 5, 6, 7, 8, 9, 10}},
        {QStringLiteral("Simple Si Oxidation"), 12, {1, 14, 15, 16}},
        {QStringLiteral("Simple Doping"), 13, {1, 14, 15, 16}},
        {QStringLiteral("Ion Implantation"), 14, {1, 14, 15, 16}},
    };
    return table;
}

} // namespace

boost::shared_ptr<ProcessFactory> ProcessFactory::getInstance()
{
    static const boost::shared_ptr<ProcessFactory> instance = [] {
        boost::shared_ptr<ProcessFactory> catalogue(new ProcessFactory(CatalogueFile::defaultFolder()));
        catalogue->loadOrInstallDefaults();
        return catalogue;
    }();
    return instance;
}

ProcessFactory::ProcessFactory(const QString &folder)
    : Catalogue(folder, QStringLiteral("processes.xml"), QStringLiteral("Processes"))
{
}

void ProcessFactory::loadOrInstallDefaults()
{
    loadOrInstall([this] { return loadProcesses(); }, [this] { loadDefaultProcesses(); },
                  [this] { return saveProcesses(); });
}

bool ProcessFactory::loadProcesses()
{
    return loadEntries(&ProcessArchiver::loadProcess);
}

void ProcessFactory::loadDefaultProcesses()
{
    replaceAll(defaultProcesses());
}

bool ProcessFactory::saveProcesses()
{
    return saveEntries(
        [](QXmlStreamWriter &writer, const Process &process) { return ProcessArchiver::saveProcess(&writer, process); });
}

Process ProcessFactory::getProcessByName(const QString &name) const
{
    return withEntries<Process>([&name](const std::map<unsigned, Process> &processes) {
        for (const auto &entry : processes)
            if (entry.second.name() == name)
                return entry.second;
        return Process();
    });
}

} // namespace Process
} // namespace Model
