#include "StandIn/ZoneGeometry.hpp"

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

namespace StandIn::ZoneGeometry {

namespace {

namespace bg = boost::geometry;
using Point = bg::model::d2::point_xy<double>;
using Polygon = bg::model::polygon<Point, false>; // counter-clockwise outer rings, closed
using Region = bg::model::multi_polygon<Polygon>;
using Ring = Polygon::ring_type;

// Reference lines are modelled as strips of twice this half width, grown back afterwards.
constexpr double StripHalfWidth = 0.001;
// Points closer than this are one point; drift of the set operations stays well below it.
constexpr double SamePoint = 1e-6;

struct Offsets {
    double left = 0;
    double right = 0;
    double beforeBegin = 0;
    double afterEnd = 0;
};

Offsets OffsetsOf(const WallFootprint& wall) {
    switch (wall.referenceLine) {
    case APIWallRefLine_Outside:
        return {wall.thickness, 0};
    case APIWallRefLine_Inside:
        return {0, wall.thickness};
    default:
        return {wall.thickness / 2, wall.thickness / 2};
    }
}

std::vector<API_Coord> Corners(const WallFootprint& wall, const Offsets& offsets) {
    double dx = wall.end.x - wall.begin.x;
    double dy = wall.end.y - wall.begin.y;
    double length = std::hypot(dx, dy);
    dx /= length;
    dy /= length;
    double nx = -dy;
    double ny = dx;
    API_Coord b = {wall.begin.x - dx * offsets.beforeBegin, wall.begin.y - dy * offsets.beforeBegin};
    API_Coord e = {wall.end.x + dx * offsets.afterEnd, wall.end.y + dy * offsets.afterEnd};
    return {{b.x - nx * offsets.right, b.y - ny * offsets.right},
            {e.x - nx * offsets.right, e.y - ny * offsets.right},
            {e.x + nx * offsets.left, e.y + ny * offsets.left},
            {b.x + nx * offsets.left, b.y + ny * offsets.left}};
}

// The host writes exact corners; the set operations drift by up to about a micrometre, so corners
// are written on a 10 micrometre grid (dividing, so that 0.15 m comes out as the double 0.15).
constexpr double CornersPerMetre = 1e5;
double OnCornerGrid(double value) {
    return std::round(value * CornersPerMetre) / CornersPerMetre;
}

// A corner off the line of its neighbours by less than one grid step is on it: the set operations'
// drift grows with the extent of the walls they are given.
constexpr double OffLine = 1 / CornersPerMetre;

using EndKey = std::pair<long long, long long>;

EndKey KeyOf(const API_Coord& c) {
    return {std::llround(c.x / SamePoint), std::llround(c.y / SamePoint)};
}

// Walls meeting end to end leave a notch at the corner; each reaches on by the widest other
// wall's footprint there, as the host's wall joins fill the corner.
std::vector<Offsets> JoinedOffsets(const std::vector<WallFootprint>& walls) {
    std::map<EndKey, std::vector<std::pair<size_t, double>>> ends;
    std::vector<Offsets> offsets;
    for (size_t i = 0; i < walls.size(); ++i) {
        offsets.push_back(OffsetsOf(walls[i]));
        double reach = std::max(offsets[i].left, offsets[i].right);
        ends[KeyOf(walls[i].begin)].emplace_back(i, reach);
        ends[KeyOf(walls[i].end)].emplace_back(i, reach);
    }
    auto reachAt = [&](size_t wall, const API_Coord& end) {
        double reach = 0;
        for (auto [other, otherReach] : ends[KeyOf(end)]) {
            reach = other == wall ? reach : std::max(reach, otherReach);
        }
        return reach;
    };
    for (size_t i = 0; i < walls.size(); ++i) {
        offsets[i].beforeBegin = reachAt(i, walls[i].begin);
        offsets[i].afterEnd = reachAt(i, walls[i].end);
    }
    return offsets;
}

Polygon ToPolygon(const std::vector<API_Coord>& corners) {
    Polygon polygon;
    for (const API_Coord& c : corners) {
        polygon.outer().emplace_back(c.x, c.y);
    }
    polygon.outer().push_back(polygon.outer().front());
    bg::correct(polygon);
    return polygon;
}

// Unites the footprints as a balanced tree of pairs: far cheaper than adding one by one.
Region Unite(const std::vector<Polygon>& parts, size_t first, size_t last) {
    if (last - first == 1) {
        return Region{parts[first]};
    }
    size_t middle = first + (last - first) / 2;
    Region united;
    bg::union_(Unite(parts, first, middle), Unite(parts, middle, last), united);
    return united;
}

bool Collinear(const Point& a, const Point& b, const Point& c) {
    double cross = (b.x() - a.x()) * (c.y() - b.y()) - (b.y() - a.y()) * (c.x() - b.x());
    double span = std::hypot(c.x() - a.x(), c.y() - a.y());
    return std::abs(cross) <= OffLine * std::max(span, OffLine);
}

// Drops repeated and collinear points, starts at the lowest then leftmost point, and closes.
Contour Tidy(const Ring& ring) {
    std::vector<Point> points(ring.begin(), ring.end() - 1);
    bool changed = true;
    while (changed && points.size() > 3) {
        changed = false;
        for (size_t i = 0; i < points.size() && points.size() > 3; ++i) {
            const Point& prev = points[(i + points.size() - 1) % points.size()];
            const Point& next = points[(i + 1) % points.size()];
            if (Collinear(prev, points[i], next)) {
                points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
                changed = true;
            }
        }
    }
    auto lower = [](const Point& a, const Point& b) {
        if (std::abs(a.y() - b.y()) > OffLine) {
            return a.y() < b.y();
        }
        return a.x() < b.x() - OffLine;
    };
    std::rotate(points.begin(), std::min_element(points.begin(), points.end(), lower), points.end());
    Contour contour;
    for (const Point& p : points) {
        contour.push_back({OnCornerGrid(p.x()), OnCornerGrid(p.y())});
    }
    contour.push_back(contour.front());
    return contour;
}

std::vector<Contour> ContoursOf(const Polygon& room) {
    std::vector<Contour> contours = {Tidy(room.outer())};
    std::vector<Contour> holes;
    for (const Ring& hole : room.inners()) {
        if (std::abs(bg::area(hole)) > SamePoint * SamePoint) {
            holes.push_back(Tidy(hole));
        }
    }
    std::sort(holes.begin(), holes.end(), [](const Contour& a, const Contour& b) {
        return std::make_pair(a.front().y, a.front().x) < std::make_pair(b.front().y, b.front().x);
    });
    contours.insert(contours.end(), holes.begin(), holes.end());
    return contours;
}

// Grows the region found between reference-line strips back onto the reference lines.
std::optional<Polygon> GrowOntoReferenceLines(const Polygon& room, const Point& at) {
    Region grown;
    bg::buffer(room, grown, bg::strategy::buffer::distance_symmetric<double>(StripHalfWidth),
               bg::strategy::buffer::side_straight(), bg::strategy::buffer::join_miter(1000),
               bg::strategy::buffer::end_flat(), bg::strategy::buffer::point_square());
    for (const Polygon& polygon : grown) {
        if (bg::within(at, polygon)) {
            return polygon;
        }
    }
    return std::nullopt;
}

constexpr Offsets StripOffsets = {StripHalfWidth, StripHalfWidth, StripHalfWidth, StripHalfWidth};

// Most rooms fit a first window this size; larger ones double it until they do.
constexpr double FirstWindowHalfSize = 8;

struct Box {
    double low = 0;
    double bottom = 0;
    double high = 0;
    double top = 0;

