#pragma once

#include "Core/Operations/Frames/VectorDistanceFront.h"

namespace Core {
namespace Operations {

// Isotropic etching: every cell of the etched material within T of the
// empty space becomes empty. Empty cells are the sources; cells of other
// materials are never changed and block the etch.
class IsotropicFilmEtching : public VectorDistanceFront
{
public:
    IsotropicFilmEtching(Model::Automaton::TotalVolume &volume, std::uint32_t material, float depth,
                         Interrupter *interrupter = nullptr);

    bool runEtching() { return run(); }

protected:
    SeedResult seed(const Voxel *cells, int x, int y, int z) const override;
    bool joinsFront(const Voxel &neighbour) const override { return neighbour.material == 0; }
    bool takesPart(const Voxel &cell) const override { return cell.material == 0 || cell.material == m_material; }
    std::uint32_t reachedMaterial(const Voxel &current) const override;
    bool spreadsTo(const Voxel &neighbour) const override { return neighbour.material != 0; }

private:
    const std::uint32_t m_material;
};

} // namespace Operations
} // namespace Core
