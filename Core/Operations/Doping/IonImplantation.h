#pragma once

#include "Core/Operations/Doping/DopingFront.h"

#include <vector>

namespace Core {
namespace Operations {

// Ion implantation: in every column the dopable cell whose depth below the
// column's top solid face, counted in whole cell heights, lies within half a
// cell of the implantation depth D takes the dopant; annealing then spreads
// it by A through dopable material.
class IonImplantation : public DopingFront
{
public:
    IonImplantation(Model::Automaton::TotalVolume &volume, std::uint32_t doped, float depth, float annealing,
                    Interrupter *interrupter = nullptr);

    bool runImplantation() { return run(); }

protected:
    // The seed goes by columns (seedStrip); no cell is seeded on its own.
    SeedResult seed(const Voxel *, int, int, int) const override { return {SeedKind::Obstacle, false}; }
    bool joinsFront(const Voxel &) const override { return false; }
    void seedStrip(const Model::Automaton::ParallelStrips::Strip &strip) override;
    void finishStrip(const Model::Automaton::ParallelStrips::Strip &strip) override;

private:
    void seedColumn(unsigned strip, int x, int y);

    const double m_depth;
    const double m_cellHeight;
    // Per strip, the implanted cells: they take the doped material after
    // the run, since neighbouring strips read their materials while seeding.
    std::vector<std::vector<std::size_t>> m_implanted;
};

} // namespace Operations
} // namespace Core
