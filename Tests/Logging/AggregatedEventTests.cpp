#include "Logging/AggregatedEvent.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ErrorAggregation;

ErrorSample Sample(const char* category, const char* message, const char* context, UInt64 timestamp) {
    return {category, message, context, timestamp};
}

// The event as JSON, without its generated id and time.
std::string Json(sentry_value_t event) {
    sentry_value_remove_by_key(event, "event_id");
    sentry_value_remove_by_key(event, "timestamp");
    char* json = sentry_value_to_json(event);
    std::string text = json;
    sentry_free(json);
    sentry_value_decref(event);
    return text;
}

class AggregatedEvent : public ::testing::Test {
protected:
    void SetUp() override {
        StandIn::ResetHost();
        context.operationType = "Wall Creation";
        context.totalItems = 100;
        context.successCount = 97;
        context.failedCount = 2;
        context.skippedCount = 1;
        AggregatedErrorData walls;
        walls.pattern = "Failed to create wall <name>: error -<N>";
        walls.count = 2;
        walls.categories.Add("WallBuilder", 2);
        walls.samples.Push(Sample("WallBuilder", "Failed to create wall 'W7': error -4", "", 1733650000123));
        walls.samples.Push(
            Sample("WallBuilder", "Failed to create wall 'W9': error -4", "story 2", 1733650000456));
        context.errors.Add(walls.pattern, walls);
        AggregatedErrorData fill;
        fill.pattern = "No valid \"fill\" pattern";
        fill.count = 1;
        fill.categories.Add("MaterialManager", 1);
        fill.samples.Push(Sample("MaterialManager", "No valid \"fill\" pattern", "", 1733650000789));
        context.errors.Add(fill.pattern, fill);
    }

    ErrorAggregationContext context;
};

TEST_F(AggregatedEvent, DescribesTheBatchWithItsTagsInOrderAndEveryPattern) {
    EXPECT_EQ(
        Json(BuildAggregatedEvent(context)),
        R"({"platform":"native",)"
        R"("message":"Wall Creation: 3 errors (2 patterns) - 97/100 items succeeded","level":"error",)"
        R"("tags":{"operation_type":"Wall Creation","total_items":100,"success_count":97,"failed_count":2,)"
        R"("skipped_count":1,"unique_error_patterns":2,"archicad.version":"29","plugin.version":"1.0.6",)"
        R"("platform":"Windows-Release"},)"
        R"("extra":{"error_groups":[)"
        R"({"pattern":"Failed to create wall <name>: error -<N>","count":2,"categories":{"WallBuilder":2},)"
        R"("samples":[{"category":"WallBuilder","message":"Failed to create wall 'W7': error -4",)"
        R"("context":"","timestamp":1733650000123},)"
        R"({"category":"WallBuilder","message":"Failed to create wall 'W9': error -4",)"
        R"("context":"story 2","timestamp":1733650000456}]},)"
        R"({"pattern":"No valid \"fill\" pattern","count":1,"categories":{"MaterialManager":1},)"
        R"("samples":[{"category":"MaterialManager","message":"No valid \"fill\" pattern","context":"",)"
        R"("timestamp":1733650000789}]}]}})");
}

TEST_F(AggregatedEvent, TellsAnUnknownHostVersion) {
    StandIn::Faults::Arm("ACAPI_GetReleaseNumber:throw", 1);
    const std::string json = Json(BuildAggregatedEvent(context));
    EXPECT_NE(json.find(R"("archicad.version":"Unknown","plugin.version":"1.0.6")"), std::string::npos)
        << json;
}

} // namespace
