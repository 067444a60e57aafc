#pragma once

#include "Core/Operations/Operation.h"
#include "Core/Operations/Undo/TotalVolumeUndoRedoHelper.h"

#include <boost/shared_ptr.hpp>

#include <functional>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class CellSnapshot;
class Interrupter;

// What the process operations share: they take the picked cell volume (or
// the document's only one), wait for their options (the observer's dialog),
// count the inputs they received, run between two undo records, and restore
// those records on undo and redo. Every step that changes cells goes through
// here, so the history is the one record of how a volume's cells came about.
class ProcessOperation : public ObjectOperation
{
public:
    // Takes the first picked cell volume, or the document's only one, or
    // asks for one.
    void execute() override;
    // "<title>: Operation canceled."
    void cancel() override;
    int undo() override;
    int redo() override;

    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }
    // Whether the volume was picked rather than being the document's only one.
    bool targetFromSelection() const { return m_fromSelection; }
    int inputCount() const { return m_inputs; }
    const TotalVolumeUndoRedoHelper &states() const { return m_states; }

protected:
    // How a run leaves the volume's Si lattice.
    enum SiLatticeEffect {
        LeavesSiLattice,   // no silicon cell changed
        OutdatesSiLattice, // silicon cells changed; rebuild the lattice before it is used
        RenewsSiLattice    // the run worked on the lattice itself, which matches the cells
    };

    ProcessOperation(OperationContext *context, const std::string &title, int id, const std::string &stateKey,
                     int instance);

    void addInput() { ++m_inputs; }
    // The process proper: it reports to the interrupter, which may be null,
    // and stops when asked to.
    using Process = std::function<void(Model::Automaton::TotalVolume &, Interrupter *)>;
    // Runs the process on the volume through the context's step runner and
    // does the bookkeeping after it: the surfaces, the process records, the
    // console line and the history. A step whose cells could not be saved
    // says that it cannot be undone and stays out of the history, which it
    // empties: undoing the steps before it would silently throw its result
    // away. A canceled step puts the cells back as they were before it and
    // leaves the history alone.
    void runProcess(const Process &process, SiLatticeEffect effect);

private:
    // After a canceled run: the cells as they were (from `before` when there
    // is no undo record), the canceled line, and out of the way.
    void undoCanceledRun(Model::Automaton::TotalVolume &volume, const CellSnapshot *before);

    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    bool m_fromSelection = false;
    int m_inputs = 0;
    TotalVolumeUndoRedoHelper m_states;
};

} // namespace Operations
} // namespace Core
