#include "Parsers/GeometryParsers.hpp"

#include "Parsers/FieldReaders.hpp"
#include "Parsers/ParserLog.hpp"

namespace Tolva::Parsers {

namespace {

// The index of the first element that is not a number, or the size when all are.
rapidjson::SizeType FirstNonNumber(const rapidjson::Value& array, rapidjson::SizeType count) {
    for (rapidjson::SizeType i = 0; i < count; ++i) {
        if (!array[i].IsNumber()) {
            return i;
        }
    }
    return count;
}

// Shared by the reporting and the quiet polyline parser.
bool ParsePolylineBody(const rapidjson::Value& value, TolvaPolyline& polyline, bool report) {
    if (!value.IsObject()) {
        if (report) {
            ParserWarning("Polyline parsing failed: value is not an object");
        }
        return false;
    }
    if (!GetRequiredString(value, "type", polyline.type, true)) {
        return false;
    }
    const rapidjson::Value* points = FindField(value, "points");
    if (points == nullptr || !points->IsArray()) {
        if (report) {
            ParserWarning(points == nullptr ? "Polyline parsing failed: missing 'points' field"
                                            : "Polyline parsing failed: 'points' field is not an array");
        }
        return false;
    }
    for (rapidjson::SizeType i = 0; i < points->Size(); ++i) {
        TolvaPoint3D point;
        if (!ParsePoint3D((*points)[i], point)) {
            if (report) {
                ParserWarning(GS::UniString::Printf("Polyline parsing failed: invalid point at index %u", i));
            }
            return false;
        }
        polyline.points.Push(point);
    }
    return true;
}

} // namespace

bool ParsePoint3D(const rapidjson::Value& value, TolvaPoint3D& point) {
    if (!value.IsArray()) {
        ParserWarning("Point3D parsing failed: value is not an array");
        return false;
    }
    if (value.Size() < 3) {
        ParserWarning(GS::UniString::Printf(
            "Point3D parsing failed: array has %u elements, expected at least 3", value.Size()));
        return false;
    }
    rapidjson::SizeType bad = FirstNonNumber(value, 3);
    if (bad < 3) {
        ParserWarning(GS::UniString::Printf("Point3D parsing failed: element %u is not a number", bad));
        return false;
    }
    point = {value[0].GetDouble(), value[1].GetDouble(), value[2].GetDouble()};
    return true;
}

bool ParsePolyline(const rapidjson::Value& value, TolvaPolyline& polyline) {
    return ParsePolylineBody(value, polyline, true);
}

bool ParseSegment(const rapidjson::Value& value, TolvaPolyline& polyline) {
    return ParsePolylineBody(value, polyline, false);
}

bool ParsePolygon(const rapidjson::Value& value, TolvaPolygon& polygon) {
    if (!value.IsObject()) {
        ParserWarning("Polygon parsing failed: value is not an object");
        return false;
    }
    if (!GetRequiredString(value, "type", polygon.type, true)) {
        return false;
    }
    const rapidjson::Value* polylines = FindField(value, "polylines");
    if (polylines == nullptr || !polylines->IsArray()) {
        ParserWarning(polylines == nullptr ? "Polygon parsing failed: missing 'polylines' field"
                                           : "Polygon parsing failed: 'polylines' field is not an array");
        return false;
    }
    for (rapidjson::SizeType i = 0; i < polylines->Size(); ++i) {
        TolvaPolyline polyline;
        if (!ParsePolyline((*polylines)[i], polyline)) {
            ParserWarning(GS::UniString::Printf("Polygon parsing failed: invalid polyline at index %u", i));
            return false;
        }
        polygon.polylines.Push(std::move(polyline));
    }
    return true;
}

bool ParseMultiPolygon(const rapidjson::Value& value, TolvaMultiPolygon& multiPolygon) {
    if (!value.IsObject() || !GetRequiredString(value, "type", multiPolygon.type, true)) {
        return false;
    }
    const rapidjson::Value* polygons = FindField(value, "polygons");
    if (polygons != nullptr && polygons->IsArray()) {
        for (const rapidjson::Value& element : polygons->GetArray()) {
            TolvaPolygon polygon;
            if (ParsePolygon(element, polygon)) {
                multiPolygon.polygons.Push(std::move(polygon));
            }
        }
    }
    return true;
}

bool ReadIndices(const rapidjson::Value& array, GS::Array<Int32>& out) {
    GS::Array<Int32> indices;
    for (const rapidjson::Value& element : array.GetArray()) {
        if (!element.IsInt()) {
            return false;
        }
        indices.Push(element.GetInt());
    }
    out = std::move(indices);
    return true;
}

bool ParseMesh(const rapidjson::Value& value, TolvaMesh& mesh) {
    if (!value.IsObject() || !GetRequiredString(value, "type", mesh.type, true)) {
        return false;
    }
    const rapidjson::Value* vertices = FindField(value, "vertices");
    if (vertices != nullptr && vertices->IsArray()) {
        for (const rapidjson::Value& element : vertices->GetArray()) {
            TolvaPoint3D vertex;
            if (ParsePoint3D(element, vertex)) {
                mesh.vertices.Push(vertex);
            }
        }
    }
    const rapidjson::Value* faces = FindField(value, "faces");
    if (faces != nullptr && faces->IsArray()) {
        for (rapidjson::SizeType i = 0; i < faces->Size(); ++i) {
            const rapidjson::Value& element = (*faces)[i];
            if (!element.IsArray()) {
                continue;
            }
            GS::Array<Int32> face;
            if (!ReadIndices(element, face)) {
                ParserWarning(GS::UniString::Printf("Mesh face %u skipped: its indices must be integers", i));
                continue;
            }
            mesh.faces.Push(std::move(face));
        }
    }
    return true;
}

bool ParseTransform(const rapidjson::Value& value, TolvaTransform& transform) {
    if (!value.IsArray() || value.Size() != 16) {
        return false;
    }
    rapidjson::SizeType bad = FirstNonNumber(value, 16);
    if (bad < 16) {
        ParserWarning(GS::UniString::Printf("Transform parsing failed: element %u is not a number", bad));
        return false;
    }
    for (rapidjson::SizeType i = 0; i < 16; ++i) {
        transform.m[i] = value[i].GetDouble();
    }
    return true;
}

} // namespace Tolva::Parsers
