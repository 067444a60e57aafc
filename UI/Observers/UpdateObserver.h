#pragma once

#include "Util/IObserver.h"

#include <QObject>

namespace Ui {
namespace Observers {

// Redraws the view whenever the operations change the scene.
class UpdateObserver : public QObject, public Util::IObserver
{
    Q_OBJECT

public:
    void notify() override { emit updateGL(); }

signals:
    void updateGL();
};

} // namespace Observers
} // namespace Ui
