#pragma once

#include "ReportLines.hpp"
#include "StandIn/HandleLedger.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/Stories.hpp"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

// A host with grid elements, lines and polylines planted; no test leaves a memory handle behind.
class GuideElements : public ReportLines {
protected:
    void SetUp() override {
        ReportLines::SetUp();
        liveHandles = StandIn::HandleLedger::LiveCount();
    }
    void TearDown() override {
        EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveHandles);
        ReportLines::TearDown();
    }

    static void ClearReport() { StandIn::Host().report.clear(); }
    static API_AddParType Parameter(const char* name, double value) {
        API_AddParType parameter = {};
        parameter.typeID = APIParT_Length;
        std::strncpy(parameter.name, name, API_NameLen - 1);
        parameter.value.real = value;
        return parameter;
    }
    // A grid element with its coordinates (from 0) and parameters; no parameter list when absent.
    static API_Guid Grid(const std::vector<API_Coord>& coords,
                         std::optional<std::vector<API_AddParType>> params = std::vector<API_AddParType>{},
                         API_Coord pos = {0, 0}, double angle = 0, double level = 0) {
        API_Element grid = {};
        grid.header.type = API_ElemType(API_ObjectID, APIVarId_GridElement);
        grid.object.libInd = 1;
        grid.object.pos = pos;
        grid.object.angle = angle;
        grid.object.level = level;
        StandIn::StoredMemo memo;
        memo.coords = coords;
        memo.params = params;
        EXPECT_EQ(StandIn::PlantElement(&grid, &memo), NoError);
        return grid.header.guid;
    }
    static API_Guid Line(API_Coord from, API_Coord to, short story = 0) {
        API_Element line = {};
        line.header.type = API_LineID;
        line.header.floorInd = story;
        line.line.begC = from;
        line.line.endC = to;
        EXPECT_EQ(StandIn::PlantElement(&line, nullptr), NoError);
        return line.header.guid;
    }
    // An open polyline through the points (the host's list starts at 1).
    static API_Guid PolylineElement(const std::vector<API_Coord>& points, short story = 0) {
        API_Element polyline = {};
        polyline.header.type = API_PolyLineID;
        polyline.header.floorInd = story;
        const auto count = static_cast<Int32>(points.size());
        polyline.polyLine.poly = {count, 1, 0};
        StandIn::StoredMemo memo;
        memo.coords = {{0, 0}};
        memo.coords.insert(memo.coords.end(), points.begin(), points.end());
        memo.pends = {0, count};
        EXPECT_EQ(StandIn::PlantElement(&polyline, &memo), NoError);
        return polyline.header.guid;
    }
    static API_Guid Wall() {
        API_Element wall = {};
        wall.header.type = API_WallID;
        EXPECT_EQ(ACAPI_Element_GetDefaults(&wall, nullptr), NoError);
        EXPECT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
        return wall.header.guid;
    }
    // Stories 0, 1 and 2 at groundLevel, 3 m and 6.5 m above it.
    static void ThreeStories(double groundLevel = 0) {
        StandIn::Settings().lowestLevel = groundLevel;
        StandIn::Settings().stories = {{"Ground", 3.0}, {"First", 3.5}, {"Second", 3.0}};
    }

    Int32 liveHandles = 0;
};
