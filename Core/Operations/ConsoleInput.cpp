#include "Core/Operations/ConsoleInput.h"

#include "Core/Operations/Operation.h"
#include "Util/ObserverList.h"

#include <sstream>

namespace Core {
namespace Operations {

const char *const ConsoleInput::CoordinatesNotUnderstood = "Console: Not understood: type three numbers, x, y, z.";

namespace {

// An operation may end, and be released by its context, while we call into
// it through the plain requester pointer; hold it for the call.
boost::shared_ptr<Operation> keepAlive(Operation *op)
{
    return op->weak_from_this().lock();
}

} // namespace

void ConsoleInput::endOtherRequester(Operation *op)
{
    Operation *other = m_requester;
    if (!other || other == op)
        return;
    const boost::shared_ptr<Operation> hold = keepAlive(other);
    other->end();
}

void ConsoleInput::requestEnter(Operation *op)
{
    endOtherRequester(op);
    m_requester = op;
    m_acceptEnter = true;
}

void ConsoleInput::requestCoordinates(Operation *op, Util::Vector4D *destination, bool *done)
{
    endOtherRequester(op);
    m_done = done;
    if (m_done)
        *m_done = false;
    m_requester = op;
    m_coordinatesDestination = destination;
    m_destinationOwner = op;
    m_kind = RequestKind::Coordinates;
}

void ConsoleInput::requestText(Operation *op, std::string *destination)
{
    endOtherRequester(op);
    m_textDestination = destination;
    m_destinationOwner = op;
    m_requester = op;
    m_kind = RequestKind::Text;
    m_done = nullptr;
}

void ConsoleInput::reset()
{
    m_requester = nullptr;
    m_kind = RequestKind::None;
}

void ConsoleInput::forget(Operation *op)
{
    if (m_requester == op) {
        m_requester = nullptr;
        m_kind = RequestKind::None;
    }
    if (m_destinationOwner == op) {
        m_destinationOwner = nullptr;
        m_textDestination = nullptr;
        m_coordinatesDestination = nullptr;
        m_done = nullptr;
    }
}

void ConsoleInput::postMessage(const std::string &message)
{
    m_message = message;
    if (!m_message.empty())
        Util::notifyAll(m_messageObservers);
}

void ConsoleInput::addMessageObserver(const boost::shared_ptr<Util::IObserver> &observer)
{
    if (observer)
        m_messageObservers.push_back(observer);
}

bool ConsoleInput::parseCoordinates(const std::string &line, Util::Vector4D &destination)
{
    constexpr std::streamsize MaxSkippedBeforeComma = 100;
    std::istringstream in(line);
    if (!(in >> destination.x))
        return false;
    in.ignore(MaxSkippedBeforeComma, ',');
    if (!(in >> destination.y))
        return false;
    in.ignore(MaxSkippedBeforeComma, ',');
    if (!(in >> destination.z))
        return false;
    return true;
}

void ConsoleInput::processLine(const std::string &line)
{
    if (!m_requester)
        return;

    if (!line.empty()) {
        // Destinations left behind by an operation that is no longer the
        // requester are not written: the line can only act as Enter.
        const RequestKind kind = destinationsBelongToRequester() ? m_kind : RequestKind::None;
        switch (kind) {
        case RequestKind::Coordinates: {
            if (!m_coordinatesDestination || !parseCoordinates(line, *m_coordinatesDestination)) {
                // The operation still waits for its coordinates. Taking the
                // line as Enter instead would move it on (a move would give
                // up the typed distance) on an Enter request that may be a
                // leftover of an operation canceled long ago; only an empty
                // line is Enter.
                postMessage(CoordinatesNotUnderstood);
                return;
            }
            Operation *op = m_requester;
            const boost::shared_ptr<Operation> hold = keepAlive(op);
            m_requester = nullptr;
            m_kind = RequestKind::None;
            if (m_done)
                *m_done = true;
            op->execute();
            return;
        }
        case RequestKind::Text: {
            Operation *op = m_requester;
            const boost::shared_ptr<Operation> hold = keepAlive(op);
            if (m_textDestination)
                *m_textDestination = line;
            m_requester = nullptr;
            m_kind = RequestKind::None;
            op->execute();
            return;
        }
        case RequestKind::None:
            break;
        }
    }
    deliverEnter();
}

void ConsoleInput::deliverEnter()
{
    if (!m_requester || !m_acceptEnter)
        return;
    Operation *op = m_requester;
    const boost::shared_ptr<Operation> hold = keepAlive(op);
    m_acceptEnter = false;
    m_requester = nullptr;
    op->execute();
}

} // namespace Operations
} // namespace Core
