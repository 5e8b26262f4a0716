#pragma once

#include "Model/Geometry.hpp"

#include <rapidjson/document.h>

// Element parsers of the geometry records. Each fills its record in place and returns false when
// the value cannot be one; what was read before a failure stays.
namespace Tolva::Parsers {

// At least three numbers; the point is written only on success.
bool ParsePoint3D(const rapidjson::Value& value, TolvaPoint3D& point);
// Reports each failure; used inside polygons.
bool ParsePolyline(const rapidjson::Value& value, TolvaPolyline& polyline);
// The quiet form of ParsePolyline, for wall guide segments and dividers.
bool ParseSegment(const rapidjson::Value& value, TolvaPolyline& polyline);
bool ParsePolygon(const rapidjson::Value& value, TolvaPolygon& polygon);
// Skips polygons that fail.
bool ParseMultiPolygon(const rapidjson::Value& value, TolvaMultiPolygon& multiPolygon);
// Skips vertices and faces that fail.
bool ParseMesh(const rapidjson::Value& value, TolvaMesh& mesh);
// Exactly sixteen numbers; the transform is written only on success.
bool ParseTransform(const rapidjson::Value& value, TolvaTransform& transform);

// A list of Int32 indices (a mesh face, a wall guide edge); false, with out unchanged, when an
// element is not an integer in range.
bool ReadIndices(const rapidjson::Value& array, GS::Array<Int32>& out);

} // namespace Tolva::Parsers
