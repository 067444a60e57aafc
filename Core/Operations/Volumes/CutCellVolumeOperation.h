#pragma once

#include "Core/Operations/ClassObserver.h"

#include <boost/shared_ptr.hpp>

#include <array>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// "Change Cut Planes": chooses the range of cells a volume is drawn with,
// so that its inside can be seen. The cells stay as they are; the limits
// are kept with the volume's view options until changed again.
class CutCellVolumeOperation : public ClassObserver<CutCellVolumeOperation>
{
public:
    using Corner = std::array<int, 3>;
    enum Step { SelectingVolume = 0, WaitingForLimits = 1, LimitsSet = 2 };

    explicit CutCellVolumeOperation(OperationContext *context);

    void execute() override;
    // "<title>: Operation Canceled!"
    void cancel() override;
    void end() override;

    // The volume's current limits (lower inclusive, upper exclusive) and
    // its sizes; false before a volume is chosen.
    bool getCutPlanes(Corner &lower, Corner &upper, Corner &size) const;
    // Gives the volume these limits once it is chosen; `apply` shows them
    // at once rather than when the operation ends.
    void setCutPlanes(const Corner &lower, const Corner &upper, bool apply);

    Step step() const { return m_step; }
    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }

private:
    void show();

    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    Step m_step = SelectingVolume;
    bool m_previewApplied = false;
};

} // namespace Operations
} // namespace Core
