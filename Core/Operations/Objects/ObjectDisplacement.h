#pragma once

#include "Core/Operations/Operation.h"
#include "Util/Vector4D.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace Model {
class Object;
}

namespace Core {
namespace Operations {

// The state machine that move and copy share: wait for picked objects, show
// them displaced while waiting for the distance typed as "x, y, z", then
// apply it. Subclasses say which objects travel and what ending means.
class ObjectDisplacement : public ObjectOperation
{
public:
    enum State { Selecting = 0, WaitingForDistance = 1, WaitingForPick = 2, Finished = 3 };

    void execute() override;
    // Stops the preview and says so, but stays current until the next
    // operation replaces it.
    void cancel() override;
    void end() override;

    State state() const { return m_state; }
    const Util::Vector4D &displacement() const { return m_displacement; }
    const std::vector<boost::shared_ptr<Model::Object>> &travellers() const { return m_travellers; }

protected:
    // The console texts, each a whole line.
    struct Messages
    {
        std::string select;
        std::string enterDistance;
        std::string clickDestination;
        std::string finished;
        std::string canceled;
    };

    ObjectDisplacement(OperationContext *context, const std::string &title, int id, const Messages &messages);

    // The objects that travel for these picks (the picks, or their copies).
    virtual std::vector<boost::shared_ptr<Model::Object>>
    takeTravellers(const std::vector<boost::shared_ptr<Model::Object>> &picked) = 0;
    // Applies the displacement once the distance is known.
    virtual void arrive() = 0;

    void moveTravellers(double factor);

private:
    void stopPreview();

    Messages m_messages;
    State m_state = Selecting;
    std::vector<boost::shared_ptr<Model::Object>> m_travellers;
    Util::Vector4D m_displacement;
    bool m_distanceTyped = false;
};

} // namespace Operations
} // namespace Core
