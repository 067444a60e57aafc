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

    // Each setter stores the options and makes the operation ready.
    void setBox(unsigned material, unsigned sizeX, unsigned sizeY, unsigned sizeZ, const Util::Vector3D &position,
                unsigned displacementX, unsigned displacementY, unsigned displacementZ,
                unsigned substrateX, unsigned substrateY, unsigned substrateZ);
    void setSphere(unsigned material, unsigned sizeX, unsigned sizeY, unsigned sizeZ, const Util::Vector3D &position,
                   unsigned centreX, unsigned centreY, unsigned centreZ, unsigned radius);

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
    void setVolume(unsigned material, unsigned sizeX, unsigned sizeY, unsigned sizeZ, const Util::Vector3D &position);

    SubstrateShape m_shape;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    State m_state = WaitingForOptions;
};

} // namespace Operations
} // namespace Core
