#include "RunHost.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Apartment = std::string(TOLVA_SOURCE_DIR) + "/examples/projects/apartment.json";

TEST(PageSessions, PressGeneratePlanAndReadWhatThePageReceived) {
    std::string session = WriteTemp("plan.json", R"({"steps": [
        {"action": "menu"}, {"action": "point", "x": 3, "y": 4},
        {"action": "press", "palette": "plan", "button": "Generate Plan"},
        {"action": "show-palette", "palette": "plan"},
        {"action": "call", "command": "getPluginVersion", "expect": {"major": 1, "minor": 0, "patch": 6,
         "string": "1.0.6"}},
        {"action": "script", "script": "host.report('from the session');"},
        {"action": "page-reports"}, {"action": "close-palette", "palette": "plan"}]})");
    Outcome run =
        RunHost("--report " + TempPath("report.txt") + " --project " + Apartment + " run " + session);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.rfind(
                  "Palette \"Tolva\" visible\n  Text 4: \n  Text 5: v1.0.6 (Beta)\n"
                  "ACAPI.getPluginVersion: {\"major\":1,\"minor\":0,\"patch\":6,\"string\":\"1.0.6\"}\n",
                  0),
              0u)
        << run.output;
    EXPECT_NE(run.output.find("Page: selection {\"bounds\":"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Page: from the session\nPalette closed: yes\n"), std::string::npos)
        << run.output;
}

TEST(PageSessions, GoOnAfterThePlanPaletteCouldNotBeBuilt) {
    std::string session = WriteTemp("palette-fault.json", R"({"steps": [
        {"action": "fault", "call": "DG::Palette", "code": -1}, {"action": "menu"},
        {"action": "palette-message", "palette": 2901477143, "message": 7}, {"action": "menu"},
        {"action": "palette-message", "palette": 2901477143, "message": 7}]})");
    const std::string report = TempPath("report.txt");
    Outcome run = RunHost("--report " + report + " run " + session);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "Palette 2901477143 visible: no\nPalette 2901477143 visible: yes\n");
    EXPECT_NE(ReadFile(report).find("[ERROR] MenuCommand: Exception in MenuCommandHandler: GS::Exception: "
                                    "DG::Palette failed (error -1)\n"),
              std::string::npos)
        << ReadFile(report);
}

TEST(PageSessions, FailWhenAFaultIsNeverReached) {
    std::string session = WriteTemp("unreached.json", R"({"steps": [
        {"action": "fault", "call": "ACAPI_Element_Delete", "code": -1}, {"action": "menu"}]})");
    Outcome run = RunHost("--report " + TempPath("report.txt") + " run " + session);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "tolva-host: the fault armed on ACAPI_Element_Delete never failed a call\n");
}

TEST(PageSessions, FailWhenAnAnswerIsNotTheExpectedOne) {
    std::string session = WriteTemp("expect.json", R"({"steps": [
        {"action": "call", "command": "launchBrowser", "argument": "ftp://a", "expect": "{}"}]})");
    Outcome run = RunHost("--report " + TempPath("report.txt") + " run " + session);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("tolva-host: Session step 1: ACAPI.launchBrowser answered {\"success\":false,"
                              "\"error\":\"Invalid URL: Must start with http:// or https://\"}, not {}"),
              std::string::npos)
        << run.output;
}

} // namespace
