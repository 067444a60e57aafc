#pragma once

#include <QObject>
#include <QString>

class QAction;
class QSignalMapper;

namespace Ui {

// Turns the triggering of mapped actions into one signal carrying the
// action's mapping text (an operation id in decimal, or a view name).
class OperationMapper : public QObject
{
    Q_OBJECT

public:
    explicit OperationMapper(QObject *parent = nullptr);

    void map(QAction *action, unsigned id);
    void map(QAction *action, const QString &text);

signals:
    void activated(const QString &operationId);

private:
    QSignalMapper *m_mapper;
};

} // namespace Ui
