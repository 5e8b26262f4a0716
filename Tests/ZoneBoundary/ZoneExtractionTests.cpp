#include "ZoneBoundaryTestSupport.hpp"

#include "JSCommands/UserInputCommands.hpp"
#include "Main/ProjectEvents.hpp"
#include "ZoneBoundary/ReferencePointCache.hpp"

#include <limits>

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
