#pragma once

#include <QString>

namespace Model {
namespace Automaton {

// How a cell volume goes on beyond its faces. A volume is a window cut out
// of a much larger wafer with the ambient above it: across a side face the
// wafer continues as the mirror image of the window (Mirror) or as its next
// copy (Periodic, for arrays), and above the top face lies the open ambient
// (Open). Closed treats the outside as solid material, as volumes did
// before they had boundaries. The bottom face is always closed.
enum class SideBoundary { Closed, Mirror, Periodic };
enum class TopBoundary { Closed, Open };

struct Boundaries
{
    SideBoundary x = SideBoundary::Closed;
    SideBoundary y = SideBoundary::Closed;
    TopBoundary top = TopBoundary::Closed;

    // Volumes of documents and lists that do not say: closed everywhere, so
    // they behave as when they were made.
    static Boundaries closed() { return Boundaries(); }
    // What a new volume starts with: a window of a wafer under the ambient.
    static Boundaries ofNewVolume() { return {SideBoundary::Mirror, SideBoundary::Mirror, TopBoundary::Open}; }

    bool operator==(const Boundaries &o) const { return x == o.x && y == o.y && top == o.top; }
    bool operator!=(const Boundaries &o) const { return !(*this == o); }
    bool isClosed() const { return *this == closed(); }

    // "Mirror", "Periodic", "Closed"; "Open", "Closed".
    static QString name(SideBoundary boundary);
    static QString name(TopBoundary boundary);
    // The names above, exactly; false for anything else.
    static bool parse(const QString &text, SideBoundary *boundary);
    static bool parse(const QString &text, TopBoundary *boundary);
    // "x Mirror, y Mirror, top Open".
    QString describe() const;
};

// Where a neighbour lookup beyond a side face lands: the coordinate (along
// one axis of `size` cells) of the cell inside the volume that stands for
// the cell at `coordinate`, which may lie outside; -1 where the outside is
// closed. Mirror reflects at the face (the cell just outside is the mirror
// image of the one just inside), Periodic wraps round.
inline int sideNeighbour(int coordinate, int size, SideBoundary boundary)
{
    if (coordinate >= 0 && coordinate < size)
        return coordinate;
    switch (boundary) {
    case SideBoundary::Closed:
        return -1;
    case SideBoundary::Mirror: {
        // Reflection repeats with period 2 * size.
        const int period = 2 * size;
        int c = coordinate % period;
        if (c < 0)
            c += period;
        return c < size ? c : period - 1 - c;
    }
    case SideBoundary::Periodic: {
        int c = coordinate % size;
        return c < 0 ? c + size : c;
    }
    }
    return -1;
}

} // namespace Automaton
} // namespace Model
