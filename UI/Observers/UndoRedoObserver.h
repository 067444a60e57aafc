#pragma once

#include "Util/IObserver.h"

#include <QObject>

namespace Ui {
namespace Observers {

// Tells the presenter that the undo (or the redo) stack changed, so that
// the Undo and Redo actions show what they would do.
class UndoRedoObserver : public QObject, public Util::IObserver
{
    Q_OBJECT

public:
    void notify() override { emit stackChanged(); }

signals:
    void stackChanged();
};

} // namespace Observers
} // namespace Ui
