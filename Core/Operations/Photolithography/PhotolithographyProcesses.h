#pragma once

#include "Core/Operations/ProcessKind.h"
#include "Model/Automaton/CellMask.h"

#include <cstdint>

namespace Core {
namespace Operations {

// The options of a development: the photoresist and the two masks (an
// empty mask covers nothing).
struct PhotolithographyParameters
{
    std::uint32_t resist = 0;
    Model::Automaton::CellMask topMask;
    Model::Automaton::CellMask bottomMask;
};

// The descriptor of photolithography (type "Photolithography" in process
// lists, whose entries keep the masks' bits with their widths and heights).
const ProcessKind<PhotolithographyParameters> &photolithographyDescriptor();

} // namespace Operations
} // namespace Core
