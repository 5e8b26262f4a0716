#include "JSCommands/GuideGeometry.hpp"

#include "ACAPinc.h"
#include "JSCommands/SelectedElement.hpp"
#include "Logging/Logger.hpp"

namespace JSCommands::GuideGeometry {

namespace {

constexpr double MillimetresPerMetre = 1000.0;

GS::Ref<JS::Base> PointValue(const API_Coord3D& point) {
    auto coordinates = GS::NewRef<JS::Array>();
    for (double value : {point.x, point.y, point.z}) {
        coordinates->AddItem(GS::NewRef<JS::Value>(value * MillimetresPerMetre));
    }
    return coordinates;
}

} // namespace

GS::Array<API_Guid> SelectedElements(const char* category, bool (*keep)(const API_Element& element)) {
    GS::Array<API_Guid> kept;
    API_SelectionInfo info = {};
    GS::Array<API_Neig> selection;
    if (ACAPI_Selection_Get(&info, &selection, false) != NoError) {
        Logger::Error(category, "Failed to get selection");
        return kept;
    }
    for (const API_Neig& neig : selection) {
        API_Element element = {};
        element.header.guid = neig.guid;
        if (ReadSelectedElement(element, category) && keep(element)) {
            kept.Push(neig.guid);
        }
    }
    return kept;
}

API_Coord ReadPositionShift() {
    API_GeoLocation geoLocation = {};
    if (ACAPI_GeoLocation_GetGeoLocation(&geoLocation) != NoError) {
        return {0.0, 0.0};
    }
    return {geoLocation.surveyPointPosition.x, geoLocation.surveyPointPosition.y};
}

API_Coord3D Shifted(const API_Coord& point, const API_Coord& shift, double z) {
    return {point.x - shift.x, point.y - shift.y, z};
}

GS::Ref<JS::Base> MakePolylineGroup(const char* name, const GS::Array<Polyline>& polylines) {
    auto items = GS::NewRef<JS::Array>();
    for (const Polyline& polyline : polylines) {
        if (polyline.GetSize() < 2) {
            continue;
        }
        auto points = GS::NewRef<JS::Array>();
        for (const API_Coord3D& point : polyline) {
            points->AddItem(PointValue(point));
        }
        auto item = GS::NewRef<JS::Object>();
        item->AddItem("type", GS::NewRef<JS::Value>("polyline"));
        item->AddItem("points", points);
        items->AddItem(item);
    }
    auto group = GS::NewRef<JS::Object>();
    group->AddItem("name", GS::NewRef<JS::Value>(name));
    group->AddItem("color", GS::NewRef<JS::Value>("#000000"));
    group->AddItem("type", GS::NewRef<JS::Value>("group"));
    group->AddItem("items", items);
    return group;
}

} // namespace JSCommands::GuideGeometry
