#include "StandIn/Zones.hpp"

#include "ACAPinc.h"
#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/ZoneGeometry.hpp"

namespace StandIn {

namespace {

constexpr size_t WallsUnitedWhole = 256;

} // namespace

GSErrCode DetectZonePolygon(API_Element* zone, StoredMemo* memo) {
    std::vector<ZoneGeometry::WallFootprint> walls;
    for (const StoredElement& stored : TheModel().elements) {
        const API_Element& e = stored.element;
        if (e.header.type.typeID == API_WallID && e.header.floorInd == zone->header.floorInd) {
            walls.push_back({e.wall.begC, e.wall.endC, e.wall.thickness, e.wall.referenceLineLocation});
        }
    }
    auto method =
        zone->zone.refLineFlag ? ZoneGeometry::Method::ReferenceLine : ZoneGeometry::Method::InnerEdge;
    // A small story is united whole, as cheap as any window around the point.
    std::vector<ZoneGeometry::Contour> contours =
        walls.size() < WallsUnitedWhole
            ? ZoneGeometry::DetectBoundaryFromAllWalls(walls, zone->zone.refPos, method)
            : ZoneGeometry::DetectBoundary(walls, zone->zone.refPos, method);
    if (contours.empty()) {
        return APIERR_BADPOLY;
    }
    StoredMemo detected;
    detected.coords.push_back({0, 0});
    detected.pends.push_back(0);
    for (const ZoneGeometry::Contour& contour : contours) {
        detected.coords.insert(detected.coords.end(), contour.begin(), contour.end());
        detected.pends.push_back(static_cast<Int32>(detected.coords.size() - 1));
    }
    zone->zone.poly = {static_cast<Int32>(detected.coords.size() - 1), static_cast<Int32>(contours.size()),
                       0};
    *memo = detected;
    return NoError;
}

std::vector<std::vector<API_Coord>> MemoContours(const StoredMemo& memo) {
    std::vector<std::vector<API_Coord>> contours;
    for (size_t k = 1; k < memo.pends.size(); ++k) {
        contours.emplace_back(memo.coords.begin() + memo.pends[k - 1] + 1,
                              memo.coords.begin() + memo.pends[k] + 1);
    }
    return contours;
}

bool PolygonContains(const StoredMemo& memo, API_Coord point) {
    bool inside = false;
    for (const std::vector<API_Coord>& contour : MemoContours(memo)) {
        for (size_t i = 0; i + 1 < contour.size(); ++i) {
            const API_Coord& a = contour[i];
            const API_Coord& b = contour[i + 1];
            if ((a.y > point.y) != (b.y > point.y) &&
                point.x < a.x + (point.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
                inside = !inside;
            }
        }
    }
    return inside;
}

namespace {

bool OnVisibleLayer(const API_Elem_Head& header) {
    const StoredAttribute* layer = FindAttribute(API_LayerID, header.layer);
    return layer != nullptr && (layer->attribute.header.flags & APILay_Hidden) == 0;
}

API_Guid ZoneAt(const API_ElemSearchPars& pars) {
    for (const StoredElement& stored : TheModel().elements) {
        const API_Elem_Head& header = stored.element.header;
        bool candidate =
            header.type.typeID == API_ZoneID && stored.memo &&
            ((pars.filterBits & APIFilt_OnActFloor) == 0 || header.floorInd == TheModel().activeStory) &&
            ((pars.filterBits & APIFilt_OnVisLayer) == 0 || OnVisibleLayer(header));
        if (candidate && PolygonContains(*stored.memo, pars.loc)) {
            return header.guid;
        }
    }
    return APINULLGuid;
}

} // namespace

} // namespace StandIn

using namespace StandIn;

GSErrCode ACAPI_Element_SearchElementByCoord(const API_ElemSearchPars* pars, API_Guid* guid) {
    *guid = APINULLGuid;
    if (auto code = Faults::Take("ACAPI_Element_SearchElementByCoord")) {
        return *code;
    }
    if (pars->type.typeID != API_ZoneID) {
        return APIERR_BADPARS;
    }
    *guid = ZoneAt(*pars);
    // A zone found, yet an error reported with it, as tests of the caller's handling need.
    if (auto code = Faults::Take("ACAPI_Element_SearchElementByCoord:FoundWithError")) {
        return *code;
    }
    return *guid == APINULLGuid ? GSErrCode(APIERR_BADPARS) : NoError;
}
