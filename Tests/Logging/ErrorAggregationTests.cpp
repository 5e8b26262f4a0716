#include "Browser/ReportLines.hpp"
#include "Logging/AggregatedEvent.hpp"
#include "Logging/ErrorAggregation.hpp"
#include "Logging/Logger.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

using ErrorAggregation::AggregatedErrorData;
using ErrorAggregation::ErrorAggregationScope;

std::vector<std::string> Patterns(const ErrorAggregation::ErrorAggregationContext& context) {
    std::vector<std::string> patterns;
    for (const auto& [pattern, data] : context.errors) {
        patterns.push_back(pattern.ToCStr().Get());
    }
    return patterns;
}

using Aggregation = ReportLines;

TEST_F(Aggregation, GroupsFortyFailingDoorsIntoOnePatternWithFiveSamples) {
    ErrorAggregationScope scope("Door Creation", 40);
    for (int i = 0; i < 40; ++i) {
        scope.RecordFailure();
        Logger::Error("DoorBuilder",
                      GS::UniString::Printf("Door '%s' FAILED: Creation error %d",
                                            GS::UniString::Printf("D%d", i).ToCStr().Get(), 5));
    }
    const auto& context = scope.GetContext();
    EXPECT_EQ(context.failedCount, 40u);
    ASSERT_EQ(Patterns(context), (std::vector<std::string>{"Door <name> FAILED: Creation error <N>"}));
    const AggregatedErrorData& data = context.errors.Get("Door <name> FAILED: Creation error <N>");
    EXPECT_EQ(data.count, 40u);
    ASSERT_EQ(data.categories.GetSize(), 1u);
    EXPECT_EQ(data.categories.Get("DoorBuilder"), 40u);
    ASSERT_EQ(data.samples.GetSize(), 5u);
    for (USize i = 0; i < 5; ++i) {
        EXPECT_EQ(data.samples[i].message, GS::UniString::Printf("Door 'D%u' FAILED: Creation error 5", i));
        EXPECT_EQ(data.samples[i].category, GS::UniString("DoorBuilder"));
        EXPECT_TRUE(data.samples[i].context.IsEmpty());
    }
    EXPECT_LE(data.samples[0].timestamp, data.samples[4].timestamp);
    EXPECT_GT(data.samples[0].timestamp, 1700000000000u) << "milliseconds since 1970";
    EXPECT_EQ(Lines().size(), 40u) << "every error is still written to the report window";
}

TEST_F(Aggregation, SharesOnePatternForMessagesThatDifferInAGuid) {
    ErrorAggregationScope scope("Zone Import", 2);
    Logger::Error("ZoneBuilder", "Zone {6F2A1C3E-0B4D-4E8F-9A7C-5D3B1E0F2A48} has no boundary");
    Logger::ErrorWithContext("ZoneBuilder", "Zone {0D9C8B7A-6F5E-4D3C-2B1A-0F9E8D7C6B5A} has no boundary",
                             "unit 3");
    Logger::ErrorWithContext("ZoneImport", "Zone {0D9C8B7A-6F5E-4D3C-2B1A-0F9E8D7C6B5A} has no boundary", "");
    ASSERT_EQ(Patterns(scope.GetContext()), (std::vector<std::string>{"Zone <guid> has no boundary"}));
    const AggregatedErrorData& data = scope.GetContext().errors.Get("Zone <guid> has no boundary");
    EXPECT_EQ(data.count, 3u);
    EXPECT_EQ(data.samples[1].context, GS::UniString("unit 3"));
    std::vector<std::pair<std::string, UInt32>> categories;
    for (const auto& [category, count] : data.categories) {
        categories.emplace_back(category.ToCStr().Get(), count);
    }
    EXPECT_EQ(categories,
              (std::vector<std::pair<std::string, UInt32>>{{"ZoneBuilder", 2}, {"ZoneImport", 1}}));
}

TEST_F(Aggregation, TakesOnlyErrorLinesOfTheScopesOwnThread) {
    EXPECT_FALSE(ErrorAggregation::IsAggregating());
    ErrorAggregationScope scope("Furniture Creation", 3);
    EXPECT_TRUE(ErrorAggregation::IsAggregating());
    Logger::Warning("FurnitureBuilder", "Skipping furniture 'F1'");
    Logger::Info("FurnitureBuilder", "Created furniture 'F2'");
    std::thread other([] {
        EXPECT_FALSE(ErrorAggregation::IsAggregating());
        ErrorAggregation::RecordError("FurnitureBuilder", "Recorded on another thread", "");
    });
    other.join();
    EXPECT_TRUE(scope.GetContext().errors.IsEmpty());
}

TEST_F(Aggregation, NestedScopesCollectTheirOwnErrorsAndTheOuterOneResumes) {
    ErrorAggregationScope outer("Building Import", 2);
    Logger::Error("BuildingOrchestrator", "Story 1 failed");
    {
        ErrorAggregationScope inner("Wall Creation", 4);
        Logger::Error("WallBuilder", "Wall 'W1' failed");
        EXPECT_EQ(Patterns(inner.GetContext()), (std::vector<std::string>{"Wall <name> failed"}));
    }
    Logger::Error("BuildingOrchestrator", "Story 2 failed");
    EXPECT_EQ(Patterns(outer.GetContext()), (std::vector<std::string>{"Story <N> failed"}));
    EXPECT_EQ(outer.GetContext().errors.Get("Story <N> failed").count, 2u);
}

TEST_F(Aggregation, AScopeEndedOutOfOrderLeavesNoEntryBehind) {
    auto first = std::make_unique<ErrorAggregationScope>("First", 1);
    auto second = std::make_unique<ErrorAggregationScope>("Second", 1);
    first.reset();
    Logger::Error("X", "Still the second's");
    EXPECT_EQ(second->GetContext().errors.GetSize(), 1u);
    second.reset();
    EXPECT_FALSE(ErrorAggregation::IsAggregating());
    ErrorAggregation::RecordError("X", "Without a scope nothing is recorded", "");
}

TEST_F(Aggregation, SummarisesTheOperation) {
    ErrorAggregationScope scope("Wall Creation", 100);
    for (int i = 0; i < 97; ++i) {
        scope.RecordSuccess();
    }
    scope.RecordSkip();
    for (const char* wall : {"W7", "W9"}) {
        scope.RecordFailure();
        Logger::Error("WallBuilder",
                      GS::UniString::Printf("Failed to create wall '%s': error -2130313212", wall));
    }
    Logger::Error("MaterialManager", "No valid fill pattern found in project");
    const auto& context = scope.GetContext();
    EXPECT_EQ(context.successCount, 97u);
    EXPECT_EQ(context.failedCount, 2u);
    EXPECT_EQ(context.skippedCount, 1u);
    EXPECT_EQ(ErrorAggregation::TotalErrorCount(context), 3u);
    EXPECT_EQ(ErrorAggregation::AggregatedSummary(context),
              GS::UniString("Wall Creation: 3 errors (2 patterns) - 97/100 items succeeded"));
}

} // namespace
