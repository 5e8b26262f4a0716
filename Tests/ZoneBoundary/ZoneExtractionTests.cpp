#include "ZoneBoundaryTestSupport.hpp"

#include "JSCommands/UserInputCommands.hpp"
#include "Main/ProjectEvents.hpp"
#include "StandIn/Faults.hpp"
#include "ZoneBoundary/ReferencePointCache.hpp"
#include "ZoneBoundary/TemporaryZoneCreator.hpp"
#include "ZoneBoundary/WallBoundaryMatcher.hpp"
#include "ZoneBoundary/ZoneBoundaryUtils.hpp"

#include <rapidjson/document.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace {

class ZoneExtraction : public RoomModel {
protected:
    void SetUp() override {
        RoomModel::SetUp();
        ReferencePointCache::Instance().Invalidate();
    }
    static std::string Answer(const GS::Ref<JS::Base>& value) {
        auto text = GS::DynamicCast<JS::Value>(value);
        return text == nullptr ? "(not a string)" : text->GetString().ToCStr().Get();
    }
};

TEST_F(ZoneExtraction, TheReferencePointIsSavedOverwrittenAndInvalidated) {
    ReferencePointCache& cache = ReferencePointCache::Instance();
    cache.Save(1500, -250.5);
    cache.Save(2000, 3000);
    EXPECT_TRUE(Reported("[INFO] PlanImportCommands: Saving initial reference point: (1500.00, -250.50) mm"));
    EXPECT_TRUE(
        Reported("[INFO] PlanImportCommands: Overwriting cached reference point: OLD=(1500.00, -250.50) mm, "
                 "NEW=(2000.00, 3000.00) mm"));
    EXPECT_EQ(cache.TryGet().x, 2000);
    EXPECT_TRUE(cache.TryGet().valid);

    EXPECT_EQ(ProjectEventHandler(APINotify_NewAndReset, 0), NoError);
    EXPECT_TRUE(cache.TryGet().valid) << "other events keep it";
    EXPECT_EQ(ProjectEventHandler(APINotify_Open, 0), NoError);
    EXPECT_FALSE(cache.TryGet().valid);
    EXPECT_EQ(cache.TryGet().y, 0);
}

TEST_F(ZoneExtraction, CancelledOrBrokenPointInputAnswersAnErrorAndKeepsTheCache) {
    ReferencePointCache::Instance().Save(10, 20);
    StandIn::QueuePointAnswer({APIERR_CANCEL, {}});
    EXPECT_EQ(Answer(JSCommands::UserInputCommands::GetZoneAtPoint(nullptr)),
              "{\"success\":false,\"error\":\"User cancelled point selection\"}");
    EXPECT_EQ(StandIn::PointPrompts().back(), GS::UniString("Click inside a room to find enclosing walls"));

    StandIn::QueuePointAnswer({APIERR_GENERAL, {}});
    EXPECT_EQ(Answer(JSCommands::UserInputCommands::GetZoneAtPoint(nullptr)),
              "{\"success\":false,\"error\":\"Failed to get point input (error: -2130313215)\"}");

    StandIn::QueuePointAnswer({NoError, {std::numeric_limits<double>::quiet_NaN(), 1, 0}});
    EXPECT_EQ(Answer(JSCommands::UserInputCommands::GetZoneAtPoint(nullptr)),
              "{\"success\":false,\"error\":\"Invalid point coordinates\"}");
    EXPECT_TRUE(Reported("[ERROR] UserInputCommands: Invalid point coordinates (NaN or infinity)"));
    EXPECT_TRUE(Guids().empty()) << "nothing was created";
    EXPECT_EQ(ReferencePointCache::Instance().TryGet().x, 10);
}

} // namespace

