#pragma once

#include "Array.hpp"
#include "UniString.hpp"

// Geometry as the web application sends it: millimetres in its plan coordinates, unconverted.
namespace Tolva {

struct TolvaPoint3D {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct TolvaPolyline {
    GS::Array<TolvaPoint3D> points;
    GS::UniString type;
};

// The first polyline is the outer contour, every further one a hole.
struct TolvaPolygon {
    GS::Array<TolvaPolyline> polylines;
    GS::UniString type;
};

struct TolvaMultiPolygon {
    GS::UniString type;
    GS::Array<TolvaPolygon> polygons;
};

struct TolvaMesh {
    GS::UniString type;
    GS::Array<TolvaPoint3D> vertices;
    // Each face lists indices into vertices, any number of them.
    GS::Array<GS::Array<Int32>> faces;
};

// A row-major 4 x 4 matrix; the fourth row is carried along but never applied.
struct TolvaTransform {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    TolvaPoint3D Apply(const TolvaPoint3D& p) const {
        return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
                m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
    }
};

} // namespace Tolva
