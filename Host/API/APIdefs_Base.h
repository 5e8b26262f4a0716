#pragma once

#include "APIdefs_AttributeIndex.hpp"
#include "Definitions.hpp"

// Host error codes (signed 32-bit; print with "%d" or "0x%08X").
constexpr GSErrCode APIERR_GENERAL = static_cast<GSErrCode>(0x81060001);
constexpr GSErrCode APIERR_MEMFULL = static_cast<GSErrCode>(0x81060002);
constexpr GSErrCode APIERR_CANCEL = static_cast<GSErrCode>(0x81060003);
constexpr GSErrCode APIERR_BADNAME = static_cast<GSErrCode>(0x81060066);
constexpr GSErrCode APIERR_NOTFOUND = static_cast<GSErrCode>(0x81060068);
constexpr GSErrCode APIERR_BADPOLY = static_cast<GSErrCode>(0x81060069);
constexpr GSErrCode APIERR_NOPLAN = static_cast<GSErrCode>(0x810600CB);
constexpr GSErrCode APIERR_LINKEXIST = static_cast<GSErrCode>(0x810600DE);
constexpr GSErrCode APIERR_ATTREXIST = static_cast<GSErrCode>(0x8106012D);
constexpr GSErrCode APIERR_NESTEDUNDO = static_cast<GSErrCode>(0x81060386);
constexpr GSErrCode APIERR_UNDOTHREW = static_cast<GSErrCode>(0x8106038C);
constexpr GSErrCode APIERR_NEEDSUNDOSCOPE = static_cast<GSErrCode>(0x8106038D);

constexpr Int32 API_VersionNumber = 29000;
constexpr UInt32 API_GlueFormatWord = 0x1D0001;

// Our choice of values for codes the add-on never tests for.
constexpr GSErrCode APIERR_BADPARS = static_cast<GSErrCode>(0x81060004);
constexpr GSErrCode APIERR_BADID = static_cast<GSErrCode>(0x8106000A);
constexpr GSErrCode APIERR_REFUSEDCMD = static_cast<GSErrCode>(0x81060006);

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
