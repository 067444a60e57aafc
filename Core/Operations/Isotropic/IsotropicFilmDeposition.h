#pragma once

#include "Core/Operations/Frames/VectorDistanceFront.h"

namespace Core {
namespace Operations {

// Isotropic deposition: every empty cell within T of the solid surface
// becomes the deposited material. Solid cells are the sources.
class IsotropicFilmDeposition : public VectorDistanceFront
{
public:
    IsotropicFilmDeposition(Model::Automaton::TotalVolume &volume, std::uint32_t material, float thickness,
                            Interrupter *interrupter = nullptr);

    bool runDeposition() { return run(); }

protected:
    SeedResult seed(const Voxel *cells, int x, int y, int z) const override;
    bool joinsFront(const Voxel &neighbour) const override { return neighbour.material != 0; }
    std::uint32_t reachedMaterial(const Voxel &current) const override;
    bool spreadsTo(const Voxel &neighbour) const override { return neighbour.material == 0; }

private:
    const std::uint32_t m_material;
};

} // namespace Operations
} // namespace Core
