#pragma once

#include "UI/BatchRun/ProcessData.h"

#include <QString>
#include <QStringList>

#include <boost/shared_ptr.hpp>

#include <functional>
#include <list>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {
class EntryParameters;
class Interrupter;
class OperationContext;
class ProcessDescriptor;
}
}

namespace Ui {

// Runs process list entries, one at a time, on one current cell volume:
// each entry runs its process through the process's descriptor, which reads
// the entry's parameters and calls the worker, and then keeps the context's
// process records as the interactive operation does. "Create Substrate"
// entries replace the current volume with a new one added to the document;
// "Save Image" entries draw it.
class BatchRunner
{
public:
    enum Result {
        Done = 0,
        MissingParameter = 1,
        NotConvertible = 2,
        NotAvailable = 3,
        // The parameters were fine but the work could not be done (a volume
        // too large for memory, no way to draw an image); `problem()` says why.
        Failed = 4,
        // The interrupter stopped the process; the cells hold the whole
        // steps it had done, and the Si lattice is taken for out of date.
        Interrupted = 5,
    };

    // Draws the volume's document and writes the picture to the file; false
    // with the reason when it could not.
    using ImageSaver = std::function<bool(const QString &fileName, QString *problem)>;

    explicit BatchRunner(Core::Operations::OperationContext &context);

    void setVolume(const boost::shared_ptr<Model::Automaton::TotalVolume> &volume) { m_volume = volume; }
    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }
    // Without a saver, "Save Image" entries fail.
    void setImageSaver(const ImageSaver &saver) { m_imageSaver = saver; }
    // The processes report to it and stop when it asks them to; null (the
    // default) runs every entry to its end.
    void setInterrupter(Core::Operations::Interrupter *interrupter) { m_interrupter = interrupter; }

    // Whether a type's process can run in this build.
    static bool isAvailable(int type);
    // A list stops at an entry that needs a cell volume when there is none.
    bool canRun(const ProcessData &entry) const;

    Result run(const ProcessData &entry);
    // Runs a process with these parameters on the current volume, also one
    // that process lists cannot hold; files named by a relative path lie in
    // `listFolder`.
    Result runProcess(const Core::Operations::ProcessDescriptor &process,
                      const Core::Operations::ParameterMap &parameters, const QString &listFolder = QString());
    // Why the last entry did not complete; empty after one that did.
    const QString &problem() const { return m_problem; }
    // What the last entry that ran tells beyond that it ran ("No cell
    // changed."; see Core::Operations::StepRemarks); empty after the others.
    const QStringList &remarks() const { return m_remarks; }
    // What the last entry's reading noted for those who follow the run in
    // detail (a mask read from its file rather than the flags the entry
    // also holds); empty after most entries.
    const QStringList &notes() const { return m_notes; }

    // Why an entry cannot run with the parameters it has, read exactly as
    // its run reads them (a parameter missing, of the wrong type or out of
    // its range); empty when they are fine, or when the entry's process is
    // not one this version runs, which its run reports.
    static QString entryProblem(const ProcessData &entry);
    // The same on a volume of sizeX x sizeY columns, which also draws the
    // masks the entry reads from files and finds those that cover nothing.
    static QString entryProblem(const ProcessData &entry, unsigned sizeX, unsigned sizeY);

    // The size of the volume each entry will run on, as far as the list
    // tells before the run: the start volume's (which may be null), then
    // each "Create Substrate" entry's. One more than there are entries: the
    // last is the size the list ends with. Sizes not known are 0 x 0 x 0.
    struct VolumeSize
    {
        unsigned x = 0, y = 0, z = 0;
        bool known() const { return x != 0 && y != 0 && z != 0; }
    };
    static std::vector<VolumeSize> plannedSizes(const std::list<ProcessData> &entries,
                                                const Model::Automaton::TotalVolume *start);

private:
    Result createSubstrate(const ProcessData &entry);
    Result saveImage(const ProcessData &entry);

    // After the interrupter stopped the run of `operationId`, or its
    // preparation (NoOperation), which changes no cell.
    Result interrupted(int operationId);
    // MissingParameter or NotConvertible with the reader's problem.
    Result refuse(const Core::Operations::EntryParameters &parameters);
    Result fail(const QString &problem);

    Core::Operations::OperationContext &m_context;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    ImageSaver m_imageSaver;
    Core::Operations::Interrupter *m_interrupter = nullptr;
    QString m_problem;
    QStringList m_remarks;
    QStringList m_notes;
};

} // namespace Ui
