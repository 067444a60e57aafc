#pragma once

#include "Core/Operations/Frames/VectorDistanceFront.h"

namespace Core {
namespace Operations {

// Electroplating: metal grows into the empty cells within T of the
// conducting material only; other materials are obstacles. Distances add
// the absolute length of every step, so a path that turns back counts fully.
class Electrodeposition : public VectorDistanceFront
{
public:
    Electrodeposition(Model::Automaton::TotalVolume &volume, std::uint32_t material, std::uint32_t conductor,
                      float thickness, Interrupter *interrupter = nullptr);

    bool runElectrodeposition() { return run(); }

protected:
    SeedResult seed(const Voxel *cells, int x, int y, int z) const override;
    bool joinsFront(const Voxel &neighbour) const override { return neighbour.material != m_conductor; }
    std::uint32_t reachedMaterial(const Voxel &current) const override;
    bool spreadsTo(const Voxel &neighbour) const override { return neighbour.material == 0; }
    std::array<float, 3> stepVector(int direction) const override;

private:
    const std::uint32_t m_material;
    const std::uint32_t m_conductor;
    const std::array<float, 3> m_cell;
};

} // namespace Operations
} // namespace Core
