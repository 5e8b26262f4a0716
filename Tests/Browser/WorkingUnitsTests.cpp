#include "JSCommands/UtilityCommands.hpp"
#include "ReportLines.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/JSONText.hpp"
#include "StandIn/Stories.hpp"

namespace {

std::string WorkingUnits(API_LengthTypeID unit, short decimals = 0, short roundInch = 0) {
    StandIn::Settings().workingUnits = {unit, decimals, roundInch};
    return JS::ToJSONText(JSCommands::UtilityCommands::GetWorkingUnits({}));
}

using GetWorkingUnits = ReportLines;

TEST_F(GetWorkingUnits, NamesEveryLengthUnitOfTheProject) {
    EXPECT_EQ(
        WorkingUnits(API_LengthTypeID::Millimeter, 2, -1),
        R"({"isMetric":1,"lengthUnit":"millimeter","lengthUnitCode":0,"lengthDecimals":2,"roundInch":-1})");
    EXPECT_EQ(
        WorkingUnits(API_LengthTypeID::Decimeter),
        R"({"isMetric":1,"lengthUnit":"decimeter","lengthUnitCode":3,"lengthDecimals":0,"roundInch":0})");
    EXPECT_EQ(WorkingUnits(API_LengthTypeID::FootFracInch, 0, 64),
              R"({"isMetric":0,"lengthUnit":"feet & fractional inch",)"
              R"("lengthUnitCode":7,"lengthDecimals":0,"roundInch":64})");
    EXPECT_EQ(
        WorkingUnits(API_LengthTypeID::FootDecInch),
        R"({"isMetric":0,"lengthUnit":"feet & decimal inch","lengthUnitCode":8,"lengthDecimals":0,"roundInch":0})");
    EXPECT_EQ(
        WorkingUnits(API_LengthTypeID::KiloMeter),
        R"({"isMetric":1,"lengthUnit":"kilometer","lengthUnitCode":9,"lengthDecimals":0,"roundInch":0})")
        << "metric, though the host lists it after the imperial units";
    EXPECT_EQ(WorkingUnits(API_LengthTypeID::Yard),
              R"({"isMetric":0,"lengthUnit":"yard","lengthUnitCode":10,"lengthDecimals":0,"roundInch":0})");
    EXPECT_EQ(
        WorkingUnits(API_LengthTypeID(12)),
        R"({"isMetric":0,"lengthUnit":"unknown","lengthUnitCode":12,"lengthDecimals":0,"roundInch":0})");
    EXPECT_EQ(
        WorkingUnits(API_LengthTypeID(-1)),
        R"({"isMetric":0,"lengthUnit":"unknown","lengthUnitCode":-1,"lengthDecimals":0,"roundInch":0})");
    EXPECT_TRUE(Lines().empty()) << "its lines are at DEBUG";
}

TEST_F(GetWorkingUnits, AFailedReadGivesAnErrorObject) {
    StandIn::Faults::Arm("ACAPI_ProjectSetting_GetPreferences", APIERR_GENERAL);
    EXPECT_EQ(JS::ToJSONText(JSCommands::UtilityCommands::GetWorkingUnits({})),
              R"({"success":0,"error":"Failed to retrieve working unit preferences"})");
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{
            "[ERROR] PreferencesCommands: Failed to get working unit preferences. Error code: -2130313215",
            "[ERROR] API: Failed to retrieve working unit preferences",
        }));
}

} // namespace
