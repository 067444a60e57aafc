#include "UI/Console/CommandConsole.h"

#include "Core/Operations/ConsoleInput.h"
#include "UI/Console/ConsoleObserver.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QVBoxLayout>

#include <boost/shared_ptr.hpp>

namespace Ui {
namespace Console {

CommandConsole::CommandConsole(QWidget *parent, Core::Operations::ConsoleInput *input)
    : QWidget(parent, Qt::Tool)
    , m_layoutWidget(new QWidget(this))
    , m_layout(new QVBoxLayout(m_layoutWidget))
    , m_log(new QPlainTextEdit(m_layoutWidget))
    , m_command(new QLineEdit(m_layoutWidget))
    , m_up(new QShortcut(QKeySequence(Qt::Key_Up), this))
    , m_down(new QShortcut(QKeySequence(Qt::Key_Down), this))
    , m_input(input)
{
    setObjectName(QStringLiteral("CommandConsoleForm"));
    setWindowTitle(tr("Console"));
    resize(400, 140);

    m_layoutWidget->setObjectName(QStringLiteral("verticalLayoutWidget"));
    m_layoutWidget->setGeometry(10, 10, 381, 121);
    m_layout->setObjectName(QStringLiteral("verticalLayout"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_log->setObjectName(QStringLiteral("plainTextEdit"));
    m_log->setReadOnly(true);
    m_log->setFocusPolicy(Qt::NoFocus);
    m_log->setAcceptDrops(false);
    m_log->setAutoFillBackground(true);
    m_log->setBackgroundVisible(false);
    m_command->setObjectName(QStringLiteral("linCommand"));
    m_layout->addWidget(m_log);
    m_layout->addWidget(m_command);

    connect(m_up, &QShortcut::activated, this, &CommandConsole::upArrowPressed);
    connect(m_down, &QShortcut::activated, this, &CommandConsole::downArrowPressed);
    connect(m_command, &QLineEdit::returnPressed, this, &CommandConsole::enterPressed);

    auto observer = boost::shared_ptr<ConsoleObserver>(new ConsoleObserver(m_input));
    connect(observer.get(), &ConsoleObserver::messageWritten, this, &CommandConsole::writeMessage);
    m_input->addMessageObserver(observer);
}

void CommandConsole::greet()
{
    writeMessage(tr("Console: Type coordinates (x, y, z) or answers here when an operation asks for them, then "
                    "press Enter/Return."));
}

void CommandConsole::enterPressed()
{
    const QString text = m_command->text();
    if (!text.isEmpty()) {
        m_history.prepend(text);
        m_cursor = 0;
        m_log->appendPlainText(text);
        m_command->clear();
    }
    // A typed line nobody waits for would vanish without a word.
    const bool unanswered = !text.isEmpty() && !m_input->requester();
    m_input->processLine(text.toStdString());
    if (unanswered)
        writeMessage(tr("Console: No operation is waiting for input. Start one from the menus first."));
}

void CommandConsole::upArrowPressed()
{
    if (cursorOnEntry())
        m_command->setText(m_history[m_cursor]);
    if (m_cursor + 1 < m_history.size())
        ++m_cursor;
}

void CommandConsole::downArrowPressed()
{
    if (cursorOnEntry())
        m_command->setText(m_history[m_cursor]);
    if (m_cursor <= 0 || m_history.isEmpty())
        m_command->clear();
    else
        --m_cursor;
}

void CommandConsole::writeMessage(QString message)
{
    m_log->appendPlainText(message);
}

} // namespace Console
} // namespace Ui
