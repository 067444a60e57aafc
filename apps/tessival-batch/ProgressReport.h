#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace Core {
namespace Operations {
class StepProgress;
}
}

namespace BatchTool {

// The batch program's lines on stderr: one per finished entry with its
// number, shown name and duration. On a terminal a live line also counts
// the seconds of the entry that is running and shows how far its process
// has come, as `step` reports it.
class ProgressReport
{
public:
    ProgressReport(int entryCount, bool live, const Core::Operations::StepProgress *step = nullptr);
    ~ProgressReport();
    ProgressReport(const ProgressReport &) = delete;
    ProgressReport &operator=(const ProgressReport &) = delete;

    void started(int number, const QString &name);
    // `outcome` empty: the entry ran, and the line ends with its
    // `remarks` ("No cell changed."); otherwise why it did not.
    void finished(const QString &outcome, const QStringList &remarks = QStringList());
    // The entry was stopped part way.
    void interrupted();
    // A line of its own, for messages between entries.
    void message(const QString &text);

    static QString seconds(double value);

private:
    void tick();
    // Replaces the live line, if any, with the entry's last line. The mutex is held.
    void endLine(const QString &line);
    void write(const QString &text);
    QString prefix() const;

    const int m_count;
    const bool m_live;
    const Core::Operations::StepProgress *const m_step;
    int m_number = 0;
    QString m_name;
    std::chrono::steady_clock::time_point m_start;
    bool m_running = false;
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_ticker;
};

} // namespace BatchTool
