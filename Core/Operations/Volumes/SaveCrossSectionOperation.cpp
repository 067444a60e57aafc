#include "Core/Operations/Volumes/SaveCrossSectionOperation.h"

#include "Core/Operations/OperationId.h"

namespace Core {
namespace Operations {

SaveCrossSectionOperation::SaveCrossSectionOperation(OperationContext *context)
    : ClassObserver(context, "Save Cross-Section", SaveCrossSectionId)
{
}

void SaveCrossSectionOperation::setSection(int axis, int index, const PictureWriter &writer)
{
    m_axis = axis;
    m_index = index;
    m_writer = writer;
}

bool SaveCrossSectionOperation::write(Model::Automaton::TotalVolume &volume, const QString &fileName, QString *done,
                                      QString *problem)
{
    if (!m_writer) {
        *problem = QStringLiteral("%1: not written: there is nothing to draw the section with").arg(fileName);
        return false;
    }
    if (!m_writer(volume, m_axis, m_index, fileName, problem))
        return false;
    *done = QStringLiteral("Section %1=%2 saved to %3.").arg(QLatin1Char("xyz"[m_axis % 3])).arg(m_index).arg(fileName);
    return true;
}

} // namespace Operations
} // namespace Core
