#pragma once

#include "Core/Operations/Operation.h"

#include <QString>

#include <boost/shared_ptr.hpp>

namespace Core {
namespace Operations {

// An operation that writes a file from a cell volume and changes nothing:
// it takes the picked volume (or the document's only one, or asks for one),
// lets its observer ask where to write, and writes in end(). A failure is
// said on the console and kept for the observer to show; nothing goes into
// the history either way.
class VolumeOutputOperation : public Operation
{
public:
    enum Step { SelectingVolume = 0, ChoosingFile = 1, Finished = 2 };

    using Operation::Operation;

    void execute() override;
    // "<title>: Operation canceled."
    void cancel() override;
    // Writes the file chosen with setFileName; without one, cancels.
    void end() override;

    void setFileName(const QString &fileName) { m_fileName = fileName; }

    Step step() const { return m_step; }
    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }
    // Why the file was not written; empty after a success.
    const QString &problem() const { return m_problem; }

protected:
    // Writes `fileName` from the volume; false with the reason. On success
    // `done` is the console sentence.
    virtual bool write(Model::Automaton::TotalVolume &volume, const QString &fileName, QString *done,
                       QString *problem) = 0;

private:
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    QString m_fileName;
    QString m_problem;
    Step m_step = SelectingVolume;
};

} // namespace Operations
} // namespace Core
