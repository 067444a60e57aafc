#pragma once

#include "Core/Operations/Undo/StateFolder.h"

#include "TempFolder.h"

#include <QDir>
#include <QFile>

namespace TestSupport {

// A file where this program's folder of undo state files should be, for as
// long as the guard lives: contexts made meanwhile have no state files, as
// with an unwritable cache. The folder is made again once the file is gone.
class BlockedStateFolder
{
public:
    BlockedStateFolder() : m_folder(Core::Operations::StateFolder::forThisProgram().path())
    {
        m_blocked = !m_folder.isEmpty() && QDir(m_folder).removeRecursively()
            && TempFolder::write(m_folder, "in the way");
    }
    ~BlockedStateFolder() { QFile::remove(m_folder); }
    BlockedStateFolder(const BlockedStateFolder &) = delete;
    BlockedStateFolder &operator=(const BlockedStateFolder &) = delete;

    bool isBlocked() const { return m_blocked; }
    QString folder() const { return m_folder; }

private:
    QString m_folder;
    bool m_blocked = false;
};

} // namespace TestSupport