namespace {

// A 5 m by 4 m room of 300 mm walls on their centre lines; the south wall is exterior.
class ClickedRoom : public ZoneExtraction {
protected:
    void SetUp() override {
        ZoneExtraction::SetUp();
        south = AddWall(0, 0, 5, 0, true);
        AddWall(5, 0, 5, 4);
        AddWall(5, 4, 0, 4);
        AddWall(0, 4, 0, 0);
        StandIn::Host().report.clear();
    }
    API_Guid south = {};
};

TEST_F(ClickedRoom, TheRoomsInnerEdgesComeBackWithTheReferencePointInOneEmptyUndoStep) {
    const ZoneBoundaryUtils::ZoneExtractionResult result =
        ZoneBoundaryUtils::ExtractZoneDataAtPoint({2.5, 1.25});
    ASSERT_TRUE(result.success) << result.errorMessage.ToCStr().Get();
    const std::string json = result.zoneDataJson.ToCStr().Get();
    EXPECT_EQ(json.rfind(
                  "{\"bounds\":{\"type\":\"polygon\",\"polylines\":[{\"type\":\"polyline\",\"points\":[[", 0),
              0u)
        << json;
    EXPECT_NE(json.find("[[150,150,0],[4850,150,0],[4850,3850,0],[150,3850,0],[150,150,0]]"),
              std::string::npos)
        << json;
    EXPECT_NE(
        json.find("{\"type\":\"outer\",\"lineSegment\":{\"type\":\"line_segment\",\"points\":[[150,150,0],"
                  "[4850,150,0]]}},{\"type\":\"simple\""),
        std::string::npos)
        << json;
    const std::string reference = "}}],\"reference\":{\"x\":2500.0,\"y\":1250.0}}";
    EXPECT_EQ(json.substr(json.size() - reference.size()), reference) << "appended, as doubles";
    EXPECT_TRUE(result.errorMessage.IsEmpty());
    EXPECT_EQ(result.referenceX, 2500);

    EXPECT_EQ(Guids().size(), 4u) << "the temporary zone is gone";
    const StandIn::UndoStep& step = StandIn::TheModel().steps.back();
    EXPECT_EQ(step.name, GS::UniString("Extract Zone Boundary"));
    EXPECT_TRUE(step.elements.empty()) << "the step made and deleted its zone";
    EXPECT_EQ(ReferencePointCache::Instance().TryGet().y, 1250);
    EXPECT_TRUE(Reported("[INFO] TemporaryZoneCreator: Attempting zone creation with Inner Edge method"));
    EXPECT_TRUE(
        Reported("[INFO] ZoneBoundaryUtils: Successfully extracted zone boundary data with reference point"));
}

TEST_F(ClickedRoom, AClickOutsideFailsWithTheFallbacksCodeAndChangesNothing) {
    ReferencePointCache::Instance().Save(1, 2);
    StandIn::QueuePointAnswer({NoError, {9, 9, 0}});
    const std::string answer = Answer(JSCommands::UserInputCommands::GetZoneAtPoint(nullptr));
    EXPECT_EQ(answer,
              "{\"success\":false,\"error\":\"Failed to extract zone boundary (error: -2130313111)\"}");
    EXPECT_TRUE(
        Reported("[INFO] TemporaryZoneCreator: Inner Edge method failed with polygon error -2130313111, "
                 "trying Reference Line fallback"));
    EXPECT_TRUE(
        Reported("[ERROR] TemporaryZoneCreator: Failed to create zone at this location (error: "
                 "-2130313111). Both Inner Edge and Reference Line methods failed. The point may not be "
                 "inside a fully enclosed space with walls. Please ensure:\n1. The clicked point is inside "
                 "a closed room/space\n2. The space is bounded by walls on all sides\n3. You are on the "
                 "correct floor/story\n4. The walls form a valid closed polygon"));
    EXPECT_EQ(Guids().size(), 4u);
    EXPECT_EQ(ReferencePointCache::Instance().TryGet().x, 1);
}

TEST_F(ClickedRoom, TheCommandAnswersTheJsonItselfAndASecondClickOverwritesThePoint) {
    StandIn::QueuePointAnswer({NoError, {1, 1, 0}});
    StandIn::QueuePointAnswer({NoError, {4, 3, 0}});
    const std::string first = Answer(JSCommands::UserInputCommands::GetZoneAtPoint(nullptr));
    const std::string second = Answer(JSCommands::UserInputCommands::GetZoneAtPoint(nullptr));
    EXPECT_EQ(first.rfind("{\"bounds\":", 0), 0u) << first;
    EXPECT_NE(second.find("\"reference\":{\"x\":4000.0,\"y\":3000.0}"), std::string::npos) << second;
    EXPECT_TRUE(
        Reported("[INFO] PlanImportCommands: Overwriting cached reference point: OLD=(1000.00, 1000.00) mm, "
                 "NEW=(4000.00, 3000.00) mm"));
    EXPECT_TRUE(
        Reported("[INFO] UserInputCommands: GetZoneAtPoint: Successfully returned zone boundary data with "
                 "clicked point"));
}

TEST_F(ClickedRoom, TheBoundaryWallsOfADetectedRoomAreItsFourWalls) {
    API_Guid zone = {};
    ASSERT_EQ(InStep([&] {
                  return TemporaryZoneCreator::CreateTemporaryZoneAtPoint({2, 2}, zone);
              }),
              NoError);
    GS::Array<API_Guid> walls;
    EXPECT_EQ(WallBoundaryMatcher::FindBoundaryWalls(zone, walls), NoError);
    EXPECT_EQ(walls.GetSize(), 4u);
    EXPECT_EQ(InStep([&] { return TemporaryZoneCreator::DeleteTemporaryZone(zone); }), NoError);
    EXPECT_EQ(InStep([&] { return TemporaryZoneCreator::DeleteTemporaryZone(zone); }), APIERR_BADID);
    EXPECT_TRUE(
        Reported("[ERROR] TemporaryZoneCreator: ACAPI_Element_Delete failed with error code -2130313115"));
}

} // namespace

