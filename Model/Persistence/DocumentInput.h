#pragma once

#include <QIODevice>

class QXmlStreamReader;

namespace Model {
namespace Persistence {

// The file under a document reader. The XML reader hands over a text only
// once it sees the tag after it, so a file cut off inside the cells of a
// volume would lose every cell of that volume. Once the file is exhausted,
// releaseCutText() offers the reader a single '<': the text read so far is
// handed over, and the reader then stops at the end of input as before.
class DocumentInput : public QIODevice
{
public:
    // `source` must be open for reading and outlive this input.
    explicit DocumentInput(QIODevice *source);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

    // After the reader stopped because its input ended early: lets it hand
    // over the text it was in. False when there is nothing more to offer
    // (already released, or a reader on a device of another kind); the
    // reader must then be left as it is.
    static bool releaseCutText(QXmlStreamReader &reader);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QIODevice *m_source;
    bool m_releasing = false;
    bool m_released = false;
};

} // namespace Persistence
} // namespace Model
