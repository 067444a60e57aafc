#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <cstring>

class QIODevice;

namespace Model {
namespace Export {

// Binary output in little-endian byte order through a buffer of a few
// hundred kilobytes, so that large exports stream to the file instead of
// being assembled in memory. A failed write is remembered; what follows is
// dropped.
class LittleEndianStream
{
public:
    explicit LittleEndianStream(QIODevice &device);
    ~LittleEndianStream();
    LittleEndianStream(const LittleEndianStream &) = delete;
    LittleEndianStream &operator=(const LittleEndianStream &) = delete;

    template<typename T>
    void put(T value)
    {
        static_assert(sizeof(T) <= 8, "one number at a time");
        char bytes[sizeof(T)];
        qToLittleEndian(value, bytes);
        append(bytes, sizeof(T));
    }
    void putFloat(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        put(bits);
    }
    void putDouble(double value)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        put(bits);
    }
    void putBytes(const char *bytes, std::size_t count) { append(bytes, count); }
    void putText(const QByteArray &text) { append(text.constData(), std::size_t(text.size())); }

    // Writes what is buffered; false once any write failed.
    bool flush();

private:
    void append(const char *bytes, std::size_t count);

    QIODevice &m_device;
    QByteArray m_buffer;
    bool m_failed = false;
};

} // namespace Export
} // namespace Model
