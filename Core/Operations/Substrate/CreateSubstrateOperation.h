#pragma once

#include "Core/Operations/Operation.h"
#include "Core/Operations/Substrate/SubstrateShape.h"

#include <boost/shared_ptr.hpp>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// Adds a new cell volume with a box or a ball of substrate to the document.
// Its options come from the substrate dialog through the observer.
class CreateSubstrateOperation : public ObjectOperation
{
public:
    enum State { WaitingForOptions = 0, Ready = 1, Done = 2 };

    explicit CreateSubstrateOperation(OperationContext *context);

    // Stores the options and makes the operation ready.
    void setShape(const SubstrateShape &shape);

    void execute() override;
    void cancel() override;
    void end() override;
    // Takes the created volume out of the document / puts the same one back.
    int undo() override;
    int redo() override;

    State state() const { return m_state; }
    const SubstrateShape &shape() const { return m_shape; }
    boost::shared_ptr<Model::Automaton::TotalVolume> createdVolume() const { return m_volume; }

private:
    SubstrateShape m_shape;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    State m_state = WaitingForOptions;
};

} // namespace Operations
} // namespace Core
