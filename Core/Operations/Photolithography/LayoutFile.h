#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Core {
namespace Operations {

// A mask layout as layout editors store it (GDSII stream format): a
// library of named cells, each a list of polygons, paths and placements
// of other cells. Only what a mask needs is kept (texts and properties are
// skipped). Every length and count read from the file is checked before
// it is used, so a damaged or hostile file is refused with a reason.
class LayoutFile
{
public:
    struct Point
    {
        double x;
        double y;
    };

    struct Element
    {
        enum Kind { Polygon, Path, Reference };
        Kind kind = Polygon;
        // 0 to 65535: the stream stores both as unsigned 16-bit numbers.
        unsigned layer = 0;
        unsigned datatype = 0;
        // Polygons and paths: the vertices in database units. A reference:
        // its origin, and for an array the points that end its columns and
        // rows.
        std::vector<Point> points;
        // Paths: the full width (negative: not scaled by placements), the
        // end style (0 flush, 1 round, 2 half-width extension, 4 custom)
        // and the custom extensions.
        double width = 0.0;
        int pathType = 0;
        double beginExtension = 0.0;
        double endExtension = 0.0;
        // References.
        std::string cell;
        bool reflected = false;
        double magnification = 1.0;
        double angle = 0.0; // degrees, counter-clockwise
        int columns = 1;
        int rows = 1;
        bool isArray = false;
    };

    struct Cell
    {
        std::vector<Element> elements;
    };

    // Reads a whole file; false with the reason ("the file ends inside a
    // record") when it cannot be used.
    bool read(const QByteArray &bytes, QString *problem);
    bool readFile(const QString &fileName, QString *problem);

    // Layout units (what the editor showed) per database unit.
    double userUnitsPerDatabaseUnit() const { return m_userUnits; }
    const std::map<std::string, Cell> &cells() const { return m_cells; }
    // The cells that no other cell places, in name order.
    std::vector<std::string> topCells() const;

private:
    // False with the reason for an element no mask could be drawn from.
    static bool usable(const Element &element, QString *problem);

    double m_userUnits = 1.0;
    std::map<std::string, Cell> m_cells;
    // Collects a cell's records until its name arrives.
    Cell m_scratch;
};

} // namespace Operations
} // namespace Core
