#pragma once

#include "Core/Operations/Frames/VectorDistanceFront.h"
#include "Model/Process/MaterialSet.h"

namespace Core {
namespace Operations {

// What doping and ion implantation share once their sources are placed: the
// dopant spreads through dopable cells only (the compatible materials of
// "Simple Doping"), which become the doped material; every other material
// stops it.
class DopingFront : public VectorDistanceFront
{
protected:
    DopingFront(Model::Automaton::TotalVolume &volume, std::uint32_t doped, float distance,
                Interrupter *interrupter);

    bool dopable(std::uint32_t material) const { return m_dopable.contains(material); }
    std::uint32_t dopedMaterial() const { return m_doped; }

    bool takesPart(const Voxel &cell) const override { return dopable(cell.material); }
    std::uint32_t reachedMaterial(const Voxel &) const override { return m_doped; }
    bool spreadsTo(const Voxel &neighbour) const override { return dopable(neighbour.material); }

private:
    const std::uint32_t m_doped;
    const Model::Process::MaterialSet m_dopable;
};

} // namespace Operations
} // namespace Core
