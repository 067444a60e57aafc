#pragma once

#include <QSaveFile>

namespace Model {
namespace Persistence {

// Commits a QSaveFile only when everything written reached the disk. Qt's
// QSaveFile::commit() succeeds even when flushing its buffer failed (a full
// disk, a size limit), which would replace a good file by a truncated one.
inline bool commitCompletely(QSaveFile &file)
{
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        file.commit(); // discards the temporary file
        return false;
    }
    return file.commit();
}

} // namespace Persistence
} // namespace Model
