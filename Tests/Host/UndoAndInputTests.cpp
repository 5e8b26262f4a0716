#include "ModelTestSupport.hpp"

#include "GSException.hpp"
#include "StandIn/HandleLedger.hpp"
#include "StandIn/TypedHandles.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

using UndoSteps = FreshModel;

TEST_F(UndoSteps, AFailedStepLeavesTheElementsAsTheyWere) {
    API_Element kept = Wall(0, 0, 3, 0);
    ASSERT_EQ(StandIn::PlantElement(&kept, nullptr), NoError);
    std::vector<API_Guid> before = Guids();
    for (bool throws : {false, true}) {
        GSErrCode code = InStep([&]() -> GSErrCode {
            API_Element added = Wall(0, 0, 0, 3);
            EXPECT_EQ(ACAPI_Element_Create(&added, nullptr), NoError);
            EXPECT_EQ(ACAPI_Element_Delete({kept.header.guid}), NoError);
            if (throws) {
                throw std::runtime_error("half done");
            }
            return APIERR_GENERAL;
        });
        EXPECT_EQ(code, throws ? APIERR_COMMANDFAILED : APIERR_GENERAL);
        EXPECT_EQ(Guids(), before);
        EXPECT_TRUE(StandIn::TheModel().steps.back().rolledBack);
    }
}

TEST_F(UndoSteps, WithRollbackOffAFailedStepKeepsItsChanges) {
    StandIn::TheModel().rollBackFailedSteps = false;
    EXPECT_EQ(InStep([&] {
                  API_Element added = Wall(0, 0, 0, 3);
                  ACAPI_Element_Create(&added, nullptr);
                  return GSErrCode(-1);
              }),
              -1);
    EXPECT_EQ(StandIn::TheModel().elements.size(), 1u);
    EXPECT_FALSE(StandIn::TheModel().steps.back().rolledBack);
}

TEST_F(UndoSteps, AreRecordedEvenWhenEmptyAndCannotNest) {
    EXPECT_EQ(
        ACAPI_CallUndoableCommand("Extract Zone Boundary",
                                  [] { return ACAPI_CallUndoableCommand("Inner", [] { return NoError; }); }),
        APIERR_NESTING);
    EXPECT_EQ(ACAPI_CallUndoableCommand("Import Tolva Plan", [] { return NoError; }), NoError);
    const auto& steps = StandIn::TheModel().steps;
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].name, GS::UniString("Extract Zone Boundary"));
    EXPECT_EQ(steps[0].result, APIERR_NESTING);
    EXPECT_EQ(steps[1].name, GS::UniString("Import Tolva Plan"));
    EXPECT_EQ(steps[1].result, NoError);
}

TEST_F(UndoSteps, UndoAndRedoRestoreTheSameGuids) {
    API_Element first = Wall(0, 0, 3, 0);
    API_Element second = Wall(3, 0, 3, 3);
    ASSERT_EQ(InStep([&] { return ACAPI_Element_Create(&first, nullptr); }), NoError);
    ASSERT_EQ(InStep([&] { return ACAPI_Element_Create(&second, nullptr); }), NoError);
    ASSERT_EQ(InStep([&] { return GSErrCode(-7); }), -7);
    std::vector<API_Guid> both = Guids();

    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_EQ(Guids(), (std::vector<API_Guid>{first.header.guid}));
    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_TRUE(Guids().empty());
    EXPECT_FALSE(StandIn::UndoLastStep());
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(Guids(), (std::vector<API_Guid>{first.header.guid}));
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(Guids(), both);
    EXPECT_FALSE(StandIn::RedoStep());

    ASSERT_TRUE(StandIn::UndoLastStep());
    ASSERT_EQ(InStep([] { return NoError; }), NoError);
    EXPECT_FALSE(StandIn::RedoStep()) << "a new step ends what could be redone";
}

TEST_F(UndoSteps, KeepOnlyWhatTheyChangedAndPutDeletedElementsBackInPlace) {
    std::vector<API_Element> walls;
    for (int i = 0; i < 1000; ++i) {
        walls.push_back(Wall(i, 0, i, 3));
        ASSERT_EQ(StandIn::PlantElement(&walls.back(), nullptr), NoError);
    }
    const std::vector<API_Guid> planted = Guids();
    API_Element added = Wall(0, 5, 3, 5);
    ASSERT_EQ(InStep([&] {
                  EXPECT_EQ(ACAPI_Element_Create(&added, nullptr), NoError);
                  return ACAPI_Element_Delete({walls[10].header.guid, walls[500].header.guid});
              }),
              NoError);
    const StandIn::UndoStep& step = StandIn::TheModel().steps.back();
    EXPECT_EQ(step.elements.size(), 3u) << "one made, two deleted, nothing of the other 998";
    EXPECT_FALSE(step.attributesBefore);
    EXPECT_FALSE(step.librariesBefore);
    const std::vector<API_Guid> after = Guids();
    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_EQ(Guids(), planted) << "the deleted walls are back at their places";
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(Guids(), after);
}

