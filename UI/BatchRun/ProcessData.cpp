#include "UI/BatchRun/ProcessData.h"

#include "Core/Operations/EntryParameters.h"
#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/ProcessRegistry.h"

#include <atomic>

namespace Ui {

namespace {
std::atomic<int> nextId{0};
}

ProcessData::ProcessData(int type) : m_id(nextId.fetch_add(1)), m_type(type) {}

ProcessData ProcessData::unreadType(const QString &text)
{
    ProcessData entry(Unknown);
    entry.m_typeUnread = true;
    entry.m_typeText = text;
    return entry;
}

void ProcessData::setParameter(const QString &name, const QVariant &value, bool visible)
{
    m_parameters[name] = value;
    m_visibility[name] = visible;
}

QVariant ProcessData::parameter(const QString &name) const
{
    const auto it = m_parameters.find(name);
    return it == m_parameters.end() ? QVariant() : it->second;
}

void ProcessData::removeParameter(const QString &name)
{
    m_parameters.erase(name);
    m_visibility.erase(name);
}

bool ProcessData::isVisible(const QString &name) const
{
    const auto it = m_visibility.find(name);
    return it == m_visibility.end() || it->second;
}

QString ProcessData::filePath(const QString &fileName) const
{
    return Core::Operations::EntryParameters::pathIn(m_listFolder, fileName);
}

std::vector<ProcessData::FileRead> ProcessData::filesRead() const
{
    std::vector<FileRead> files;
    const Core::Operations::ProcessDescriptor *process = Core::Operations::ProcessRegistry::forBatchType(m_type);
    if (!process)
        return files;
    for (const Core::Operations::ParameterDeclaration &declared : process->parameters()) {
        const QString name = parameter(declared.name).toString();
        if (declared.namesFile && !name.isEmpty())
            files.push_back({declared.name, filePath(name)});
    }
    return files;
}

QString ProcessData::shownName(int type)
{
    if (const Core::Operations::BatchEntryKind *kind = Core::Operations::ProcessRegistry::batchKind(type))
        return QString::fromLatin1(kind->shownName);
    return QStringLiteral("Unknown process");
}

} // namespace Ui
