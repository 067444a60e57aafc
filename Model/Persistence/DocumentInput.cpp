#include "Model/Persistence/DocumentInput.h"

#include <QXmlStreamReader>

namespace Model {
namespace Persistence {

DocumentInput::DocumentInput(QIODevice *source) : m_source(source)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 DocumentInput::bytesAvailable() const
{
    return m_source->bytesAvailable() + (m_releasing ? 1 : 0) + QIODevice::bytesAvailable();
}

bool DocumentInput::releaseCutText(QXmlStreamReader &reader)
{
    if (!reader.device()) {
        // A reader on bytes in memory takes more bytes directly.
        reader.addData(QByteArrayLiteral("<"));
        return true;
    }
    auto *input = dynamic_cast<DocumentInput *>(reader.device());
    if (!input || input->m_released || !input->m_source->atEnd())
        return false;
    input->m_releasing = true;
    input->m_released = true;
    return true;
}

qint64 DocumentInput::readData(char *data, qint64 maxSize)
{
    if (maxSize <= 0)
        return 0;
    if (m_releasing) {
        m_releasing = false;
        data[0] = '<';
        return 1;
    }
    const qint64 read = m_source->read(data, maxSize);
    return read < 0 ? 0 : read;
}

qint64 DocumentInput::writeData(const char *, qint64)
{
    return -1;
}

} // namespace Persistence
} // namespace Model