using Interaction = FreshModel;

Int32 selectionNotifications = 0;
GSErrCode CountSelectionChange(const API_Neig*) {
    ++selectionNotifications;
    return NoError;
}

TEST_F(Interaction, SelectionKeepsTheDriversOrderAndNotifies) {
    API_Element a = Wall(0, 0, 1, 0);
    API_Element b = Wall(0, 0, 0, 1);
    StandIn::PlantElement(&a, nullptr);
    StandIn::PlantElement(&b, nullptr);
    API_SelectionInfo info = {};
    GS::Array<API_Neig> neigs;
    ASSERT_EQ(ACAPI_Selection_Get(&info, &neigs, false), NoError);
    EXPECT_EQ(info.typeID, API_SelEmpty);
    EXPECT_TRUE(neigs.IsEmpty());

    selectionNotifications = 0;
    StandIn::Host().selectionHandler = CountSelectionChange;
    StandIn::SelectElements({b.header.guid});
    StandIn::AddToSelection(a.header.guid);
    ASSERT_EQ(ACAPI_Selection_Get(&info, &neigs, false), NoError);
    ASSERT_EQ(neigs.GetSize(), 2u);
    EXPECT_EQ(neigs[0].guid, b.header.guid);
    EXPECT_EQ(neigs[1].guid, a.header.guid);
    EXPECT_EQ(info.sel_nElem, 2);
    StandIn::ClearSelection();
    EXPECT_EQ(selectionNotifications, 3);
}

TEST_F(Interaction, AMarqueeComesAsAClosedPolygonInAHandleTheCallerReleases) {
    const Int32 liveBefore = StandIn::HandleLedger::LiveCount();
    StandIn::SetMarquee({{0, 0}, {4, 0}, {4, 3}});
    API_SelectionInfo info = {};
    ASSERT_EQ(ACAPI_Selection_Get(&info, nullptr, false), NoError);
    EXPECT_EQ(info.typeID, API_MarqueePoly);
    ASSERT_EQ(info.marquee.nCoords, 4);
    ASSERT_EQ(BMGetHandleSize(info.marquee.coords), 5 * static_cast<GSSize>(sizeof(API_Coord)));
    const API_Coord* coords = *info.marquee.coords;
    EXPECT_EQ(coords[2].x, 4.0);
    EXPECT_EQ(coords[3].y, 3.0);
    EXPECT_EQ(coords[4].x, coords[1].x);
    EXPECT_EQ(coords[4].y, coords[1].y);
    EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveBefore + 1);
    BMKillHandle(reinterpret_cast<GSHandle*>(&info.marquee.coords));
    EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveBefore);

    StandIn::SetMarquee({});
    ASSERT_EQ(ACAPI_Selection_Get(&info, nullptr, false), NoError);
    EXPECT_EQ(info.typeID, API_SelEmpty);
    EXPECT_EQ(info.marquee.coords, nullptr);
}

TEST_F(Interaction, PointInputIsAnsweredFromTheQueueInOrder) {
    const double inf = std::numeric_limits<double>::infinity();
    StandIn::QueuePointAnswer({NoError, {1.5, -2.0, 0.0}});
    StandIn::QueuePointAnswer({NoError, {inf, 0.0, 0.0}});
    StandIn::QueuePointAnswer({APIERR_CANCEL, {}});
    StandIn::QueuePointAnswer({-5, {}});
    API_GetPointType point = {};
    std::strcpy(point.prompt, "Click inside a room to find enclosing walls");
    ASSERT_EQ(ACAPI_UserInput_GetPoint(&point), NoError);
    EXPECT_EQ(point.pos.x, 1.5);
    ASSERT_EQ(ACAPI_UserInput_GetPoint(&point), NoError);
    EXPECT_TRUE(std::isinf(point.pos.x));
    EXPECT_EQ(ACAPI_UserInput_GetPoint(&point), APIERR_CANCEL);
    EXPECT_EQ(ACAPI_UserInput_GetPoint(&point), -5);
    EXPECT_EQ(StandIn::UnansweredPointRequests(), 0);
    EXPECT_EQ(ACAPI_UserInput_GetPoint(&point), APIERR_CANCEL);
    EXPECT_EQ(StandIn::UnansweredPointRequests(), 1);
    ASSERT_EQ(StandIn::PointPrompts().size(), 5u);
    EXPECT_EQ(StandIn::PointPrompts()[0], GS::UniString("Click inside a room to find enclosing walls"));
}

TEST_F(Interaction, APromptFillingItsWholeFieldIsReadNoFurtherThanTheField) {
    API_GetPointType point = {};
    std::memset(point.prompt, 'x', sizeof(point.prompt));
    EXPECT_EQ(ACAPI_UserInput_GetPoint(&point), APIERR_CANCEL);
    ASSERT_EQ(StandIn::PointPrompts().size(), 1u);
    EXPECT_EQ(StandIn::PointPrompts()[0].GetLength(), sizeof(point.prompt));
}

} // namespace
