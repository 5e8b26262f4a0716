#pragma once

#include "Host/ModelTestSupport.hpp"

#include "ACAPinc.h"
#include "StandIn/Properties.hpp"

#include <string>
#include <vector>

// A host model with rooms drawn from walls and zones, for reading boundaries back.
class RoomModel : public FreshModel {
protected:
    API_Guid AddWall(double x1, double y1, double x2, double y2, bool exterior = false, short story = 0) {
        API_Element wall = Wall(x1, y1, x2, y2);
        wall.header.floorInd = story;
        EXPECT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
        if (exterior) {
            SetPosition(wall.header.guid, "Exterior");
        }
        return wall.header.guid;
    }

    // A manual zone whose contours are given in metres, each without its closing point.
    API_Guid AddZone(const std::vector<std::vector<API_Coord>>& contours, short story = 0) {
        API_Element zone = {};
        zone.header.type = API_ZoneID;
        EXPECT_EQ(ACAPI_Element_GetDefaults(&zone, nullptr), NoError);
        zone.header.floorInd = story;
        StandIn::StoredMemo memo;
        memo.coords.push_back({0, 0});
        memo.pends.push_back(0);
        for (const std::vector<API_Coord>& contour : contours) {
            memo.coords.insert(memo.coords.end(), contour.begin(), contour.end());
            memo.coords.push_back(contour.front());
            memo.pends.push_back(static_cast<Int32>(memo.coords.size()) - 1);
        }
        zone.zone.poly.nCoords = static_cast<Int32>(memo.coords.size()) - 1;
        zone.zone.poly.nSubPolys = static_cast<Int32>(contours.size());
        EXPECT_EQ(StandIn::PlantElement(&zone, &memo), NoError);
        return zone.header.guid;
    }

    void SetPosition(const API_Guid& wall, const char* nonLocalized) {
        GS::Array<API_PropertyDefinition> definitions;
        ASSERT_EQ(
            ACAPI_Element_GetPropertyDefinitions(wall, API_PropertyDefinitionFilter_BuiltIn, definitions),
            NoError);
        ASSERT_EQ(definitions.GetSize(), 1u);
        API_Property property = {};
        ASSERT_EQ(ACAPI_Element_GetPropertyValue(wall, definitions[0].guid, property), NoError);
        property.value.singleVariant.variant.type = API_PropertyGuidValueType;
        property.value.singleVariant.variant.guidValue = StandIn::PositionValueKey(nonLocalized);
        property.value.variantStatus = API_VariantStatusNormal;
        property.isDefault = false;
        ASSERT_EQ(InStep([&] { return ACAPI_Element_SetProperty(wall, property); }), NoError);
    }

    static std::vector<std::string> ReportLines() {
        std::vector<std::string> lines;
        for (const StandIn::ReportLine& line : StandIn::Host().report) {
            lines.push_back(line.text.ToCStr().Get());
        }
        return lines;
    }

    static bool Reported(const std::string& line) {
        for (const std::string& reported : ReportLines()) {
            if (reported == line) {
                return true;
            }
        }
        return false;
    }
};
