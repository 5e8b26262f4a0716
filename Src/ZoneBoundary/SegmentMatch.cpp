#include "ZoneBoundary/SegmentMatch.hpp"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265359;
constexpr double MaxAngleDegrees = 5.0;
constexpr double MinLength = 1.0;

double Distance(double x1, double y1, double x2, double y2) {
    return std::hypot(x2 - x1, y2 - y1);
}

} // namespace

bool SegmentMatchesWall(double w1x, double w1y, double w2x, double w2y, double ax, double ay, double bx,
                        double by, double tolerance) {
    if (Distance(w1x, w1y, ax, ay) < tolerance && Distance(w2x, w2y, bx, by) < tolerance) {
        return true;
    }
    if (Distance(w1x, w1y, bx, by) < tolerance && Distance(w2x, w2y, ax, ay) < tolerance) {
        return true;
    }
    const double wallLength = Distance(w1x, w1y, w2x, w2y);
    const double edgeLength = Distance(ax, ay, bx, by);
    if (wallLength < MinLength || edgeLength < MinLength) {
        return false;
    }
    const double wx = (w2x - w1x) / wallLength;
    const double wy = (w2y - w1y) / wallLength;
    const double sx = (bx - ax) / edgeLength;
    const double sy = (by - ay) / edgeLength;
    const double angle = std::acos(std::min(std::fabs(wx * sx + wy * sy), 1.0)) * 180.0 / Pi;
    if (!(angle < MaxAngleDegrees)) {
        return false;
    }
    const double distanceA = std::fabs((ax - w1x) * wy - (ay - w1y) * wx);
    const double distanceB = std::fabs((bx - w1x) * wy - (by - w1y) * wx);
    if (distanceA > tolerance || distanceB > tolerance) {
        return false;
    }
    const double tA = (ax - w1x) * wx + (ay - w1y) * wy;
    const double tB = (bx - w1x) * wx + (by - w1y) * wy;
    return std::min(std::max(tA, tB), wallLength) + tolerance >= std::max(std::min(tA, tB), 0.0);
}
