#include "UI/BatchRun/ProcessData.h"

#include <atomic>

namespace Ui {

namespace {
std::atomic<int> nextId{0};
}

ProcessData::ProcessData(int type) : m_id(nextId.fetch_add(1)), m_type(type) {}

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

QString ProcessData::shownName(int type)
{
    static const char *const names[] = {
        "Photolithography", "Si wet etching", "Moore deposition", "Moore etching", "CVD",
        "Isotropic etching", "Planarization", "Electroplating", "Doping", "Spin Coating",
        "Save Image", "Create Substrate", "PVD", "Simple RIE", "Ion Implantation", "Si Oxidation",
    };
    if (type >= 0 && type < int(sizeof names / sizeof *names))
        return QString::fromLatin1(names[type]);
    return QStringLiteral("Unknown process");
}

} // namespace Ui
