#pragma once

#include "Util/Vector3D.h"

#include <boost/shared_ptr.hpp>

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

// What a new cell volume holds: its size and place in the scene, and a box
// or a ball of one material inside it. Shared by the create-substrate
// operation and the batch runner.
struct SubstrateShape
{
    std::uint32_t material = 0;
    unsigned sizeX = 100;
    unsigned sizeY = 100;
    unsigned sizeZ = 80;
    Util::Vector3D position;
    bool spherical = false;
    // Box: its size and the offset of its lowest corner, in cells.
    unsigned boxSizeX = 100;
    unsigned boxSizeY = 100;
    unsigned boxSizeZ = 30;
    unsigned boxX = 0;
    unsigned boxY = 0;
    unsigned boxZ = 0;
    // Sphere: radius and centre, in cells.
    unsigned radius = 50;
    unsigned centreX = 0;
    unsigned centreY = 0;
    unsigned centreZ = 0;

    // One material id per cell in cell-index order: the substrate's material
    // inside the box or ball (clipped to the volume), 0 elsewhere.
    std::vector<std::uint32_t> materials() const;

    // The volume with unit cell edges, or empty when it does not fit in
    // memory; `problem` then says how much it would need.
    boost::shared_ptr<Model::Automaton::TotalVolume> build(std::string *problem) const;
};

} // namespace Operations
} // namespace Core
