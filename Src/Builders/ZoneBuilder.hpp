#pragma once

#include "ACAPinc.h"
#include "Model/PlanTemplate.hpp"

namespace Tolva::Builders {

// Manual zones (rooms) on top of the host's zone defaults, named, with a category found by name
// and, where asked, a label showing the name. Lengths in millimetres; results are host codes.
class ZoneBuilder {
public:
    // A zone from the container's bounds mapped through the transform, always labelled (the space
    // type's display name, or "Zone" without a space type).
    static GSErrCode CreateZoneFromContainer(const PlanContainer& container, const SpaceType* spaceType,
                                             short floorInd, const TolvaTransform& transform,
                                             API_Guid& zoneGuid);
    // Labelled with the name only when label defaults are given.
    static GSErrCode CreateZoneFromPolygon(const TolvaPolygon& polygon, double labelX, double labelY,
                                           const GS::UniString& zoneName, const GS::UniString& categoryName,
                                           short floorInd, API_Guid& zoneGuid,
                                           const API_Element* labelDefaults = nullptr);
    // A gross-floor-area zone, stamped at the outline's first point, without a label.
    static GSErrCode CreateGFAZone(const TolvaPolygon& polygon, const GS::UniString& zoneName,
                                   const GS::UniString& categoryName, short floorInd, API_Guid& zoneGuid);
    // A text label of the zone at the position (metres), without a pointer. Without label defaults
    // the host's are fetched.
    static GSErrCode CreateZoneLabel(const API_Guid& zoneGuid, const API_Coord& position,
                                     const GS::UniString& text, short floorInd,
                                     const API_Element* labelDefaults = nullptr);
    // The category of that name, also in upper case and with underscores for spaces; 0 for none.
    // Each name is asked of the host once per project.
    static API_AttributeIndex FindZoneCategory(const GS::UniString& categoryName);
    static void InvalidateCategoryCache();
    // Forgets the categories' indices without a word.
    static void ForgetCategoryIndices();
};

} // namespace Tolva::Builders
