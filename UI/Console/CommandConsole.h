#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QShortcut;
class QVBoxLayout;

namespace Core {
namespace Operations {
class ConsoleInput;
}
}

namespace Ui {
namespace Console {

// The console tool window: a log of operation messages and typed lines over
// a one-line input. Submitted lines go to the console input; Up and Down
// recall earlier lines, newest first.
class CommandConsole : public QWidget
{
    Q_OBJECT

public:
    CommandConsole(QWidget *parent, Core::Operations::ConsoleInput *input);

    QPlainTextEdit *log() const { return m_log; }
    QLineEdit *commandLine() const { return m_command; }
    const QStringList &history() const { return m_history; }

    // The first line of a window's console: what it is for.
    void greet();

public slots:
    void enterPressed();
    void upArrowPressed();
    void downArrowPressed();
    void writeMessage(QString message);

private:
    bool cursorOnEntry() const { return m_cursor >= 0 && m_cursor < m_history.size(); }

    QWidget *m_layoutWidget;
    QVBoxLayout *m_layout;
    QPlainTextEdit *m_log;
    QLineEdit *m_command;
    QShortcut *m_up;
    QShortcut *m_down;
    QStringList m_history; // newest first
    int m_cursor = 0;      // an entry, or m_history.size() for none
    Core::Operations::ConsoleInput *m_input;
};

} // namespace Console
} // namespace Ui
