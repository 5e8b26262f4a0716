#include "LibraryTestSupport.hpp"

#include "ACAPI/Library/LibraryManager.hpp"
#include "Builders/DoorBuilder.hpp"
#include "Main/ProjectEvents.hpp"

namespace {

using Tolva::Transition;
using Tolva::Builders::DoorBuilder;

constexpr double Pi = 3.14159265358979323846;

class Doors : public LibraryTest {
protected:
    static Transition Door(const char* id, double x, double y, double dx = 0, double dy = 0) {
        Transition t;
        t.id = id;
        t.type = "door";
        t.location = {x, y, 0};
        t.direction = {dx, dy, 0};
        t.definitionId = "door";
        t.storyId = "story-1";
        t.unitId = "unit-7";
        return t;
    }

    static GSErrCode Place(const Transition& t, const std::vector<API_Guid>& walls, API_Guid& door) {
        GS::Array<API_Guid> candidates;
        for (const API_Guid& wall : walls) {
            candidates.Push(wall);
        }
        return InStep([&] { return DoorBuilder::CreateDoor(t, candidates, door); });
    }

    static const API_DoorType& DoorOf(const API_Guid& guid) { return Stored(guid).element.door; }
};

TEST_F(Doors, PlacesAt049MetresAndSkipsAt051NamingStoryAndUnit) {
    const API_Guid wall = PlantWall(0, 0, 4, 0);
    API_Guid placed = {};
    ASSERT_EQ(Place(Door("near", 1000, 490), {wall}, placed), NoError);
    EXPECT_EQ(DoorOf(placed).owner, wall);
    EXPECT_NEAR(DoorOf(placed).objLoc, 1.0, 1e-12);

    API_Guid skipped = {};
    EXPECT_EQ(Place(Door("far", 1000, 510), {wall}, skipped), APIERR_BADPARS);
    EXPECT_EQ(skipped, APINULLGuid);
    EXPECT_EQ(Lines().back(),
              "[WARNING] DoorBuilder: Door 'far' SKIPPED: Distance to nearest wall is 0.510m (max "
              "allowed: 0.5m) [Story: story-1, Unit: unit-7]");
}

TEST_F(Doors, SnapsBeyondAWallsEndsToTheEndPoints) {
    const API_Guid wall = PlantWall(0, 0, 4, 0);
    API_Guid after = {}, before = {};
    ASSERT_EQ(Place(Door("after", 4300, 0), {wall}, after), NoError);
    EXPECT_DOUBLE_EQ(DoorOf(after).objLoc, 4.0);
    ASSERT_EQ(Place(Door("before", -300, 200), {wall}, before), NoError);
    EXPECT_DOUBLE_EQ(DoorOf(before).objLoc, 0.0);
    API_Guid far = {};
    // 0.4 m beyond the end and 0.4 m aside: 0.566 m from the end point.
    EXPECT_EQ(Place(Door("corner", 4400, 400), {wall}, far), APIERR_BADPARS);
}

TEST_F(Doors, TakesTheEarlierOfTwoWallsAtTheSameDistance) {
    const API_Guid below = PlantWall(0, 0, 4, 0);
    const API_Guid above = PlantWall(0, 0.6, 4, 0.6);
    API_Guid door = {};
    ASSERT_EQ(Place(Door("middle", 2000, 300), {above, below}, door), NoError);
    EXPECT_EQ(DoorOf(door).owner, above);
    ASSERT_EQ(Place(Door("middle", 2000, 300), {below, above}, door), NoError);
    EXPECT_EQ(DoorOf(door).owner, below);
}

TEST_F(Doors, FailsWithoutWallsOrWithoutAReadableWall) {
    API_Guid door = {};
    EXPECT_EQ(Place(Door("alone", 0, 0), {}, door), APIERR_BADPARS);
    EXPECT_EQ(Lines().back(), "[ERROR] DoorBuilder: Door 'alone' FAILED: No walls available");
    const API_Guid wall = PlantWall(0, 0, 4, 0);
    StandIn::Faults::Arm("ACAPI_Element_Get", APIERR_BADID);
    EXPECT_EQ(Place(Door("unread", 0, 0), {wall}, door), APIERR_BADPARS);
    EXPECT_EQ(Lines().back(),
              "[ERROR] DoorBuilder: Door 'unread' FAILED: Could not find suitable wall for placement");
}

TEST_F(Doors, FallsBackToFixedWidthsWithScaleOnlyForUnsizedKinds) {
    const API_Guid wall = PlantWall(0, 0, 4, 0);
    auto widthWithoutDefaults = [&](const char* kind, double scale) {
        Transition t = Door(kind, 2000, 0);
        t.definitionId = kind;
        t.scale = scale;
        StandIn::Faults::Arm("ACAPI_Element_GetDefaults:Door", APIERR_GENERAL);
        API_Guid door = {};
        EXPECT_EQ(Place(t, {wall}, door), NoError) << kind;
        EXPECT_DOUBLE_EQ(DoorOf(door).openingBase.height, 2.1);
        return DoorOf(door).openingBase.width;
    };
    EXPECT_DOUBLE_EQ(widthWithoutDefaults("door800", 1.5), 0.8);
    EXPECT_DOUBLE_EQ(widthWithoutDefaults("swing", 1.5), 1.05);
    EXPECT_DOUBLE_EQ(widthWithoutDefaults("bifold", 0), 1.4);
    EXPECT_DOUBLE_EQ(widthWithoutDefaults("door600", 1), 0.6);
    EXPECT_DOUBLE_EQ(widthWithoutDefaults("revolving", 1), 1.4);
    EXPECT_DOUBLE_EQ(widthWithoutDefaults("somethingElse", 2), 1.8);
    EXPECT_EQ(Lines()[Lines().size() - 2], "[WARNING] DoorBuilder: Door 'somethingElse': GetDefaults failed "
                                           "(error -2130313215), using hardcoded fallback");

    Transition sized = Door("sized", 2000, 0);
    sized.definitionId = "door800";
    sized.scale = 1.5;
    API_Guid door = {};
    ASSERT_EQ(Place(sized, {wall}, door), NoError);
    EXPECT_DOUBLE_EQ(DoorOf(door).openingBase.width, 0.9 * 1.5) << "the host's default width times the scale";
}

TEST_F(Doors, SetsTheSidesFromTheDirectionAgainstTheWall) {
    const API_Guid wall = PlantWall(0, 0, 4, 0);
    auto sides = [&](double dx, double dy, bool flipped) {
        Transition t = Door("d", 2000, 100, dx, dy);
        t.isFlipped = flipped;
        API_Guid door = {};
        EXPECT_EQ(Place(t, {wall}, door), NoError);
        const API_OpeningBaseType& o = DoorOf(door).openingBase;
        EXPECT_EQ(o.oSide, o.refSide);
        return std::pair{o.oSide, o.reflected};
    };
    EXPECT_EQ(sides(1, 0, false), (std::pair{true, false})) << "parallel: alpha 0";
    EXPECT_EQ(sides(0, 1, true), (std::pair{true, true})) << "left of begin to end: alpha -90";
    EXPECT_EQ(sides(0, -1, false), (std::pair{false, false})) << "right of begin to end: alpha +90";
    EXPECT_EQ(sides(0, 0, true), (std::pair{false, true})) << "no direction";
    EXPECT_EQ(sides(0.0005, 0, false), (std::pair{false, false})) << "too short a direction";
    (void)Pi;
}

TEST_F(Doors, UsesTheShippedDoorAndCopiesItAgainAfterAProjectEvent) {
    const API_Guid wall = PlantWall(0, 0, 4, 0);
    API_Guid first = {}, second = {};
    ASSERT_EQ(Place(Door("a", 1000, 0), {wall}, first), NoError);
    const StandIn::RegisteredPart* part = StandIn::FindPartByName("Tolva Door.gsm");
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->embeddedPath, "Tolva Door.gsm");
    EXPECT_EQ(DoorOf(first).openingBase.libInd, part->index);
    const std::string index = std::to_string(part->index);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[INFO] DoorLibraryManager: Successfully copied Tolva Door.gsm to embedded library",
                  "[INFO] DoorLibraryManager: Loaded Tolva Door.gsm with library index: " + index,
                  "[INFO] DoorBuilder: Using Tolva Door.gsm library part: libInd=" + index}));
    ASSERT_EQ(Place(Door("b", 2000, 0), {wall}, second), NoError);
    EXPECT_EQ(Copies(), 1) << "the index is kept";

    ProjectEventHandler(APINotify_Open, 0);
    ASSERT_EQ(Place(Door("c", 3000, 0), {wall}, second), NoError);
    EXPECT_EQ(Copies(), 2) << "a fresh copy after the project event";
    EXPECT_EQ(StandIn::FindPartByName("Tolva Door.gsm")->index, part->index)
        << "copied again over the old one";
}

