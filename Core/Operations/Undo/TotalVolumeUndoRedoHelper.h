#pragma once

#include <QString>

#include <string>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class OperationContext;

// The cell states a process operation restores on undo and redo: before its
// run it appends the volume's materials to the context's undo file, after it
// to the redo file, each as the record "key instance id id ...". Records are
// told apart by key and instance; the anisotropic deposition shares its key
// with the isotropic one and numbers its records below zero.
class TotalVolumeUndoRedoHelper
{
public:
    TotalVolumeUndoRedoHelper(const std::string &key, int instance, OperationContext *context);
    ~TotalVolumeUndoRedoHelper();
    TotalVolumeUndoRedoHelper(const TotalVolumeUndoRedoHelper &) = delete;
    TotalVolumeUndoRedoHelper &operator=(const TotalVolumeUndoRedoHelper &) = delete;

    const std::string &key() const { return m_key; }
    int instance() const { return m_instance; }

    // False when the record could not be written (no state files, full disk).
    bool saveUndoState(Model::Automaton::TotalVolume &volume);
    bool saveRedoState(Model::Automaton::TotalVolume &volume);

    // Restore the cells (then rebuild the surfaces); the volume's Si lattice
    // no longer matches them. False, and no cell changed, when the file holds
    // no whole record of this operation.
    bool loadUndoState(Model::Automaton::TotalVolume &volume);
    bool loadRedoState(Model::Automaton::TotalVolume &volume);

    // Sets the material of every cell, in both arrays, from the first record
    // of this key and instance in `fileName`. True when one was found whole;
    // otherwise no cell changes.
    bool loadState(const QString &fileName, Model::Automaton::TotalVolume &volume) const;

    // The record line for the volume's current materials.
    static QByteArray record(const std::string &key, int instance, Model::Automaton::TotalVolume &volume);

private:
    bool save(int kind, Model::Automaton::TotalVolume &volume);
    bool restore(int kind, Model::Automaton::TotalVolume &volume);

    std::string m_key;
    int m_instance;
    OperationContext *m_context;
    bool m_saved = false;
};

} // namespace Operations
} // namespace Core
