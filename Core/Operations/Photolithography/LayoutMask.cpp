#include "Core/Operations/Photolithography/LayoutMask.h"

#include <algorithm>
#include <utility>
#include <cmath>
#include <limits>

namespace Core {
namespace Operations {

namespace {

using Element = LayoutFile::Element;
using Point = LayoutFile::Point;
using Polygon = LayoutMask::Polygon;

// Bounds on what one mask may cost: placements nested deeper than any real
// layout, and more shapes than a mask over a volume could ever show.
constexpr int MaxDepth = 64;
constexpr long MaxPlacements = 1000000;
constexpr long MaxPoints = 4000000;
constexpr long MaxVisits = 20000000;

// x' = a·x + b·y + tx, y' = c·x + d·y + ty
struct Transform
{
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    Point apply(const Point &p) const { return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty}; }
    // This transform after `inner`.
    Transform after(const Transform &inner) const
    {
        Transform r;
        r.a = a * inner.a + b * inner.c;
        r.b = a * inner.b + b * inner.d;
        r.c = c * inner.a + d * inner.c;
        r.d = c * inner.b + d * inner.d;
        r.tx = a * inner.tx + b * inner.ty + tx;
        r.ty = c * inner.tx + d * inner.ty + ty;
        return r;
    }
    double scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
};

// A placed cell: reflected about x, magnified, rotated, then moved to `at`.
Transform placement(const Element &reference, const Point &at)
{
    const double radians = reference.angle * std::acos(-1.0) / 180.0;
    const double m = reference.magnification;
    const double cosine = std::cos(radians) * m, sine = std::sin(radians) * m;
    const double flip = reference.reflected ? -1.0 : 1.0;
    Transform t;
    t.a = cosine;
    t.b = -sine * flip;
    t.c = sine;
    t.d = cosine * flip;
    t.tx = at.x;
    t.ty = at.y;
    return t;
}

class Flattener
{
public:
    // Every layer's shapes when `layer` is null.
    Flattener(const LayoutFile &file, const LayoutMask::Layer *layer, std::vector<Polygon> &result)
        : m_file(file), m_everyLayer(layer == nullptr), m_layer(layer ? *layer : LayoutMask::Layer()), m_result(result)
    {
    }

    bool run(const std::string &cell, QString *problem)
    {
        Transform units;
        units.a = units.d = m_file.userUnitsPerDatabaseUnit();
        if (!flatten(cell, units, 0))
            *problem = m_problem;
        return m_problem.isEmpty();
    }

private:
    bool fail(const QString &why)
    {
        if (m_problem.isEmpty())
            m_problem = why;
        return false;
    }

    bool flatten(const std::string &name, const Transform &transform, int depth)
    {
        const auto found = m_file.cells().find(name);
        if (found == m_file.cells().end())
            return fail(QStringLiteral("the cell %1 is missing").arg(QString::fromLatin1(name.c_str())));
        if (depth > MaxDepth || std::find(m_open.begin(), m_open.end(), name) != m_open.end())
            return fail(QStringLiteral("the cell %1 places itself").arg(QString::fromLatin1(name.c_str())));
        m_open.push_back(name);
        for (const Element &element : found->second.elements)
            if (!draw(element, transform, depth))
                return false;
        m_open.pop_back();
        return true;
    }

    bool draw(const Element &element, const Transform &transform, int depth)
    {
        if (++m_visits > MaxVisits)
            return fail(QStringLiteral("the layout has too many shapes to draw"));
        if (element.kind == Element::Reference)
            return place(element, transform, depth);
        if (!m_everyLayer && LayoutMask::Layer(element.layer, element.datatype) != m_layer)
            return true;
        if (element.kind == Element::Polygon)
            return emit(element.points, transform);
        return drawPath(element, transform);
    }

    bool place(const Element &reference, const Transform &transform, int depth)
    {
        const Point origin = reference.points[0];
        Point column{0, 0}, row{0, 0};
        if (reference.isArray) {
            column = {(reference.points[1].x - origin.x) / reference.columns,
                      (reference.points[1].y - origin.y) / reference.columns};
            row = {(reference.points[2].x - origin.x) / reference.rows, (reference.points[2].y - origin.y) / reference.rows};
        }
        for (int j = 0; j < reference.rows; ++j)
            for (int i = 0; i < reference.columns; ++i) {
                if (++m_placements > MaxPlacements)
                    return fail(QStringLiteral("the layout places too many cells to draw"));
                const Point at{origin.x + i * column.x + j * row.x, origin.y + i * column.y + j * row.y};
                if (!flatten(reference.cell, transform.after(placement(reference, at)), depth + 1))
                    return false;
            }
        return true;
    }

