#pragma once

#include <QString>

#include <functional>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace Model {
namespace Persistence {

// The per-user catalogue files ("materials.xml", "processes.xml") share how
// they are found, read, written and rescued; this is that one piece.
class CatalogueFile
{
public:
    // "$HOME/Tessival".
    static QString defaultFolder();

    // Opens `path` and checks that its first element is `rootName`, then
    // hands every further start element to `readElement`, which may consume
    // what belongs to it. False for a missing or unopenable file, another
    // root, or an XML error (logged).
    static bool read(const QString &path, const QString &rootName,
                     const std::function<void(QXmlStreamReader &)> &readElement);

    // Writes an indented XML document with the root `rootName` whose content
    // `writeContent` supplies. The old file is replaced only once the new one
    // is complete, so a failed write leaves it as it was. Creates the folder
    // when missing. False (and a log line) when anything failed.
    static bool write(const QString &path, const QString &rootName,
                      const std::function<bool(QXmlStreamWriter &)> &writeContent);

    // Renames a file that exists but cannot be loaded to
    // "<path>.unreadable-<yyyyMMdd-hhmmss>" so that installing the defaults
    // never destroys it. Returns the new path, or an empty text on failure.
    static QString moveAside(const QString &path);

    enum StartUp { Loaded, DefaultsInstalled, DefaultsInMemoryOnly };

    // Start-up: `load`; when that fails, keep an existing file aside, then
    // `installDefaults` and `save`. A file that could not be moved aside is
    // left untouched: the defaults then live in memory only.
    static StartUp loadOrInstallDefaults(const QString &path, const std::function<bool()> &load,
                                         const std::function<void()> &installDefaults,
                                         const std::function<bool()> &save);

    // A value as it appears in a log line, cut short when it is huge.
    static QString forLog(const QString &value);
};

} // namespace Persistence
} // namespace Model
