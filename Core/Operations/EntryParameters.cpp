#include "Core/Operations/EntryParameters.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace Core {
namespace Operations {

QString EntryParameters::pathIn(const QString &folder, const QString &fileName)
{
    return folder.isEmpty() || fileName.isEmpty() ? fileName : QDir::cleanPath(QDir(folder).absoluteFilePath(fileName));
}

bool EntryParameters::holds(const char *name) const
{
    return stored(name).isValid();
}

QVariant EntryParameters::stored(const char *name) const
{
    const auto found = m_entry.find(QLatin1String(name));
    return found != m_entry.end() ? found->second : QVariant();
}

bool EntryParameters::fetch(const char *name, QVariant &value)
{
    if (m_status != Complete)
        return false;
    // Values of unknown type names are read as invalid: they count as absent.
    const auto stored = m_entry.find(QLatin1String(name));
    if (stored != m_entry.end() && stored->second.isValid()) {
        value = stored->second;
        return true;
    }
    m_status = Missing;
    m_name = QLatin1String(name);
    return false;
}

void EntryParameters::reject(const char *name, const QVariant &value)
{
    m_status = NotConvertible;
    m_name = QLatin1String(name);
    m_shownValue = value.toString();
}

bool EntryParameters::admits(const char *name, double number, const QVariant &stored)
{
    const ParameterDeclaration *declared =
        m_declarations ? ParameterDeclaration::find(*m_declarations, QLatin1String(name)) : nullptr;
    const QString reason = declared ? declared->refusal(number, stored.toString()) : QString();
    if (reason.isEmpty())
        return true;
    refuse(name, reason);
    return false;
}

void EntryParameters::read(const char *name, std::uint32_t &value)
{
    QVariant stored;
    if (!fetch(name, stored))
        return;
    // Through a wider type, so that a negative number is refused rather
    // than wrapped round to a huge count.
    bool ok = false;
    const qlonglong number = stored.toLongLong(&ok);
    if (!ok || number < 0 || number > qlonglong(std::numeric_limits<std::uint32_t>::max()))
        return reject(name, stored);
    if (admits(name, double(number), stored))
        value = std::uint32_t(number);
}

void EntryParameters::read(const char *name, int &value)
{
    QVariant stored;
    if (!fetch(name, stored))
        return;
    bool ok = false;
    const qlonglong number = stored.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return reject(name, stored);
    if (admits(name, double(number), stored))
        value = int(number);
}

void EntryParameters::read(const char *name, double &value)
{
    QVariant stored;
    if (!fetch(name, stored))
        return;
    bool ok = false;
    const double number = stored.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return reject(name, stored);
    if (admits(name, number, stored))
        value = number;
}

void EntryParameters::read(const char *name, bool &value)
{
    QVariant stored;
    if (!fetch(name, stored))
        return;
    if (stored.userType() == QMetaType::Bool) {
        value = stored.toBool();
        return;
    }
    const QString text = stored.toString();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        value = true;
    else if (text == QLatin1String("false") || text == QLatin1String("0"))
        value = false;
    else
        reject(name, stored);
}

void EntryParameters::read(const char *name, QString &value)
{
    QVariant stored;
    if (!fetch(name, stored))
        return;
    if (!stored.canConvert<QString>())
        return reject(name, stored);
    value = stored.toString();
}

void EntryParameters::read(const char *name, Util::Vector3D &value)
{
    QVariant stored;
    if (!fetch(name, stored))
        return;
    if (!stored.canConvert<Util::Vector3D>())
        return reject(name, stored);
    const Util::Vector3D vector = stored.value<Util::Vector3D>();
    if (!std::isfinite(vector.x) || !std::isfinite(vector.y) || !std::isfinite(vector.z))
        return refuse(name, QStringLiteral("a coordinate is not a finite number"));
    value = vector;
}

void EntryParameters::refuse(const char *name)
{
    if (m_status != Complete)
        return;
    const auto stored = m_entry.find(QLatin1String(name));
    reject(name, stored != m_entry.end() ? stored->second : QVariant());
}

void EntryParameters::read(const char *name, MaskVector &value)
{
    QVariant stored;
    if (!fetch(name, stored))
        return;
    if (!stored.canConvert<MaskVector>())
        return reject(name, stored);
    value = stored.value<MaskVector>();
}

void EntryParameters::refuse(const char *name, const QString &reason)
{
    if (m_status != Complete)
        return;
    m_status = NotConvertible;
    m_name = QLatin1String(name);
    m_reason = reason;
}

QString EntryParameters::problem() const
{
    switch (m_status) {
    case Complete:
        return QString();
    case Missing:
        return QStringLiteral("parameter \"%1\" is missing").arg(m_name);
    case NotConvertible:
        if (!m_reason.isEmpty())
            return QStringLiteral("parameter \"%1\" cannot be used: %2").arg(m_name, m_reason);
        if (m_shownValue.isEmpty())
            return QStringLiteral("parameter \"%1\" has a value of the wrong type").arg(m_name);
        return QStringLiteral("parameter \"%1\" cannot be used: \"%2\"").arg(m_name, m_shownValue);
    }
    return QString();
}

} // namespace Operations
} // namespace Core
