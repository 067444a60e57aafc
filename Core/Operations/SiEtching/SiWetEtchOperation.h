#pragma once

#include "Core/Operations/Operation.h"

#include <boost/shared_ptr.hpp>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// What the two wet etching operations share: the target volume (picked, or
// the document's only one), the depth from the dialog, the Si lattice built
// when it is missing or out of date, and the bookkeeping after the run.
class SiWetEtchOperation : public Operation
{
public:
    void execute() override;
    void cancel() override;
    void end() override;

    void setDepth(double depth);
    double depth() const { return m_depth; }
    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }
    // Whether the target came from the picked objects rather than being the
    // only volume of the document.
    bool targetFromSelection() const { return m_fromSelection; }

protected:
    SiWetEtchOperation(OperationContext *context, const std::string &title, int id);

    virtual void runEtch(Model::Automaton::TotalVolume &volume, double depth) = 0;

private:
    bool ensureLattice(Model::Automaton::TotalVolume &volume);

    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    double m_depth = 0.0;
    bool m_volumeSelected = false;
    bool m_depthAccepted = false;
    bool m_fromSelection = false;
};

} // namespace Operations
} // namespace Core
