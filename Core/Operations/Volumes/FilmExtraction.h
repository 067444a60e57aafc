#pragma once

#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// Lifting a film off its volume: the body of the film material that holds
// the material's first cell (in cell-index order), with the cells that
// share a face with it, and so on. Other bodies of the same material stay
// behind. The film keeps its place in x and y and drops to z = 0.
class FilmExtraction
{
public:
    struct Film
    {
        // Material ids of a volume of the source's sizes, in cell-index order.
        std::vector<std::uint32_t> materials;
        // Cells of the body; 0 when the source holds no cell of the material.
        std::size_t cellCount = 0;
    };

    // Reads the source's current cells and leaves them unchanged. With
    // `invert` the film is turned about the x axis (y and z mirrored)
    // before it drops.
    static Film extract(Model::Automaton::TotalVolume &source, std::uint32_t material, bool invert);
};

} // namespace Operations
} // namespace Core
