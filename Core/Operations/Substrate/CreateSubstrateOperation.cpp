#include "Core/Operations/Substrate/CreateSubstrateOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

CreateSubstrateOperation::CreateSubstrateOperation(OperationContext *context)
    : ObjectOperation(context, "Create Substrate", CreateSubstrateId)
{
}

void CreateSubstrateOperation::setBox(unsigned material, unsigned sizeX, unsigned sizeY, unsigned sizeZ,
                                      const Util::Vector3D &position, unsigned displacementX,
                                      unsigned displacementY, unsigned displacementZ, unsigned substrateX,
                                      unsigned substrateY, unsigned substrateZ)
{
    setVolume(material, sizeX, sizeY, sizeZ, position);
    m_shape.spherical = false;
    m_shape.boxX = displacementX;
    m_shape.boxY = displacementY;
    m_shape.boxZ = displacementZ;
    m_shape.boxSizeX = substrateX;
    m_shape.boxSizeY = substrateY;
    m_shape.boxSizeZ = substrateZ;
    m_state = Ready;
}

void CreateSubstrateOperation::setSphere(unsigned material, unsigned sizeX, unsigned sizeY, unsigned sizeZ,
                                         const Util::Vector3D &position, unsigned centreX, unsigned centreY,
                                         unsigned centreZ, unsigned radius)
{
    setVolume(material, sizeX, sizeY, sizeZ, position);
    m_shape.spherical = true;
    m_shape.centreX = centreX;
    m_shape.centreY = centreY;
    m_shape.centreZ = centreZ;
    m_shape.radius = radius;
    m_state = Ready;
}

void CreateSubstrateOperation::setVolume(unsigned material, unsigned sizeX, unsigned sizeY, unsigned sizeZ,
                                         const Util::Vector3D &position)
{
    m_shape.material = material;
    m_shape.sizeX = sizeX;
    m_shape.sizeY = sizeY;
    m_shape.sizeZ = sizeZ;
    m_shape.position = position;
}

void CreateSubstrateOperation::execute()
{
    switch (m_state) {
    case WaitingForOptions:
        notifyObserver();
        break;
    case Ready:
        m_state = Done;
        end();
        break;
    case Done:
        break;
    }
}

void CreateSubstrateOperation::cancel()
{
    cancelSilently();
}

void CreateSubstrateOperation::end()
{
    if (m_state != Done)
        return;
    std::string problem;
    m_volume = m_shape.build(&problem);
    if (!m_volume) {
        postMessage(problem);
        cancelSilently();
        return;
    }
    context()->document().addObject(m_volume);
    postMessage("substrate created successfully.");
    context()->endOperation();
}

int CreateSubstrateOperation::undo()
{
    context()->document().removeObject(m_volume);
    return Undone;
}

int CreateSubstrateOperation::redo()
{
    context()->document().addObject(m_volume);
    return Redone;
}

} // namespace Operations
} // namespace Core
