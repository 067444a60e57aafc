#include "Core/Operations/Volumes/GlueSubstrateOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"

#include <algorithm>
#include <new>
#include <sstream>

namespace Core {
namespace Operations {

using Model::Automaton::TotalVolume;

namespace {

// The first picked cell volume other than `other`.
boost::shared_ptr<TotalVolume> pickedVolume(OperationContext &context, const boost::shared_ptr<TotalVolume> &other)
{
    for (const auto &object : context.pickInput().selectedObjects()) {
        auto volume = boost::dynamic_pointer_cast<TotalVolume>(object);
        if (volume && volume != other)
            return volume;
    }
    return {};
}

} // namespace

GlueSubstrateOperation::GlueSubstrateOperation(OperationContext *context)
    : ObjectOperation(context, "Glue Volumes", GlueSubstrateId)
{
}

void GlueSubstrateOperation::execute()
{
    if (m_step == SelectingBase)
        takeBase();
    else if (m_step == SelectingTop)
        takeTop();
}

void GlueSubstrateOperation::takeBase()
{
    OperationContext &ctx = *context();
    m_base = pickedVolume(ctx, {});
    if (m_base) {
        postMessage("base cell volume selected. Select top cell volume and press enter");
        postMessage("select the top cell volume and press Enter/Return.");
        m_step = SelectingTop;
        ctx.selectionManager().clear();
        ctx.notifyUpdate();
    } else {
        postMessage("select the base cell volume and press Enter/Return.");
    }
    waitForSelection();
}

void GlueSubstrateOperation::takeTop()
{
    OperationContext &ctx = *context();
    m_top = pickedVolume(ctx, m_base);
    if (!m_top) {
        postMessage("select the top cell volume and press Enter/Return.");
        ctx.selectionManager().clear();
        ctx.notifyUpdate();
        waitForSelection();
        return;
    }
    postMessage("top cell volume selected.");
    m_step = WaitingForOptions;
    ctx.selectionManager().clear();
    ctx.selectionManager().setMode(false);
    ctx.notifyUpdate();
    m_layout = GlueLayout::measure(*m_base, *m_top);
    m_placement = GluePlacement();
    m_placement.sizeX = m_layout.finalX;
    m_placement.sizeY = m_layout.finalY;
    // One spare layer unless the dialog says otherwise.
    m_placement.sizeZ = m_layout.stackedHeight + 1;
    notifyObserver();
}

void GlueSubstrateOperation::waitForSelection()
{
    context()->consoleInput().requestEnter(this);
    context()->selectionManager().setMode(true);
}

void GlueSubstrateOperation::setFinalSize(unsigned sizeX, unsigned sizeY, unsigned sizeZ)
{
    m_placement.sizeX = std::max(sizeX, m_layout.finalX);
    m_placement.sizeY = std::max(sizeY, m_layout.finalY);
    m_placement.sizeZ = std::max(sizeZ, m_layout.minimumHeight());
}

void GlueSubstrateOperation::setDisplacement(unsigned dx, unsigned dy)
{
    m_placement.displacementX = std::min(dx, m_layout.maxDisplacementX);
    m_placement.displacementY = std::min(dy, m_layout.maxDisplacementY);
}

void GlueSubstrateOperation::setInvert(bool invert)
{
    m_placement.invert = invert;
}

void GlueSubstrateOperation::cancel()
{
    cancelSilently();
}

void GlueSubstrateOperation::end()
{
    if (m_step != WaitingForOptions || !m_base || !m_top || m_base == m_top) {
        cancel();
        return;
    }
    OperationContext &ctx = *context();
    const GluePlacement &p = m_placement;
    // A result the machine cannot hold is refused before anything is
    // allocated; both volumes stay as they are.
    std::string problem;
    if (!Model::Automaton::VolumeMemory::fits(p.sizeX, p.sizeY, p.sizeZ, &problem)) {
        postMessage(problem);
        cancel();
        return;
    }
    try {
        const std::vector<std::uint32_t> materials =
            SubstrateGluing::gluedMaterials(*m_base, *m_top, m_layout, p);
        m_glued.reset(new TotalVolume(p.sizeX, p.sizeY, p.sizeZ, m_layout.cellsizeX, m_layout.cellsizeY,
                                      m_layout.cellsizeZ, m_base->position(), materials));
    } catch (const std::bad_alloc &) {
        // Memory that looked free was taken meanwhile.
        m_glued.reset();
        postMessage(Model::Automaton::VolumeMemory::describeNeed(p.sizeX, p.sizeY, p.sizeZ)
                    + ", which could not be allocated.");
        cancel();
        return;
    }
    m_step = Done;
    showInDocument(true);
    std::ostringstream done;
    done << "volumes glued into one cell volume of " << p.sizeX << " x " << p.sizeY << " x " << p.sizeZ
         << " cells.";
    postMessage(done.str());
    ctx.consoleInput().reset();
    ctx.endOperation();
}

void GlueSubstrateOperation::showInDocument(bool gluedVolume)
{
    Model::Document &document = context()->document();
    if (gluedVolume) {
        document.addObject(m_glued);
        document.removeObject(m_base);
        document.removeObject(m_top);
    } else {
        document.removeObject(m_glued);
        document.addObject(m_base);
        document.addObject(m_top);
    }
}

int GlueSubstrateOperation::undo()
{
    showInDocument(false);
    context()->notifyUpdate();
    return Undone;
}

int GlueSubstrateOperation::redo()
{
    showInDocument(true);
    context()->notifyUpdate();
    return Redone;
}

} // namespace Operations
} // namespace Core
