#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace Core {
namespace Operations {

// The folder of one running program's undo state files, "<N>" under a root
// in the per-user cache, next to its lock "<N>.lock" that the program holds
// while it runs. The lock is taken before the folder is made and given up
// after it is removed, so a folder without a live lock belongs to a program
// that is gone (killed, crashed); the next program to start removes it.
class StateFolder
{
public:
    // What a program that starts does with the folders of programs that
    // ended without removing theirs.
    enum EndedPrograms { RemoveEnded, KeepEnded };

    // Removes what ended programs left under `root` (unless told to keep
    // it), then takes a folder for this program. Without a writable root
    // there is none.
    explicit StateFolder(const QString &root, EndedPrograms ended = RemoveEnded);
    // Removes the folder with whatever state files are still in it.
    ~StateFolder();
    // The same, before the end: no state files can be made here afterwards.
    void release();
    StateFolder(const StateFolder &) = delete;
    StateFolder &operator=(const StateFolder &) = delete;

    // The folder of this program in the per-user cache, taken on first use
    // and released with the application object.
    static StateFolder &forThisProgram();
    // Releases `folder`, one that lives to the end of the program, with the
    // application object.
    static void releaseWithApplication(StateFolder &folder);
    // "states" in the program's cache location.
    static QString defaultRoot();

    bool isAvailable() const { return !m_folder.isEmpty(); }
    // The folder, made again when something removed it meanwhile; empty
    // when there is none.
    QString path() const;

    // The folders under `root` that programs which are gone left behind.
    static QStringList foldersOfEndedPrograms(const QString &root);
    // Removes one of those folders, unless its program turns out to be
    // running after all.
    static void removeFolderOfEndedProgram(const QString &folder);

private:
    void removeFoldersOfEndedPrograms() const;
    bool claim();

    QString m_root;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace Operations
} // namespace Core
