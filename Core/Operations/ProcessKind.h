#pragma once

#include "Core/Operations/EntryParameters.h"
#include "Core/Operations/ProcessDescriptor.h"

#include <utility>

namespace Core {
namespace Operations {

// The descriptor of a process kind whose options are a `Parameters` value:
// the interactive operation fills one from its dialog, a process list
// entry is read into one, and both run the same worker with it.
template<typename Parameters>
class ProcessKind : public ProcessDescriptor
{
public:
    struct Rules
    {
        // Reads an entry's parameters; `reader` keeps the first one that is
        // missing or cannot be used.
        Parameters (*read)(EntryParameters &reader);
        // False when the interrupter stopped the run (see ProcessRun).
        bool (*run)(Model::Automaton::TotalVolume &volume, const Parameters &parameters, Interrupter *interrupter);
        SiLatticeEffect (*effect)(const Parameters &parameters);
        // Where the effect depends on the volume too; decides instead of
        // `effect` when set.
        SiLatticeEffect (*volumeEffect)(const Model::Automaton::TotalVolume &volume,
                                        const Parameters &parameters) = nullptr;
        // The material a run takes away from its free surfaces, for steps
        // that remove one (see ProcessRun::removedMaterial).
        std::uint32_t (*removedMaterial)(const Parameters &parameters) = nullptr;
    };

    ProcessKind(const Names &names, std::vector<ParameterDeclaration> parameters, const Rules &rules,
                OperationMaker makeOperation, Preparation prepare = nullptr)
        : ProcessDescriptor(names, std::move(parameters), makeOperation, prepare)
        , m_rules(rules)
    {
    }

    Parameters read(EntryParameters &reader) const { return m_rules.read(reader); }
    bool run(Model::Automaton::TotalVolume &volume, const Parameters &parameters, Interrupter *interrupter) const
    {
        return m_rules.run(volume, parameters, interrupter);
    }
    SiLatticeEffect siLatticeEffect(const Parameters &parameters) const { return m_rules.effect(parameters); }

    // The run these parameters ask for.
    ProcessRun bind(const Parameters &parameters) const
    {
        ProcessRun process{[this, parameters](Model::Automaton::TotalVolume &volume,
                                              Interrupter *interrupter) { return run(volume, parameters, interrupter); },
                           siLatticeEffect(parameters), {}};
        if (m_rules.removedMaterial)
            process.removedMaterial = m_rules.removedMaterial(parameters);
        if (m_rules.volumeEffect)
            process.volumeEffect = [this, parameters](const Model::Automaton::TotalVolume &volume) {
                return m_rules.volumeEffect(volume, parameters);
            };
        return process;
    }

    ProcessRun readEntry(EntryParameters &reader) const override
    {
        reader.declare(this->parameters());
        const Parameters parameters = read(reader);
        return reader.complete() ? bind(parameters) : ProcessRun();
    }

private:
    const Rules m_rules;
};

} // namespace Operations
} // namespace Core
