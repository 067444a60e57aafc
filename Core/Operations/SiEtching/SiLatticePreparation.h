#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// Builds the volume's Si lattice when it has none or when it is `stale` (a
// process changed silicon since it was built). The old lattice is let go
// before the memory is checked, since the two are never held together.
// False when the new lattice does not fit in memory; `problem` then says
// how much it would need. `availableBytes` is the system's free memory
// (VolumeMemory::availableBytes when empty). The build reports to
// `interrupter` and stops when asked to; the volume is then left without a
// lattice and the result is false with no problem told.
bool prepareSiLattice(Model::Automaton::TotalVolume &volume, bool stale, std::string *problem,
                      const std::function<std::uint64_t()> &availableBytes = {},
                      Interrupter *interrupter = nullptr);

} // namespace Operations
} // namespace Core
