#include "apps/tessival-batch/ProgressReport.h"

#include "Core/Operations/Frames/StepProgress.h"

#include <cstdio>

namespace BatchTool {

namespace {
// Clears the rest of a terminal line after a shorter text.
const char *const ClearToEnd = "\033[K";
} // namespace

ProgressReport::ProgressReport(int entryCount, bool live, const Core::Operations::StepProgress *step)
    : m_count(entryCount), m_live(live), m_step(step)
{
    if (m_live)
        m_ticker = std::thread([this] { tick(); });
}

ProgressReport::~ProgressReport()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_ticker.joinable())
        m_ticker.join();
}

QString ProgressReport::seconds(double value)
{
    return QString::number(value, 'f', value < 10.0 ? 2 : 1) + QStringLiteral(" s");
}

QString ProgressReport::prefix() const
{
    return QStringLiteral("[%1/%2] %3").arg(m_number).arg(m_count).arg(m_name);
}

void ProgressReport::write(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

void ProgressReport::started(int number, const QString &name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_number = number;
    m_name = name;
    m_start = std::chrono::steady_clock::now();
    m_running = true;
    if (m_live)
        write(QStringLiteral("\r%1 ...%2").arg(prefix(), QLatin1String(ClearToEnd)));
}

void ProgressReport::finished(const QString &outcome, const QStringList &remarks)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    if (!outcome.isEmpty()) {
        endLine(QStringLiteral("%1: not run: %2").arg(prefix(), outcome));
        return;
    }
    QString line = QStringLiteral("%1: done in %2").arg(prefix(), seconds(elapsed));
    for (const QString &remark : remarks)
        line += QStringLiteral(". ") + remark;
    endLine(line);
}

void ProgressReport::interrupted()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    endLine(QStringLiteral("%1: interrupted").arg(prefix()));
}

void ProgressReport::endLine(const QString &line)
{
    m_running = false;
    write(m_live ? QStringLiteral("\r%1%2\n").arg(line, QLatin1String(ClearToEnd)) : line + QLatin1Char('\n'));
}

void ProgressReport::message(const QString &text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_live && m_running)
        write(QStringLiteral("\r%1\n").arg(QLatin1String(ClearToEnd)));
    write(text + QLatin1Char('\n'));
}

void ProgressReport::tick()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        m_wake.wait_for(lock, std::chrono::milliseconds(500));
        if (m_stopping || !m_running)
            continue;
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        QString line = QStringLiteral("%1 ... %2").arg(prefix(), seconds(elapsed));
        const std::string step = m_step ? m_step->report().text() : std::string();
        if (!step.empty())
            line += QStringLiteral(", ") + QString::fromStdString(step);
        write(QStringLiteral("\r%1%2").arg(line, QLatin1String(ClearToEnd)));
    }
}

} // namespace BatchTool
