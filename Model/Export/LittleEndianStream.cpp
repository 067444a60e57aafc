#include "Model/Export/LittleEndianStream.h"

#include <QIODevice>

namespace Model {
namespace Export {

namespace {
constexpr int BufferBytes = 256 * 1024;
}

LittleEndianStream::LittleEndianStream(QIODevice &device) : m_device(device)
{
    m_buffer.reserve(BufferBytes);
}

LittleEndianStream::~LittleEndianStream()
{
    flush();
}

void LittleEndianStream::append(const char *bytes, std::size_t count)
{
    if (m_buffer.size() + int(count) > BufferBytes)
        flush();
    m_buffer.append(bytes, int(count));
}

bool LittleEndianStream::flush()
{
    if (!m_buffer.isEmpty() && !m_failed)
        m_failed = m_device.write(m_buffer) != m_buffer.size();
    m_buffer.clear();
    return !m_failed;
}

} // namespace Export
} // namespace Model
