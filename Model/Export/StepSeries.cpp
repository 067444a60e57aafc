#include "Model/Export/StepSeries.h"

#include "Model/Export/SafeFileName.h"
#include "Model/Export/VolumeExport.h"
#include "Model/Persistence/SaveFileCommit.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace Model {
namespace Export {

StepSeries::StepSeries(const QString &folder)
    : m_folder(folder)
{
}

bool StepSeries::prepare(QString *problem) const
{
    const QFileInfo folder(m_folder);
    if (folder.exists() && !folder.isDir()) {
        *problem = QStringLiteral("%1: is a file, not a folder for the steps").arg(m_folder);
        return false;
    }
    if (!folder.exists() && !QDir().mkpath(m_folder)) {
        *problem = QStringLiteral("%1: the folder for the steps cannot be made").arg(m_folder);
        return false;
    }
    if (!QFileInfo(m_folder).isWritable()) {
        *problem = QStringLiteral("%1: the folder for the steps cannot be written to").arg(m_folder);
        return false;
    }
    return true;
}

QString StepSeries::stepFileName(int entry, const QString &processName)
{
    return stepFilePrefix() + QStringLiteral("%1-").arg(entry, 3, 10, QLatin1Char('0'))
           + SafeFileName::part(processName, QStringLiteral("entry")) + stepFileSuffix();
}

bool StepSeries::add(int entry, const QString &processName, Automaton::TotalVolume &volume,
                     const Materials::MaterialFactory &catalogue, const LengthUnit &unit, QString *problem)
{
    const QString name = stepFileName(entry, processName);
    const VolumeExport::Result written = VolumeExport::write(QDir(m_folder).filePath(name), volume, catalogue, unit);
    if (!written.ok) {
        *problem = written.error;
        return false;
    }
    m_steps.emplace_back(entry, name);
    return writeCollection(problem);
}

bool StepSeries::writeCollection(QString *problem) const
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<VTKFile type=\"Collection\" version=\"0.1\" "
                     "byte_order=\"LittleEndian\">\n  <Collection>\n";
    for (const auto &step : m_steps)
        xml += "    <DataSet timestep=\"" + QByteArray::number(step.first) + "\" group=\"\" part=\"0\" file=\""
               + step.second.toUtf8() + "\"/>\n";
    xml += "  </Collection>\n</VTKFile>\n";
    const QString path = QDir(m_folder).filePath(collectionFileName());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size() || !Persistence::commitCompletely(file)) {
        *problem = QStringLiteral("%1: not written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace Export
} // namespace Model
