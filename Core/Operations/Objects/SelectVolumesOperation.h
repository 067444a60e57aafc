#pragma once

#include "Core/Operations/ClassObserver.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// "Select volumes": picks the cell volume a batch run works on, or none
// when the user types N; its observer then opens the batch run.
class SelectVolumesOperation : public ClassObserver<SelectVolumesOperation>
{
public:
    explicit SelectVolumesOperation(OperationContext *context);

    void execute() override;
    void cancel() override;
    void end() override;

    // The chosen volume, empty when the run starts without one.
    boost::shared_ptr<Model::Automaton::TotalVolume> selectedVolume() const { return m_volume; }
    bool isDone() const { return m_done; }

private:
    bool m_done = false;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    std::string m_answer;
};

} // namespace Operations
} // namespace Core
