#pragma once

#include "Core/Operations/Operation.h"
#include "Core/Operations/Volumes/GlueLayout.h"
#include "Core/Operations/Volumes/SubstrateGluing.h"

#include <boost/shared_ptr.hpp>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// "Glue Volumes": bonds a top cell volume onto a base one. The user picks
// the base, then the top; the observer's dialog chooses the result's height,
// the top's displacement and whether it is turned over. One new volume at
// the base's place replaces both in the document.
class GlueSubstrateOperation : public ObjectOperation
{
public:
    enum Step { SelectingBase = 0, SelectingTop = 1, WaitingForOptions = 2, Done = 3 };

    explicit GlueSubstrateOperation(OperationContext *context);

    void execute() override;
    // Forgets the console request and leaves without a word.
    void cancel() override;
    void end() override;
    // Takes the glued volume out and puts base and top back / the reverse.
    int undo() override;
    int redo() override;

    // Each is kept within what the layout allows: the result is never
    // smaller than the stack, and the top never leaves it.
    void setFinalSize(unsigned sizeX, unsigned sizeY, unsigned sizeZ);
    void setDisplacement(unsigned dx, unsigned dy);
    void setInvert(bool invert);

    Step step() const { return m_step; }
    const GlueLayout &layout() const { return m_layout; }
    const GluePlacement &placement() const { return m_placement; }
    boost::shared_ptr<Model::Automaton::TotalVolume> base() const { return m_base; }
    boost::shared_ptr<Model::Automaton::TotalVolume> top() const { return m_top; }
    boost::shared_ptr<Model::Automaton::TotalVolume> glued() const { return m_glued; }

private:
    void takeBase();
    void takeTop();
    void waitForSelection();
    void showInDocument(bool gluedVolume);

    Step m_step = SelectingBase;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_base;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_top;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_glued;
    GlueLayout m_layout;
    GluePlacement m_placement;
};

} // namespace Operations
} // namespace Core
