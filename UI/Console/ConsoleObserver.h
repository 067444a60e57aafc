#pragma once

#include "Util/IObserver.h"

#include <QObject>
#include <QString>

namespace Core {
namespace Operations {
class ConsoleInput;
}
}

namespace Ui {
namespace Console {

// Carries each message an operation writes to the console window.
class ConsoleObserver : public QObject, public Util::IObserver
{
    Q_OBJECT

public:
    explicit ConsoleObserver(Core::Operations::ConsoleInput *input);

    void notify() override;

signals:
    void messageWritten(QString message);

private:
    Core::Operations::ConsoleInput *m_input;
};

} // namespace Console
} // namespace Ui
