#include "Parsers/WallGuideParsers.hpp"

#include "Parsers/FieldReaders.hpp"
#include "Parsers/GeometryParsers.hpp"
#include "Parsers/JsonText.hpp"
#include "Parsers/ParserLog.hpp"

#include <limits>

namespace Tolva::Parsers {

namespace {

void ParseEdgeGraph(const rapidjson::Value& edgeGraph, WallGuides& wallGuides) {
    const rapidjson::Value* edges = FindField(edgeGraph, "edges");
    if (edges != nullptr && edges->IsArray()) {
        // An unusable edge keeps its place, so that the guides after it stay with their own edges.
        for (rapidjson::SizeType i = 0; i < edges->Size(); ++i) {
            const rapidjson::Value& element = (*edges)[i];
            GS::Array<Int32> edge;
            if (element.IsArray() && !ReadIndices(element, edge)) {
                ParserWarning(
                    GS::UniString::Printf("Wall guide edge %u is unusable: its indices must be integers", i));
            }
            wallGuides.edges.Push(std::move(edge));
        }
    }
    const rapidjson::Value* vertices = FindField(edgeGraph, "vertices");
    if (vertices != nullptr && vertices->IsArray()) {
        // A malformed vertex keeps its place too, as a point nowhere, so that edges name the right ones.
        for (const rapidjson::Value& element : vertices->GetArray()) {
            TolvaPoint3D vertex;
            if (!ParsePoint3D(element, vertex)) {
                const double nowhere = std::numeric_limits<double>::quiet_NaN();
                vertex = {nowhere, nowhere, nowhere};
            }
            wallGuides.vertices.Push(vertex);
        }
    }
}

void ParseGuide(const rapidjson::Value& value, WallGuide& guide) {
    const rapidjson::Value* source = FindField(value, "source");
    if (source != nullptr && source->IsString()) {
        guide.source = ToUniString(*source);
    }
    const rapidjson::Value* geometry = FindField(value, "geometry");
    if (geometry != nullptr && geometry->IsObject() &&
        GetRequiredString(*geometry, "type", guide.geometryType, true)) {
        GetRequiredNumber(*geometry, "width", guide.width, false);
    }
}

} // namespace

bool ParseWallGuides(const rapidjson::Value& value, WallGuides& wallGuides) {
    if (!value.IsObject()) {
        return false;
    }
    const rapidjson::Value* edgeGraph = FindField(value, "edgeGraph");
    if (edgeGraph != nullptr && edgeGraph->IsObject()) {
        ParseEdgeGraph(*edgeGraph, wallGuides);
    }
    const rapidjson::Value* guides = FindField(value, "guides");
    if (guides != nullptr && guides->IsObject()) {
        for (const auto& member : guides->GetObject()) {
            if (!member.value.IsObject()) {
                continue;
            }
            WallGuide guide;
            ParseGuide(member.value, guide);
            // Add keeps the guide already stored under a repeated name.
            wallGuides.guides.Add(ToUniString(member.name), guide);
        }
    }
    return true;
}

bool ParseBoundsWallGuideSegment(const rapidjson::Value& value, BoundsWallGuideSegment& segment) {
    if (!value.IsObject()) {
        return false;
    }
    GetRequiredString(value, "source", segment.source, false);
    const rapidjson::Value* lineSegment = FindField(value, "lineSegment");
    if (lineSegment == nullptr || !ParseSegment(*lineSegment, segment.lineSegment)) {
        return false;
    }
    const rapidjson::Value* geometry = FindField(value, "geometry");
    if (geometry == nullptr || !geometry->IsObject() ||
        !GetRequiredString(*geometry, "type", segment.geometryType, true)) {
        return false;
    }
    GetRequiredNumber(*geometry, "width", segment.width, false);
    return true;
}

} // namespace Tolva::Parsers