    // Each segment becomes a rectangle of the path's width; inner joints
    // and half-width ends extend it by half the width.
    bool drawPath(const Element &path, const Transform &transform)
    {
        // A negative width is not scaled by the placements.
        const double scale = transform.scale();
        const double width = path.width >= 0 ? path.width : (scale > 0 ? -path.width / scale : 0.0);
        if (width <= 0)
            return true;
        const double half = width / 2;
        const std::size_t last = path.points.size() - 1;
        for (std::size_t i = 0; i < last; ++i) {
            const Point p = path.points[i], q = path.points[i + 1];
            const double dx = q.x - p.x, dy = q.y - p.y;
            const double length = std::hypot(dx, dy);
            if (length == 0)
                continue;
            const double ux = dx / length, uy = dy / length;
            const double before = i > 0 ? half : endExtension(path, path.beginExtension, half);
            const double after = i + 1 < last ? half : endExtension(path, path.endExtension, half);
            const Point s{p.x - ux * before, p.y - uy * before};
            const Point e{q.x + ux * after, q.y + uy * after};
            const double nx = -uy * half, ny = ux * half;
            if (!emit({{s.x + nx, s.y + ny}, {e.x + nx, e.y + ny}, {e.x - nx, e.y - ny}, {s.x - nx, s.y - ny}},
                      transform))
                return false;
        }
        return true;
    }

    static double endExtension(const Element &path, double custom, double half)
    {
        switch (path.pathType) {
        case 1:
        case 2: return half;
        case 4: return custom;
        default: return 0.0;
        }
    }

    bool emit(const std::vector<Point> &points, const Transform &transform)
    {
        m_points += long(points.size());
        if (m_points > MaxPoints)
            return fail(QStringLiteral("the layout has too many shapes to draw"));
        Polygon polygon;
        polygon.reserve(points.size());
        for (const Point &p : points) {
            const Point q = transform.apply(p);
            if (!std::isfinite(q.x) || !std::isfinite(q.y))
                return fail(QStringLiteral("the layout's placements magnify it beyond any size"));
            polygon.push_back(q);
        }
        m_result.push_back(std::move(polygon));
        return true;
    }