namespace {

// A 6 m by 5 m room (exterior walls south and east) with a round column of 24 sides in its middle,
// drawn as a ring of thin walls: the detected zone has the column as a hole of far more coordinates
// than the room's four corners.
class RoomWithAColumn : public ZoneExtraction {
protected:
    void SetUp() override {
        ZoneExtraction::SetUp();
        AddWall(0, 0, 6, 0, true);
        AddWall(6, 0, 6, 5, true);
        AddWall(6, 5, 0, 5);
        AddWall(0, 5, 0, 0);
        constexpr int Sides = 24;
        constexpr double Radius = 0.3;
        for (int k = 0; k < Sides; ++k) {
            const double from = 2 * std::numbers::pi * k / Sides;
            const double to = 2 * std::numbers::pi * (k + 1) / Sides;
            API_Element side = Wall(3 + Radius * std::cos(from), 2.5 + Radius * std::sin(from),
                                    3 + Radius * std::cos(to), 2.5 + Radius * std::sin(to));
            side.wall.thickness = 0.05;
            ASSERT_EQ(StandIn::PlantElement(&side, nullptr), NoError);
        }
    }
};

TEST_F(RoomWithAColumn, SendsTheRoomsOutlineNotTheColumn) {
    const ZoneBoundaryUtils::ZoneExtractionResult result = ZoneBoundaryUtils::ExtractZoneDataAtPoint({1, 1});
    ASSERT_TRUE(result.success) << result.errorMessage.ToCStr().Get();
    const std::string json = result.zoneDataJson.ToCStr().Get();
    EXPECT_EQ(
        json.rfind("{\"bounds\":{\"type\":\"polygon\",\"polylines\":[{\"type\":\"polyline\",\"points\":["
                   "[150,150,0],[5850,150,0],[5850,4850,0],[150,4850,0],[150,150,0]]}]},"
                   "\"adjacentSegments\":[{\"type\":\"outer\",",
                   0),
        0u)
        << json;
    EXPECT_NE(
        json.find("{\"type\":\"outer\",\"lineSegment\":{\"type\":\"line_segment\",\"points\":[[5850,150,0],"
                  "[5850,4850,0]]}},{\"type\":\"simple\",\"lineSegment\":{\"type\":\"line_segment\","
                  "\"points\":[[5850,4850,0],[150,4850,0]]}},{\"type\":\"simple\""),
        std::string::npos)
        << json;
}

} // namespace

namespace {

// The example house: its basement lies under the kitchen only and its first floor over the kitchen
// only, each closed by an exterior wall on the line of the ground floor's interior wall (x = 5 m).
class TwoStoryHouse : public ZoneExtraction {
protected:
    void SetUp() override {
        ZoneExtraction::SetUp();
        StandIn::LoadProject(ExampleProject("two-story-house.json"));
    }

    // The edge types the page receives for the room at the point on the story.
    static std::vector<std::string> EdgeTypes(double x, double y, short story) {
        StandIn::TheModel().activeStory = story;
        const ZoneBoundaryUtils::ZoneExtractionResult result =
            ZoneBoundaryUtils::ExtractZoneDataAtPoint({x, y});
        EXPECT_TRUE(result.success) << result.errorMessage.ToCStr().Get();
        rapidjson::Document json;
        json.Parse(result.zoneDataJson.ToCStr().Get());
        std::vector<std::string> types;
        for (const auto& segment : json["adjacentSegments"].GetArray()) {
            types.push_back(segment["type"].GetString());
        }
        return types;
    }
};

TEST_F(TwoStoryHouse, OnlyTheWallsOfTheRoomsOwnStoryMakeItsEdgesOuter) {
    using Types = std::vector<std::string>;
    // Edges from the lowest, leftmost corner anticlockwise: south, east, north, west.
    EXPECT_EQ(EdgeTypes(8.4, 4.5, 0), (Types{"outer", "outer", "outer", "simple"})) << "the living room";
    EXPECT_EQ(EdgeTypes(2.5, 4.5, 0), (Types{"outer", "simple", "outer", "outer"})) << "the kitchen";
    EXPECT_EQ(EdgeTypes(2.5, 4.5, 1), (Types{"outer", "outer", "outer", "outer"})) << "the bedroom above";
    EXPECT_EQ(EdgeTypes(2.5, 4.5, -1), (Types{"outer", "outer", "outer", "outer"})) << "the storage below";
}

TEST_F(TwoStoryHouse, TheBoundaryWallsAreTheRoomsStorysWallsEachReadOnce) {
    API_Guid kitchen = {};
    for (const auto& stored : StandIn::TheModel().elements) {
        if (stored.element.header.type.typeID == API_ZoneID &&
            GS::UniString(stored.element.zone.roomName) == "Kitchen") {
            kitchen = stored.element.header.guid;
        }
    }
    ASSERT_NE(kitchen, APINULLGuid);
    const Int32 readsBefore = StandIn::Faults::CallCount("ACAPI_Element_Get:Wall");
    GS::Array<API_Guid> walls;
    ASSERT_EQ(WallBoundaryMatcher::FindBoundaryWalls(kitchen, walls), NoError);
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_Element_Get:Wall") - readsBefore, 13)
        << "the house has 13 walls";
    ASSERT_EQ(walls.GetSize(), 4u);
    for (const API_Guid& wall : walls) {
        API_Element element = {};
        element.header.guid = wall;
        ASSERT_EQ(ACAPI_Element_Get(&element), NoError);
        EXPECT_EQ(element.header.floorInd, 0);
    }
}

} // namespace
