#pragma once

#include "Core/Operations/Doping/DopingFront.h"

namespace Core {
namespace Operations {

// Doping by diffusion from the surface: every dopable cell within the
// doping depth T of an empty cell, along paths through dopable cells,
// becomes the doped material.
class SimpleDoping : public DopingFront
{
public:
    SimpleDoping(Model::Automaton::TotalVolume &volume, std::uint32_t doped, float depth,
                 Interrupter *interrupter = nullptr);

    bool runDoping() { return run(); }

protected:
    SeedResult seed(const Voxel *cells, int x, int y, int z) const override;
    bool joinsFront(const Voxel &neighbour) const override { return neighbour.material == 0; }
};

} // namespace Operations
} // namespace Core
