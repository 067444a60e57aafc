#include "Model/Automaton/Boundaries.h"

namespace Model {
namespace Automaton {

QString Boundaries::name(SideBoundary boundary)
{
    switch (boundary) {
    case SideBoundary::Mirror: return QStringLiteral("Mirror");
    case SideBoundary::Periodic: return QStringLiteral("Periodic");
    case SideBoundary::Closed: break;
    }
    return QStringLiteral("Closed");
}

QString Boundaries::name(TopBoundary boundary)
{
    return boundary == TopBoundary::Open ? QStringLiteral("Open") : QStringLiteral("Closed");
}

bool Boundaries::parse(const QString &text, SideBoundary *boundary)
{
    for (const SideBoundary b : {SideBoundary::Closed, SideBoundary::Mirror, SideBoundary::Periodic})
        if (text == name(b)) {
            *boundary = b;
            return true;
        }
    return false;
}

bool Boundaries::parse(const QString &text, TopBoundary *boundary)
{
    for (const TopBoundary b : {TopBoundary::Closed, TopBoundary::Open})
        if (text == name(b)) {
            *boundary = b;
            return true;
        }
    return false;
}

QString Boundaries::describe() const
{
    return QStringLiteral("x %1, y %2, top %3").arg(name(x), name(y), name(top));
}

} // namespace Automaton
} // namespace Model
