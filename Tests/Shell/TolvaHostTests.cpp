#include "RunHost.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

TEST(TolvaHost, InfoShowsTheAddOnAndItsMenu) {
    Outcome info = RunHost("info");
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.output, "Name: Tolva AddOn\n"
                           "Description: Tolva Works Add-On v1.0.6\n"
                           "Menu: Tolva\n"
                           "  Item: Launch Tolva (Beta)\n");
}

TEST(TolvaHost, DemoSendsTheClickedRoomToThePageAndDrawsIt) {
    const std::string drawing = TempPath("demo.svg");
    Outcome demo =
        RunHost("--project " + std::string(TOLVA_SOURCE_DIR) + "/examples/projects/apartment.json --svg " +
                drawing + " --report " + TempPath("demo-report.txt") + " demo");
    EXPECT_EQ(demo.status, 0) << demo.output;
    EXPECT_NE(demo.output.find("The page called getSelection and received:\n{\"bounds\":"), std::string::npos)
        << demo.output;
    std::ifstream svg(drawing);
    std::string text((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<svg"), std::string::npos);

    Outcome empty = RunHost("--report " + TempPath("empty-report.txt") + " demo");
    EXPECT_EQ(empty.status, 0) << empty.output;
    EXPECT_NE(empty.output.find("Text 4: Error: Failed to extract zone boundary (error: -2130313111)\n"),
              std::string::npos)
        << empty.output;
}

TEST(TolvaHost, CallsAPageCommandAndPrintsItsAnswer) {
    struct Case {
        std::string arguments;
        int status;
        std::string output;
    };
    const Case cases[] = {
        {"call getPluginVersion", 0, "{\"major\":1,\"minor\":0,\"patch\":6,\"string\":\"1.0.6\"}\n"},
        {"call launchBrowser '\"https://example.com\"'", 0,
         "{\"success\":true,\"message\":\"Browser launched\"}\n"},
        {"call launchBrowser '\"ftp://example.com\"'", 0,
         "{\"success\":false,\"error\":\"Invalid URL: Must start with http:// or https://\"}\n"},
        {"call nosuch", 1, "tolva-host: ACAPI.nosuch: no function\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = RunHost("--report " + TempPath("call-report.txt") + " " + c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.arguments;
        EXPECT_EQ(outcome.output, c.output) << c.arguments;
    }
}

TEST(TolvaHost, RunsASessionAndWritesTheReport) {
    std::string session = WriteTemp("session.json", R"({"steps": [
        {"action": "menu"}, {"action": "menu", "item": 2}, {"action": "event", "code": 2},
        {"action": "new-project"}, {"action": "selection-changed"},
        {"action": "palette-message", "palette": "{B3C7E5F1-9A2D-4E6F-8B4C-1D7F6E3A9C2B}", "message": 7},
        {"action": "palette-message", "palette": 2513767824, "message": 7},
        {"action": "quit"}]})");
    std::string report = TempPath("report.txt");
    Outcome run = RunHost("--report " + report + " run " + session);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "Palette 2901477143 visible: yes\nPalette 2513767824 visible: no\n");
    EXPECT_TRUE(std::ifstream(report).good());
}

TEST(TolvaHost, RefusesBadCommandLinesAndSessionsClearly) {
    struct Case {
        std::string arguments;
        int status;
        std::string message;
    };
    std::string notJson = WriteTemp("broken.json", "{\"steps\": [");
    std::string unknown =
        WriteTemp("unknown.json", R"({"steps": [{"action": "menu"}, {"action": "dance"}]})");
    std::string afterQuit = WriteTemp("after.json", R"({"steps": [{"action": "quit"}, {"action": "menu"}]})");
    std::string badField = WriteTemp("field.json", R"({"steps": [{"action": "event", "code": "one"}]})");
    std::string noSteps = WriteTemp("nosteps.json", R"([1, 2])");
    const Case cases[] = {
        {"", 2, "tolva-host: no verb given"},
        {"fly", 2, "tolva-host: unknown verb fly"},
        {"--colour red info", 2, "tolva-host: unknown option --colour"},
        {"info extra", 2, "tolva-host: info takes no arguments"},
        {"run", 2, "tolva-host: run takes one session file"},
        {"--addon", 2, "tolva-host: --addon needs a value"},
        {"run /nonexistent/session.json", 2, "tolva-host: cannot read /nonexistent/session.json"},
        {"--addon /nonexistent/addon.so info", 1, "tolva-host: Cannot load the add-on /nonexistent/addon.so"},
        {"--addon " + std::string(TOLVA_HOST_PATH) + " info", 1, "tolva-host: Cannot load the add-on"},
        {"run " + notJson, 1, "tolva-host: Session file is not JSON: "},
        {"run " + unknown, 1, "tolva-host: Session step 2: unknown action \"dance\""},
        {"run " + afterQuit, 1, "tolva-host: Session step 2: no step may follow \"quit\""},
        {"run " + badField, 1, "tolva-host: Session step 1: \"code\" must be an integer"},
        {"run " + noSteps, 1, "tolva-host: Session file must be an object with a \"steps\" array"},
    };
    for (const Case& c : cases) {
        Outcome outcome = RunHost(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.arguments << "\n" << outcome.output;
        EXPECT_EQ(outcome.output.rfind(c.message, 0), 0u) << c.arguments << "\n" << outcome.output;
    }
}

} // namespace
