#pragma once

#include "Core/Operations/BatchEntryKind.h"
#include "Core/Operations/ParameterDeclaration.h"
#include "Core/Operations/ProcessRecords.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <functional>
#include <string>
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
class Operation;
class OperationContext;

// A process with its parameters fixed: what it does to a volume, and how
// that leaves the volume's Si lattice. The run hears of its progress
// through the interrupter, which may be null; it returns false when the
// interrupter stopped it, having put back the materials it had changed.
struct ProcessRun
{
    std::function<bool(Model::Automaton::TotalVolume &, Interrupter *)> run;
    SiLatticeEffect effect = LeavesSiLattice;
    // Set where the effect depends on the volume as well (an oxide thinner
    // than its cells changes nothing); it then decides instead of `effect`.
    std::function<SiLatticeEffect(const Model::Automaton::TotalVolume &)> volumeEffect = {};
    // The material the step takes away where it has a free surface (an
    // etching, a development); 0 for steps that take none away.
    std::uint32_t removedMaterial = 0;

    explicit operator bool() const { return bool(run); }
    SiLatticeEffect effectOn(const Model::Automaton::TotalVolume &volume) const
    {
        return volumeEffect ? volumeEffect(volume) : effect;
    }
};

// Everything the program knows of one kind of process step, in one place:
// its operation and console title, how process lists name it, the
// parameters its list entries store, how an entry becomes a run, and what a
// run leaves in the process records. The window's operations, the batch
// engine and the factories all read it, so a new kind of step is its
// worker, its operation, its dialog and its descriptor.
class ProcessDescriptor
{
public:
    struct Names
    {
        int operationId;
        // Every console line of the operation starts with it.
        const char *title;
        // Names the undo records of the operation's steps.
        const char *stateKey;
        // The process catalogue entry whose compatible materials the option
        // dialog offers; empty where it offers every material, or none.
        const char *catalogueName;
        // Type BatchEntryKind::NoEntry: process lists cannot hold the step.
        BatchEntryKind batch;
    };
    using OperationMaker = boost::shared_ptr<Operation> (*)(OperationContext *context);
    // Makes the volume ready for a run; false with the reason when it cannot
    // be, or with no reason when the interrupter (which may be null) stopped it.
    using Preparation = bool (*)(Model::Automaton::TotalVolume &volume, const ProcessRecords &records,
                                 std::string *problem, Interrupter *interrupter);

    virtual ~ProcessDescriptor() = default;
    ProcessDescriptor(const ProcessDescriptor &) = delete;
    ProcessDescriptor &operator=(const ProcessDescriptor &) = delete;

    int operationId() const { return m_names.operationId; }
    const char *title() const { return m_names.title; }
    const char *stateKey() const { return m_names.stateKey; }
    QString catalogueName() const { return QString::fromLatin1(m_names.catalogueName); }
    const BatchEntryKind &batchKind() const { return m_names.batch; }
    bool hasBatchEntry() const { return m_names.batch.type != BatchEntryKind::NoEntry; }
    // In the order the option dialog sets them.
    const std::vector<ParameterDeclaration> &parameters() const { return m_parameters; }
    // The declaration of one parameter, with the range its dialog offers;
    // null when the kind has no parameter of that name.
    const ParameterDeclaration *parameter(const QString &name) const;

    // The interactive operation of this kind, without an observer.
    boost::shared_ptr<Operation> createOperation(OperationContext *context) const { return m_makeOperation(context); }
    // What the volume needs before any run of this kind (the wet etchings
    // build the Si lattice when it is missing or out of date). False with
    // `problem` when the volume cannot be made ready, false with no problem
    // when the interrupter stopped the preparation.
    bool prepare(Model::Automaton::TotalVolume &volume, const ProcessRecords &records, std::string *problem,
                 Interrupter *interrupter = nullptr) const;
    // The run a process list entry asks for. When a parameter is missing or
    // cannot be used (also a number outside its declared range), `reader`
    // says which and the run is empty.
    virtual ProcessRun readEntry(EntryParameters &reader) const = 0;

protected:
    ProcessDescriptor(const Names &names, std::vector<ParameterDeclaration> parameters, OperationMaker makeOperation,
                      Preparation prepare);

private:
    const Names m_names;
    const std::vector<ParameterDeclaration> m_parameters;
    const OperationMaker m_makeOperation;
    const Preparation m_prepare;
};

// The OperationMaker of an operation class constructed from the context.
template<typename OperationT>
boost::shared_ptr<Operation> makeOperation(OperationContext *context)
{
    return boost::shared_ptr<Operation>(new OperationT(context));
}

} // namespace Operations
} // namespace Core
