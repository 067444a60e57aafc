#pragma once

#include "Model/Automaton/VolumeViewOptions.h"
#include "Model/Geometry/ColourMap.h"
#include "Model/Geometry/VolumeGeometry.h"
#include "UI/View/AtomBuffers.h"

#include <cstdint>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}
}

namespace Ui {

// What a view keeps of one cell volume between frames: the mesh data built
// from its cells, the colours and selection highlight its faces carry, and
// what they were built from. The volume itself holds none of this: it
// counts the changes of its cells and keeps its view options, and the view
// catches up with them here when it next draws the volume.
class VolumeRenderState
{
public:
    // Brings the meshes up to date before a frame. They are rebuilt when the
    // cells, the Si lattice or the view options changed since they were
    // built, and
    // recoloured when the volume was selected or deselected or the
    // catalogue's colours changed (rebuilt instead when an alpha changed,
    // since alpha decides which sides show). While a step holds the cells
    // nothing is read from them: the old meshes stay, and the rebuild is
    // made at a later frame.
    void refresh(Model::Automaton::TotalVolume &volume, const Model::Materials::MaterialFactory &catalogue);

    // False until the first build, which may wait behind a running step.
    bool isBuilt() const { return m_built; }
    const Model::Geometry::VolumeGeometry &geometry() const { return m_geometry; }
    // The options the meshes were built for.
    const Model::Automaton::VolumeViewOptions &options() const { return m_options; }
    // Counts the builds of the meshes.
    std::uint64_t builds() const { return m_builds; }
    // The GL side of the atomistic view, made by the frames that draw it.
    AtomBuffers &atomBuffers() const { return m_atomBuffers; }

private:
    Model::Geometry::VolumeGeometry m_geometry;
    Model::Automaton::VolumeViewOptions m_options;
    Model::Geometry::ColourMap m_colours;
    bool m_built = false;
    std::uint64_t m_builds = 0;
    std::uint64_t m_cellsGeneration = 0;
    // The lattice the atomistic view was built from: a step may lay a new
    // one without changing the cells.
    const void *m_lattice = nullptr;
    mutable AtomBuffers m_atomBuffers;
    // The catalogue generation m_colours was taken at.
    unsigned m_catalogueGeneration = 0;
    bool m_selected = false;
};

} // namespace Ui
