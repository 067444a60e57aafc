#pragma once

#include "Util/Vector4D.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace Util {
class IObserver;
}

namespace Core {
namespace Operations {

class Operation;

// The model side of the command console: what the waiting operation expects
// (Enter/Return, typed "x, y, z" coordinates or a line of text), the delivery
// of each submitted line, and the one-line messages operations write.
// Texts are 8-bit UTF-8.
class ConsoleInput
{
public:
    enum class RequestKind { None, Coordinates, Text };

    // The answer to a non-empty line that is not "x, y, z" while an
    // operation waits for coordinates; the request stays pending.
    static const char *const CoordinatesNotUnderstood;

    // Each request first ends another operation that is still registered.
    void requestEnter(Operation *op);
    void requestCoordinates(Operation *op, Util::Vector4D *destination, bool *done);
    void requestText(Operation *op, std::string *destination);
    // Nobody waits any more; the accept-Enter flag is left as it is.
    void reset();
    // Drops every reference to `op`; called when an operation goes away.
    void forget(Operation *op);

    void postMessage(const std::string &message);
    const std::string &message() const { return m_message; }
    void addMessageObserver(const boost::shared_ptr<Util::IObserver> &observer);

    // One submitted console line, also an empty one (a plain Enter).
    void processLine(const std::string &line);

    Operation *requester() const { return m_requester; }
    RequestKind requestKind() const { return m_kind; }
    bool acceptsEnter() const { return m_acceptEnter; }

    // Reads "x, y, z" straight into `destination`: components read before a
    // failure keep their new values. True when all three were read.
    static bool parseCoordinates(const std::string &line, Util::Vector4D &destination);

private:
    void endOtherRequester(Operation *op);
    void deliverEnter();
    bool destinationsBelongToRequester() const { return m_requester && m_requester == m_destinationOwner; }

    Operation *m_requester = nullptr;
    std::string *m_textDestination = nullptr;
    Util::Vector4D *m_coordinatesDestination = nullptr;
    RequestKind m_kind = RequestKind::None;
    bool *m_done = nullptr;
    // The operation whose fields the destinations and the done flag point
    // into; they are used only while that operation is the requester.
    Operation *m_destinationOwner = nullptr;
    bool m_acceptEnter = false;
    std::string m_message;
    std::vector<boost::shared_ptr<Util::IObserver>> m_messageObservers;
};

} // namespace Operations
} // namespace Core
