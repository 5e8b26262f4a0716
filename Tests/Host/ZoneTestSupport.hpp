#pragma once

#include "ModelTestSupport.hpp"
#include "StandIn/TypedHandles.hpp"

#include <cmath>
#include <string>
#include <vector>

// Automatic zones made the way the add-on makes them, and their contours as the memo has them.
class AutomaticZones : public FreshModel {
protected:
    using Contours = std::vector<std::vector<API_Coord>>;

    static API_Guid PlantWall(double x1, double y1, double x2, double y2, double thickness = 0.3,
                              short story = 0) {
        API_Element wall = Wall(x1, y1, x2, y2);
        wall.wall.thickness = thickness;
        wall.header.floorInd = story;
        EXPECT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
        return wall.header.guid;
    }

    // Walls along the closed outline of points.
    static void PlantLoop(const std::vector<API_Coord>& outline, double thickness = 0.3) {
        for (size_t i = 0; i < outline.size(); ++i) {
            const API_Coord& a = outline[i];
            const API_Coord& b = outline[(i + 1) % outline.size()];
            PlantWall(a.x, a.y, b.x, b.y, thickness);
        }
    }

    static GSErrCode CreateZone(API_Coord at, bool referenceLine, API_Guid* guid = nullptr) {
        API_Element zone = {};
        zone.header.type = API_ZoneID;
        API_ElementMemo memo = {};
        EXPECT_EQ(ACAPI_Element_GetDefaults(&zone, &memo), NoError);
        zone.zone.manual = false;
        zone.zone.refLineFlag = referenceLine;
        zone.zone.pos = zone.zone.refPos = at;
        GSErrCode code = InStep([&] { return ACAPI_Element_Create(&zone, &memo); });
        ACAPI_DisposeElemMemoHdls(&memo);
        if (guid != nullptr) {
            *guid = zone.header.guid;
        }
        return code;
    }

    static Contours ContoursOf(const API_Guid& guid) {
        API_ElementMemo memo = {};
        EXPECT_EQ(ACAPI_Element_GetMemo(guid, &memo, APIMemoMask_Polygon), NoError);
        Contours contours;
        Int32 subs = static_cast<Int32>(BMGetHandleSize(memo.pends)) / static_cast<Int32>(sizeof(Int32));
        for (Int32 k = 1; k < subs; ++k) {
            std::vector<API_Coord> contour;
            for (Int32 i = (*memo.pends)[k - 1] + 1; i <= (*memo.pends)[k]; ++i) {
                contour.push_back((*memo.coords)[i]);
            }
            contours.push_back(contour);
        }
        ACAPI_DisposeElemMemoHdls(&memo);
        return contours;
    }

    static Contours Detected(API_Coord at, bool referenceLine) {
        API_Guid guid = {};
        EXPECT_EQ(CreateZone(at, referenceLine, &guid), NoError);
        return guid == APINULLGuid ? Contours() : ContoursOf(guid);
    }

    // The contour as expected: the points given, then the first again; compared within the drift of
    // the set operations.
    static void ExpectContour(const std::vector<API_Coord>& actual, std::vector<API_Coord> expected,
                              double tolerance = 1e-6) {
        expected.push_back(expected.front());
        std::string shown;
        for (const API_Coord& c : actual) {
            shown += '(';
            shown += std::to_string(c.x) + ", " + std::to_string(c.y) + ") ";
        }
        ASSERT_EQ(actual.size(), expected.size()) << shown;
        for (size_t i = 0; i < actual.size(); ++i) {
            EXPECT_NEAR(actual[i].x, expected[i].x, tolerance) << "point " << i;
            EXPECT_NEAR(actual[i].y, expected[i].y, tolerance) << "point " << i;
        }
    }
};
