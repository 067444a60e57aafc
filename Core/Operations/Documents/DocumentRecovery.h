#pragma once

#include "Model/Materials/Material.h"

#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class QRunnable;

namespace Model {
class Document;
}

namespace Core {
namespace Operations {

class StateFolder;

// A recovery copy of one window's document, so that a crash or a kill costs
// at most the step that was running. After every step that changes the
// document, its cells are copied on the calling (GUI) thread and written
// from that copy on a pool thread through the atomic file save, into this
// program's recovery folder. While one copy is written, only the newest
// later one waits. A program that ends removes its folder; the next start
// offers what a program that did not end left there.
class DocumentRecovery
{
public:
    // The document is kept as `fileName` in `folder` (none when null or
    // unavailable).
    DocumentRecovery(StateFolder *folder, const QString &fileName);
    // Waits for a running write, then removes the copy: the window is gone.
    ~DocumentRecovery();
    DocumentRecovery(const DocumentRecovery &) = delete;
    DocumentRecovery &operator=(const DocumentRecovery &) = delete;

    // Takes a copy of the document now and writes it soon. False, and no
    // copy, while a process holds the cells of one of its volumes.
    bool save(const Model::Document &document, const std::vector<Model::Materials::Material> &materials);
    // The document matches its file again (or has nothing worth keeping):
    // its copy goes, also one being written.
    void discard();
    // Blocks until no copy is being written or waits to be.
    void waitForWrites();
    // Where the copy is written; empty without a recovery folder.
    QString filePath() const;

    // "$HOME/Tessival/recovery".
    static QString defaultRoot();
    // This program's recovery folder under the default root, taken on first
    // use (other programs' folders are left for the offer at start) and
    // removed with the application object.
    static StateFolder &folderOfThisProgram();
    // A name for the next window's copy: "document-<n>.cvx".
    static QString nextFileName();

private:
    struct Copy;
    void writeCopies();
    static bool write(const Copy &copy, const QString &path);

    StateFolder *m_folder;
    QString m_fileName;
    std::mutex m_mutex;
    std::condition_variable m_idle;
    std::unique_ptr<Copy> m_waiting;
    bool m_writing = false;
    bool m_discardAfterWrite = false;
    // Started on the global pool whenever copies wait and none is written.
    std::unique_ptr<QRunnable> m_task;
};

} // namespace Operations
} // namespace Core
