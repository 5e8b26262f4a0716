#pragma once

#include "APIdefs_AttributeIndex.hpp"
#include "APIdefs_ErrorCodes.h"
#include "Definitions.hpp"

constexpr Int32 API_VersionNumber = 29000;
constexpr UInt32 API_GlueFormatWord = 0x1D0001;

#define API_NameLen 32
#define API_LongNameLen 128
#define API_UniLongNameLen 256

struct API_Coord {
    double x;
    double y;
};

struct API_Coord3D {
    double x;
    double y;
    double z;
};

struct API_Box {
    double xMin;
    double yMin;
    double xMax;
    double yMax;
};

// A closed polygon (coords as in API_Polygon: entry 0 unused) or a rotated box; the owner releases
// the coordinate handle.
struct API_Region {
    Int32 nCoords;
    API_Coord** coords;
    API_Box box;
    double boxRotAngle;
};

struct API_PolyArc {
    Int32 begIndex;
    Int32 endIndex;
    double arcAngle;
};

struct API_Polygon {
    Int32 nCoords;
    Int32 nSubPolys;
    Int32 nArcs;
};

// Row-major 3x4: tmx[3], tmx[7] and tmx[11] are the translation.
struct API_Tranmat {
    double tmx[12];
};
