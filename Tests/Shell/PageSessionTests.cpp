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
