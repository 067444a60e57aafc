#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>

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

    // A folder inside this one, made of nested folders, whose path is
    // `length` characters long. Close to the system's limit on path lengths
    // a file in it can still be written but not renamed to a much longer
    // name: a failure that, unlike permissions, also holds for root.
    QString nestedFolder(int length) const
    {
        QString folder = path();
        while (folder.size() < length) {
            const int part = std::min(200, length - folder.size() - 1);
            if (part < 1)
                break;
            folder += QLatin1Char('/') + QString(part, QLatin1Char('d'));
        }
        return QDir().mkpath(folder) ? folder : QString();
    }

private:
    QTemporaryDir m_dir;
};

inline QByteArray testData(const QString &name)
{
    return TempFolder::read(QStringLiteral(TESSIVAL_TEST_DATA_DIR "/") + name);
}

} // namespace TestSupport