TEST_F(Doors, FallsBackToTheDefaultDoorThenAnyDoorThenAnOpening) {
    const API_Guid wall = PlantWall(0, 0, 4, 0);
    AddOnWithoutShippedParts();
    StandIn::TheModel().defaultDoorLibInd = 2;
    API_Guid door = {};
    ASSERT_EQ(Place(Door("a", 1000, 0), {wall}, door), NoError);
    EXPECT_EQ(DoorOf(door).openingBase.libInd, 2);
    EXPECT_EQ(Lines()[0].rfind("[WARNING] DoorLibraryManager: Failed to copy Tolva Door.gsm from ", 0), 0u);
    EXPECT_NE(
        Lines()[0].find("Tolva Door.gsm to embedded library (error: 0x81060068) - will use fallback search"),
        std::string::npos);
    EXPECT_EQ(Lines().back(), "[INFO] DoorBuilder: Using default door from GetDefaults: libInd=2");
    EXPECT_EQ(Copies(), 1);

    StandIn::TheModel().defaultDoorLibInd = 0;
    ASSERT_EQ(Place(Door("b", 2000, 0), {wall}, door), NoError);
    EXPECT_EQ(Lines().back(), "[INFO] DoorBuilder: Using door from library search: libInd=2");
    EXPECT_EQ(Copies(), 1) << "a failed load is kept until the project changes";

    std::erase_if(StandIn::Libraries().parts, [](const StandIn::RegisteredPart& p) { return p.index == 2; });
    ASSERT_EQ(Place(Door("c", 3000, 0), {wall}, door), NoError);
    EXPECT_EQ(DoorOf(door).openingBase.libInd, 0);
    EXPECT_EQ(Lines().back(), "[WARNING] DoorBuilder: No door library parts found in project - doors will be "
                              "created as openings only");
}

TEST_F(Doors, TheLibraryManagerNeedsAnOpenProject) {
    StandIn::Host().project = StandIn::ProjectState::None;
    auto manager = ACAPI::Library::GetLibraryManager();
    ASSERT_TRUE(manager.IsErr());
    EXPECT_EQ(manager.UnwrapErr().kind, static_cast<GSErrCode>(0x810600CB));
    EXPECT_EQ(manager.UnwrapErr().text, "Library Manager cannot be initialised without plan.");
    try {
        manager.Unwrap();
        FAIL() << "unwrapping an error result goes through the host's unwrap failure";
    } catch (const GS::Exception& e) {
        EXPECT_EQ(e.GetMessage(), "Attempting to Unwrap an error Result");
    }
    EXPECT_EQ(Tolva::Builders::DoorLibraryManager::LoadDoorLibraryPart(), 0);
    EXPECT_EQ(Lines().back().rfind("[WARNING] DoorLibraryManager: Failed to copy Tolva Door.gsm from ", 0),
              0u);
}

} // namespace