    static Box Empty() {
        double huge = std::numeric_limits<double>::max();
        return {huge, huge, -huge, -huge};
    }
    void Add(const API_Coord& c) {
        low = std::min(low, c.x);
        bottom = std::min(bottom, c.y);
        high = std::max(high, c.x);
        top = std::max(top, c.y);
    }
    Box Grown(double by) const { return {low - by, bottom - by, high + by, top + by}; }
    bool Holds(const API_Coord& c, double margin) const {
        return c.x > low + margin && c.x < high - margin && c.y > bottom + margin && c.y < top - margin;
    }
    bool Covers(const Box& other) const {
        return low <= other.low && bottom <= other.bottom && high >= other.high && top >= other.top;
    }
    // Whether the segment's own box meets this one.
    bool Meets(const API_Coord& a, const API_Coord& b) const {
        return std::max(a.x, b.x) >= low && std::min(a.x, b.x) <= high && std::max(a.y, b.y) >= bottom &&
               std::min(a.y, b.y) <= top;
    }
};

// The walls' footprints as the method draws them, their corners added to the frame when one is given.
std::vector<Polygon> FootprintsOf(const std::vector<WallFootprint>& walls, Method method,
                                  Box* frame = nullptr) {
    std::vector<Offsets> offsets =
        method == Method::InnerEdge ? JoinedOffsets(walls) : std::vector<Offsets>(walls.size(), StripOffsets);
    std::vector<Polygon> footprints;
    footprints.reserve(walls.size());
    for (size_t i = 0; i < walls.size(); ++i) {
        std::vector<API_Coord> corners = Corners(walls[i], offsets[i]);
        if (frame != nullptr) {
            for (const API_Coord& c : corners) {
                frame->Add(c);
            }
        }
        footprints.push_back(ToPolygon(corners));
    }
    return footprints;
}

// The contours of the free region around the point inside the frame; empty when the point is on a
// wall or, for the whole story's frame, outside the building. Inside a window, none when the region
// reaches the window's edge: the walls beyond it may close it or not.
std::optional<std::vector<Contour>> RoomAround(const std::vector<Polygon>& footprints, const Box& frame,
                                               API_Coord point, Method method, bool wholeStory) {
    Region walled;
    if (!footprints.empty()) {
        walled = Unite(footprints, 0, footprints.size());
    }
    Point corner(frame.low, frame.bottom);
    Polygon outside = ToPolygon({{corner.x(), corner.y()},
                                 {frame.high, frame.bottom},
                                 {frame.high, frame.top},
                                 {frame.low, frame.top}});
    Region free;
    bg::difference(outside, walled, free);
    Point at(point.x, point.y);
    Box inner = frame.Grown(-StripHalfWidth);
    for (const Polygon& region : free) {
        if (!bg::within(at, region)) {
            continue;
        }
        if (wholeStory) {
            if (bg::covered_by(corner, region)) {
                return std::vector<Contour>();
            }
        } else {
            bg::model::box<Point> envelope = bg::return_envelope<bg::model::box<Point>>(region);
            Box reached = {envelope.min_corner().x(), envelope.min_corner().y(), envelope.max_corner().x(),
                           envelope.max_corner().y()};
            if (!inner.Covers(reached)) {
                return std::nullopt;
            }
        }
        if (method == Method::InnerEdge) {
            return ContoursOf(region);
        }
        std::optional<Polygon> grown = GrowOntoReferenceLines(region, at);
        return grown ? ContoursOf(*grown) : std::vector<Contour>();
    }
    return std::vector<Contour>();
}

} // namespace

std::vector<API_Coord> FootprintCorners(const WallFootprint& wall) {
    return Corners(wall, OffsetsOf(wall));
}

std::vector<Contour> DetectBoundaryFromAllWalls(const std::vector<WallFootprint>& walls, API_Coord point,
                                                Method method) {
    if (walls.empty()) {
        return {};
    }
    Box frame = {point.x, point.y, point.x, point.y};
    std::vector<Polygon> footprints = FootprintsOf(walls, method, &frame);
    return RoomAround(footprints, frame.Grown(1), point, method, true).value_or(std::vector<Contour>());
}

std::vector<Contour> DetectBoundary(const std::vector<WallFootprint>& walls, API_Coord point, Method method) {
    if (walls.empty()) {
        return {};
    }
    // Walls reach out of their lines' box by at most this much, sideways or at joined ends.
    double reach = StripHalfWidth;
    Box all = Box::Empty();
    for (const WallFootprint& wall : walls) {
        if (method == Method::InnerEdge) {
            reach = std::max(reach, wall.thickness);
        }
        all.Add(wall.begin);
        all.Add(wall.end);
    }
    all = all.Grown(2 * reach);
    if (!all.Holds(point, SamePoint)) {
        return {}; // beyond every wall: outside the building
    }
    std::vector<WallFootprint> nearWalls;
    for (double half = FirstWindowHalfSize;; half *= 2) {
        Box window = {point.x - half, point.y - half, point.x + half, point.y + half};
        if (window.Covers(all)) {
            return DetectBoundaryFromAllWalls(walls, point, method);
        }
        // A wall's footprint within the window, and every wall joined to it near the window.
        Box gathered = window.Grown(3 * reach);
        nearWalls.clear();
        for (const WallFootprint& wall : walls) {
            if (gathered.Meets(wall.begin, wall.end)) {
                nearWalls.push_back(wall);
            }
        }
        if (std::optional<std::vector<Contour>> room =
                RoomAround(FootprintsOf(nearWalls, method), window, point, method, false)) {
            return *room;
        }
    }
}

} // namespace StandIn::ZoneGeometry
