#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodOperation.h"

namespace Core {
namespace Operations {

MooreNeighborhoodOperation::MooreNeighborhoodOperation(OperationContext *context,
                                                       const ProcessKind<MooreParameters> &descriptor, int instance)
    : ProcessOperation(context, descriptor, instance)
    , m_kind(descriptor)
{
}

void MooreNeighborhoodOperation::end()
{
    runWhenComplete(m_materialSet && m_stepsSet, m_kind.bind({m_steps, m_material}));
}

} // namespace Operations
} // namespace Core
