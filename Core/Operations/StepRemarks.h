#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class CellSnapshot;
struct ProcessRun;

// What a step that ran to its end tells beyond its result: that it changed
// no cell (a doping of a material the volume lacks, an etching of nothing),
// or that the material it takes away reaches the top of the cell volume,
// where the volume is closed and the material has no free surface to be
// taken from. The window's operations post the sentences on the console
// after "Operation finished."; the batch engine gives them with the entry.
class StepRemarks
{
public:
    static const char *const NoCellChanged;

    // The sentences for `run` on `volume`, whose cells were `before` when
    // the step started.
    static std::vector<std::string> after(Model::Automaton::TotalVolume &volume, const CellSnapshot &before,
                                          const ProcessRun &run);

    // Whether a cell of the top plane holds `material`.
    static bool reachesTop(Model::Automaton::TotalVolume &volume, std::uint32_t material);
};

} // namespace Operations
} // namespace Core
