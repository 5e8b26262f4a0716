#include "Logging/Logger.hpp"

#include "StandIn/Driver.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class LoggerLines : public ::testing::Test {
protected:
    void SetUp() override { StandIn::ResetHost(); }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const StandIn::ReportLine& line : StandIn::Host().report) {
            EXPECT_FALSE(line.alert);
            lines.push_back(line.text.ToCStr().Get());
        }
        return lines;
    }
};

TEST_F(LoggerLines, WritesOneLinePerMessageAtInfoAndAbove) {
    Logger::Debug("API", "never shown");
    Logger::Info("GeneratePlanPalette", "Creating singleton instance");
    Logger::Warning("ZoneBuilder", "Skipping zone");
    Logger::Error("API", "Expected string parameter");
    Logger::ErrorWithContext("LayerManager", "Failed", "context text");
    Logger::Log(static_cast<Logger::LogLevel>(7), "X", "odd level");
    Logger::Log(static_cast<Logger::LogLevel>(-1), "X", "below the minimum");
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[INFO] GeneratePlanPalette: Creating singleton instance",
                           "[WARNING] ZoneBuilder: Skipping zone",
                           "[ERROR] API: Expected string parameter",
                           "[ERROR] LayerManager: Failed",
                           "[UNKNOWN] X: odd level",
                       }));
}

TEST_F(LoggerLines, WritesPlaceholdersAndNonAsciiTextUnchanged) {
    Logger::Info("PlanImportCommands", "Plan JSON length: %d chars, 100%s");
    Logger::Info("Zones", "Außenwand 🏠");
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[INFO] PlanImportCommands: Plan JSON length: %d chars, 100%s",
                           "[INFO] Zones: Außenwand 🏠",
                       }));
}

} // namespace
