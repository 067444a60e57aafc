#include "Core/Operations/ProcessDescriptor.h"

#include <utility>

namespace Core {
namespace Operations {

ProcessDescriptor::ProcessDescriptor(const Names &names, std::vector<ParameterDeclaration> parameters,
                                     OperationMaker makeOperation, Preparation prepare)
    : m_names(names)
    , m_parameters(std::move(parameters))
    , m_makeOperation(makeOperation)
    , m_prepare(prepare)
{
}

const ParameterDeclaration *ProcessDescriptor::parameter(const QString &name) const
{
    return ParameterDeclaration::find(m_parameters, name);
}

bool ProcessDescriptor::prepare(Model::Automaton::TotalVolume &volume, const ProcessRecords &records,
                                std::string *problem, Interrupter *interrupter) const
{
    return !m_prepare || m_prepare(volume, records, problem, interrupter);
}

} // namespace Operations
} // namespace Core
