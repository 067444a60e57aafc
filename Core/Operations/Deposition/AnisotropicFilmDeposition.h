#pragma once

#include "Core/Operations/Frames/VectorDistanceFront.h"

namespace Core {
namespace Operations {

// Directional deposition: the film grows only from the solid surfaces that
// face the source (up, down or both) and, with a horizontal ratio R, reaches
// R times as far sideways as upwards, since a sideways step counts only
// 1/R of its cell edge. Only face neighbours take part. A reached cell's
// vector points from its source to the cell.
class AnisotropicFilmDeposition : public VectorDistanceFront
{
public:
    enum Side { Top = 1, Bottom = 2, BothSides = 3 };

    // `ratio` must be positive and finite (the option dialog and the list
    // reader make sure of it).
    AnisotropicFilmDeposition(Model::Automaton::TotalVolume &volume, std::uint32_t material, float thickness,
                              float ratio, int side, Interrupter *interrupter = nullptr);

    bool runDeposition() { return run(); }

    static bool isSide(int side) { return side == Top || side == Bottom || side == BothSides; }

protected:
    SeedResult seed(const Voxel *cells, int x, int y, int z) const override;
    bool joinsFront(const Voxel &neighbour) const override { return neighbour.material != 0; }
    std::uint32_t reachedMaterial(const Voxel &current) const override;
    bool spreadsTo(const Voxel &neighbour) const override { return neighbour.material == 0; }
    Neighbourhood frontNeighbourhood() const override { return Neighbourhood::Faces; }
    Neighbourhood spreadNeighbourhood() const override { return Neighbourhood::Faces; }
    std::array<float, 3> stepVector(int direction) const override;

private:
    const std::uint32_t m_material;
    const int m_side;
    const std::array<float, 3> m_edges;
};

} // namespace Operations
} // namespace Core
