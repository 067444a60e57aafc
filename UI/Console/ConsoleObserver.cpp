#include "UI/Console/ConsoleObserver.h"

#include "Core/Operations/ConsoleInput.h"

namespace Ui {
namespace Console {

ConsoleObserver::ConsoleObserver(Core::Operations::ConsoleInput *input) : m_input(input) {}

void ConsoleObserver::notify()
{
    const QString message = QString::fromStdString(m_input->message());
    if (!message.isEmpty())
        emit messageWritten(message);
}

} // namespace Console
} // namespace Ui
