#include "UI/View/VolumeRenderState.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/VolumeGeometryBuilder.h"
#include "Model/Materials/MaterialFactory.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QElapsedTimer>

namespace Ui {

void VolumeRenderState::refresh(Model::Automaton::TotalVolume &volume,
                                const Model::Materials::MaterialFactory &catalogue)
{
    // Read before the cells and the colours: a change made meanwhile shows
    // at the next frame.
    const std::uint64_t cellsGeneration = volume.cellsGeneration();
    const unsigned catalogueGeneration = catalogue.generation();
    Model::Automaton::VolumeViewOptions options = volume.viewOptions();
    // Suspension hides the volume; it changes nothing of its meshes.
    options.paintingSuspended = false;
    const bool selected = volume.isSelected();
    const void *lattice = volume.siLattice().get();

    const bool stale =
        !m_built || cellsGeneration != m_cellsGeneration || options != m_options || lattice != m_lattice;
    if (!stale && selected == m_selected && catalogueGeneration == m_catalogueGeneration)
        return;

    Model::Geometry::ColourMap colours;
    colours.rebuild(catalogue);
    if (!stale && colours.sameAlphas(m_colours)) {
        m_geometry.recolour(colours, selected);
    } else {
        QElapsedTimer timer;
        timer.start();
        Model::Geometry::VolumeGeometry geometry;
        if (!Model::Geometry::VolumeGeometryBuilder::tryBuild(volume, options, colours, geometry))
            return;
        qCDebug(tessivalLog) << "Time to build rendered structrure " << timer.elapsed();
        if (selected)
            geometry.recolour(colours, true);
        m_geometry = std::move(geometry);
        m_options = options;
        m_cellsGeneration = cellsGeneration;
        m_lattice = lattice;
        m_built = true;
        ++m_builds;
    }
    m_colours = std::move(colours);
    m_catalogueGeneration = catalogueGeneration;
    m_selected = selected;
}

} // namespace Ui
