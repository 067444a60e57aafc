#pragma once

#include <string>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class ProcessRecords;

// Builds the volume's Si lattice when it has none or when the records say
// a process changed silicon since it was built. False when the lattice
// does not fit in memory; `problem` then says how much it would need.
bool prepareSiLattice(Model::Automaton::TotalVolume &volume, const ProcessRecords &records, std::string *problem);

} // namespace Operations
} // namespace Core
