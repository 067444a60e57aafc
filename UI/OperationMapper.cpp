#include "UI/OperationMapper.h"

#include <QAction>
#include <QSignalMapper>

namespace Ui {

OperationMapper::OperationMapper(QObject *parent)
    : QObject(parent)
    , m_mapper(new QSignalMapper(this))
{
    connect(m_mapper, &QSignalMapper::mappedString, this, &OperationMapper::activated);
}

void OperationMapper::map(QAction *action, unsigned id)
{
    map(action, QString::number(id));
}

void OperationMapper::map(QAction *action, const QString &text)
{
    connect(action, &QAction::triggered, m_mapper, QOverload<>::of(&QSignalMapper::map));
    m_mapper->setMapping(action, text);
}

} // namespace Ui
