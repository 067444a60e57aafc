#pragma once

#include "Core/Operations/ProcessOperation.h"
#include "Core/Operations/SiEtching/SiWetEtchingProcesses.h"

namespace Core {
namespace Operations {

// What the two wet etching operations share beyond the process operations'
// flow: the depth from the dialog, and the Si lattice built when it is
// missing or out of date. The run leaves the lattice matching the cells.
class SiWetEtchOperation : public ProcessOperation
{
public:
    void end() override;

    void setDepth(double depth);
    double depth() const { return m_depth; }

protected:
    SiWetEtchOperation(OperationContext *context, const ProcessKind<WetEtchParameters> &descriptor, int instance);

private:
    enum LatticeOutcome { LatticeReady, LatticeRefused, LatticeCanceled };
    // Builds the lattice when needed, as a step of its own: it can take long.
    // Refused, with a console line, for a lattice that cannot be built or
    // cannot serve the volume's cells.
    LatticeOutcome ensureLattice(Model::Automaton::TotalVolume &volume);

    const ProcessKind<WetEtchParameters> &m_kind;
    double m_depth = 0.0;
    bool m_depthAccepted = false;
};

} // namespace Operations
} // namespace Core