    const LayoutFile &m_file;
    const bool m_everyLayer;
    const LayoutMask::Layer m_layer;
    std::vector<Polygon> &m_result;
    std::vector<std::string> m_open;
    long m_placements = 0;
    long m_points = 0;
    long m_visits = 0;
    QString m_problem;
};

// False when no column or no row centre lies within the polygon's bounds:
// then it covers no cell. Most shapes of a dense layout are far smaller
// than a cell, and this is all they cost.
template<typename ToCellX, typename ToCellY>
bool coversACentre(const Polygon &polygon, const ToCellX &cellX, const ToCellY &cellY)
{
    double lowX = std::numeric_limits<double>::infinity(), highX = -lowX, lowY = lowX, highY = -lowX;
    for (const Point &p : polygon) {
        const double x = cellX(p.x), y = cellY(p.y);
        lowX = std::min(lowX, x);
        highX = std::max(highX, x);
        lowY = std::min(lowY, y);
        highY = std::max(highY, y);
    }
    // Centres lie at n + 0.5.
    return std::floor(highX - 0.5) >= std::ceil(lowX - 0.5) && std::floor(highY - 0.5) >= std::ceil(lowY - 0.5);
}

} // namespace

bool LayoutMask::polygons(const LayoutFile &file, const std::string &cell, const Layer &layer,
                          std::vector<Polygon> &result, QString *problem)
{
    result.clear();
    return Flattener(file, &layer, result).run(cell, problem);
}

bool LayoutMask::allPolygons(const LayoutFile &file, const std::string &cell, std::vector<Polygon> &result,
                             QString *problem)
{
    result.clear();
    return Flattener(file, nullptr, result).run(cell, problem);
}

std::set<LayoutMask::Layer> LayoutMask::layers(const LayoutFile &file, const std::string &cell)
{
    std::set<Layer> found;
    std::set<std::string> seen;
    std::vector<std::string> pending{cell};
    while (!pending.empty()) {
        const std::string name = pending.back();
        pending.pop_back();
        const auto entry = file.cells().find(name);
        if (!seen.insert(name).second || entry == file.cells().end())
            continue;
        for (const Element &element : entry->second.elements) {
            if (element.kind == Element::Reference)
                pending.push_back(element.cell);
            else
                found.insert({element.layer, element.datatype});
        }
    }
    return found;
}

LayoutMask::Placement LayoutMask::fitting(const std::vector<Polygon> &polygons, unsigned sizeX, unsigned sizeY)
{
    Placement fit;
    double lowX = std::numeric_limits<double>::max(), lowY = lowX;
    double highX = std::numeric_limits<double>::lowest(), highY = highX;
    for (const Polygon &polygon : polygons)
        for (const Point &p : polygon) {
            lowX = std::min(lowX, p.x);
            lowY = std::min(lowY, p.y);
            highX = std::max(highX, p.x);
            highY = std::max(highY, p.y);
        }
    if (polygons.empty() || sizeX == 0 || sizeY == 0)
        return fit;
    fit.offsetX = lowX;
    fit.offsetY = lowY;
    const double units = std::max((highX - lowX) / sizeX, (highY - lowY) / sizeY);
    if (units > 0 && std::isfinite(units))
        fit.unitsPerCell = units;
    return fit;
}

Model::Automaton::CellMask LayoutMask::rasterise(const std::vector<Polygon> &polygons, unsigned sizeX, unsigned sizeY,
                                                 const Placement &placement)
{
    Model::Automaton::CellMask mask;
    mask.width = int(sizeX);
    mask.height = int(sizeY);
    mask.bits.assign(std::size_t(sizeX) * sizeY, false);
    const double units = placement.unitsPerCell;
    if (!(units > 0) || !std::isfinite(units))
        return mask;
    // Cell coordinates in which the centre of column (x, y) is (x + 0.5, y + 0.5).
    const auto cellX = [&](double layoutX) { return (layoutX - placement.offsetX) / units; };
    const auto cellY = [&](double layoutY) { return (layoutY - placement.offsetY) / units; };
    // Each edge meets only the rows between its ends: gathered edge by edge
    // and sorted by row, the crossings cost what the edges cross, not every
    // edge times every row (a layout of a few hundred bytes can place
    // millions of points).
    std::vector<std::pair<int, double>> crossings; // (row, x)
    for (const Polygon &polygon : polygons) {
        if (polygon.size() < 3 || !coversACentre(polygon, cellX, cellY))
            continue;
        crossings.clear();
        for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
            const double yi = cellY(polygon[i].y), yj = cellY(polygon[j].y);
            if (std::isnan(yi) || std::isnan(yj))
                continue;
            // The rows whose centre lies between the ends, one more on each
            // side for rounding; the exact test below decides.
            const double first = std::max(0.0, std::ceil(std::min(yi, yj) - 0.5) - 1.0);
            const double end = std::min(double(sizeY), std::ceil(std::max(yi, yj) - 0.5) + 1.0);
            for (double row = first; row < end; ++row) {
                const double centre = row + 0.5;
                if ((yi <= centre) == (yj <= centre))
                    continue;
                const double xi = cellX(polygon[i].x), xj = cellX(polygon[j].x);
                crossings.emplace_back(int(row), xi + (centre - yi) * (xj - xi) / (yj - yi));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        // Inside between the first and second crossing of a row, the third
        // and fourth...: columns whose centre lies in [from, to).
        for (std::size_t start = 0; start < crossings.size();) {
            std::size_t stop = start;
            while (stop < crossings.size() && crossings[stop].first == crossings[start].first)
                ++stop;
            const std::size_t row = std::size_t(crossings[start].first);
            for (std::size_t k = start; k + 1 < stop; k += 2) {
                const double from = std::max(0.0, std::ceil(crossings[k].second - 0.5));
                const double to = std::min(double(sizeX), std::ceil(crossings[k + 1].second - 0.5));
                for (double x = from; x < to; ++x)
                    mask.bits[std::size_t(x) * sizeY + row] = true;
            }
            start = stop;
        }
    }
    return mask;
}

} // namespace Operations
} // namespace Core
