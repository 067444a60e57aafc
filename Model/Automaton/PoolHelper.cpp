#include "Model/Automaton/PoolHelper.h"

#include <QThreadPool>

namespace Model {
namespace Automaton {

void PoolHelper::start()
{
    m_published.store(true, std::memory_order_release);
    QThreadPool::globalInstance()->start(this);
}

void PoolHelper::recall()
{
    if (QThreadPool::globalInstance()->tryTake(this))
        return;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_done.wait(lock, [this] { return m_finished; });
}

void PoolHelper::run()
{
    m_published.load(std::memory_order_acquire);
    help();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_finished = true;
    m_done.notify_all();
}

} // namespace Automaton
} // namespace Model
