#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

// A scratch folder that disappears with the test, with small file helpers.
class TempFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir m_dir;
};

inline QByteArray testData(const QString &name)
{
    return TempFolder::read(QStringLiteral(TESSIVAL_TEST_DATA_DIR "/") + name);
}

} // namespace TestSupport
