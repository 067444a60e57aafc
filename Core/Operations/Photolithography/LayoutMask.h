#pragma once

#include "Core/Operations/Photolithography/LayoutFile.h"
#include "Model/Automaton/CellMask.h"

#include <QString>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Core {
namespace Operations {

// Draws one layer of a layout cell as a mask over a volume's columns: the
// cell's polygons and paths and those of the cells it places (with their
// offsets, reflections, rotations, magnifications and arrays) become
// polygons in layout units, and a column is opaque when its centre lies
// inside one of them. Path ends in round style are drawn square, and path
// joints are covered by the half-width extension of both segments.
class LayoutMask
{
public:
    using Point = LayoutFile::Point;
    using Polygon = std::vector<Point>;

    // Where the volume lies on the layout: layout units per cell edge and
    // the layout point at the volume's corner (x = 0, y = 0).
    struct Placement
    {
        double unitsPerCell = 1.0;
        double offsetX = 0.0;
        double offsetY = 0.0;
    };

    // A layer and datatype, each 0 to 65535.
    using Layer = std::pair<unsigned, unsigned>;

    // The polygons of `layer` in `cell` and everything it places, in layout
    // units. False with the reason for a missing or circular placement, or
    // a layout too large to draw.
    static bool polygons(const LayoutFile &file, const std::string &cell, const Layer &layer,
                         std::vector<Polygon> &result, QString *problem);
    // The same for the shapes of every layer, which the default placement
    // fits to the volume.
    static bool allPolygons(const LayoutFile &file, const std::string &cell, std::vector<Polygon> &result,
                            QString *problem);
    // The layer/datatype pairs the cell draws on, with the cells it places.
    static std::set<Layer> layers(const LayoutFile &file, const std::string &cell);

    // The placement that fits the polygons' bounding box to a sizeX x sizeY
    // volume, its lower left corner on the volume's corner.
    static Placement fitting(const std::vector<Polygon> &polygons, unsigned sizeX, unsigned sizeY);

    // The mask of sizeX x sizeY pixels, one per column of the volume.
    static Model::Automaton::CellMask rasterise(const std::vector<Polygon> &polygons, unsigned sizeX, unsigned sizeY,
                                                const Placement &placement);
};

} // namespace Operations
} // namespace Core
