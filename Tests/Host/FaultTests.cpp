#include "ModelTestSupport.hpp"

#include "ACAPI/Library/LibraryManager.hpp"
#include "GSException.hpp"
#include "RS.hpp"
#include "StandIn/Faults.hpp"

#include <gmock/gmock.h>

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

using Faults = FreshModel;

TEST_F(Faults, AFaultThatNeverFailedACallIsUnreachedWhetherStillArmedClearedOrReplaced) {
    StandIn::Faults::Arm("ACAPI_Element_Get", APIERR_MEMFULL);
    StandIn::Faults::Arm("ACAPI_Element_Delete", APIERR_BADID, 1, 5);
    EXPECT_THAT(StandIn::Faults::TakeUnreached(), ElementsAre("ACAPI_Element_Delete", "ACAPI_Element_Get"));
    API_Element element = {};
    EXPECT_EQ(ACAPI_Element_Get(&element), APIERR_BADID) << "taken faults are disarmed";

    StandIn::Faults::Arm("ACAPI_Element_GetMemo", APIERR_MEMFULL, 2);
    API_ElementMemo memo = {};
    EXPECT_EQ(ACAPI_Element_GetMemo(APINULLGuid, &memo, APIMemoMask_Polygon), APIERR_MEMFULL);
    StandIn::Faults::Arm("ACAPI_Element_Get:Wall", APIERR_BADID);
    StandIn::Faults::Arm("ACAPI_Element_Get:Wall", APIERR_MEMFULL);
    StandIn::Faults::Arm("ACAPI_Element_Delete", APIERR_BADID);
    StandIn::Faults::Clear();
    EXPECT_THAT(StandIn::Faults::TakeUnreached(),
                ElementsAre("ACAPI_Element_Get:Wall", "ACAPI_Element_Delete", "ACAPI_Element_Get:Wall"))
        << "the fault that failed one of its two calls was reached";
    EXPECT_THAT(StandIn::Faults::TakeUnreached(), IsEmpty());
}

TEST_F(Faults, AThrowingFaultThrowsTheCallsFailure) {
    StandIn::Faults::Arm("RSGetIndString:throw", -1);
    GS::UniString text;
    try {
        RSGetIndString(&text, 32000, 1, 1);
        ADD_FAILURE() << "RSGetIndString did not throw";
    } catch (const GS::Exception& e) {
        EXPECT_EQ(e.GetMessage(), GS::UniString("RSGetIndString:throw failed (error -1)"));
    }
    EXPECT_FALSE(RSGetIndString(&text, 32000, 1, 1)) << "once; no module is loaded";
}

TEST_F(Faults, TheNthCallFailsWhateverItsNameAndVariantsAreNotCountedAgain) {
    API_Element wall = {};
    wall.header.type = API_WallID;
    ASSERT_EQ(ACAPI_Element_GetDefaults(&wall, nullptr), NoError);
    StandIn::Faults::FailNthCall(3, APIERR_MEMFULL);
    API_Element element = {};
    EXPECT_EQ(ACAPI_Element_Get(&element), APIERR_BADID) << "call 1, and its variant is not counted";
    EXPECT_EQ(ACAPI_Element_GetDefaults(&wall, nullptr), NoError) << "call 2";
    EXPECT_EQ(StandIn::Faults::NthCallFailed(), std::nullopt);
    EXPECT_EQ(ACAPI_CallUndoableCommand("Step", [] { return NoError; }), APIERR_MEMFULL) << "call 3";
    EXPECT_EQ(StandIn::Faults::NthCallFailed(), "ACAPI_CallUndoableCommand");
    EXPECT_TRUE(StandIn::TheModel().steps.empty()) << "the failed call ran no step";
    EXPECT_EQ(ACAPI_CallUndoableCommand("Step", [] { return NoError; }), NoError) << "once";
    EXPECT_EQ(StandIn::Faults::HostCallCount(), 4);

    StandIn::NewProject();
    auto manager = ACAPI::Library::GetLibraryManager().Unwrap();
    StandIn::Faults::FailNthCall(1, APIERR_MEMFULL);
    EXPECT_TRUE(manager.GetEmbeddedLibrary().IsErr()) << "a call named with :: is a call of its own";
    EXPECT_EQ(StandIn::Faults::NthCallFailed(), "LibraryManager::GetEmbeddedLibrary");
    StandIn::Faults::Clear();
    EXPECT_EQ(StandIn::Faults::HostCallCount(), 0);
    EXPECT_EQ(StandIn::Faults::NthCallFailed(), std::nullopt);
    EXPECT_THAT(StandIn::Faults::TakeUnreached(), IsEmpty());
}

} // namespace
