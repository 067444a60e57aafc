#include "Core/Operations/Doping/DopingFront.h"

namespace Core {
namespace Operations {

DopingFront::DopingFront(Model::Automaton::TotalVolume &volume, std::uint32_t doped, float distance,
                         Interrupter *interrupter)
    : VectorDistanceFront(volume, distance, interrupter)
    , m_doped(doped)
    , m_dopable(Model::Process::MaterialSet::compatibleWith(QStringLiteral("Simple Doping")))
{
}

} // namespace Operations
} // namespace Core
