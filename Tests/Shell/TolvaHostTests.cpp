#include "RunHost.hpp"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <string>
#include <vector>

namespace {

TEST(TolvaHost, InfoShowsTheAddOnAndItsMenu) {
    Outcome info = RunHost("info");
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.output, "Name: Tolva AddOn\n"
                           "Description: Tolva Works Add-On v1.0.6\n"
                           "Menu: Tolva\n"
                           "  Item: Launch Tolva (Beta)\n" +
                               CachesEmptied);
}

// The demo clicks at (8, 6) m in the apartment's bedroom: exterior walls to the east and north,
// interior walls to the west and south.
TEST(TolvaHost, DemoSendsTheClickedRoomToThePageAndDrawsIt) {
    const std::string drawing = TempPath("demo.svg");
    Outcome demo =
        RunHost("--project " + std::string(TOLVA_SOURCE_DIR) + "/examples/projects/apartment.json --svg " +
                drawing + " --report " + TempPath("demo-report.txt") + " demo");
    EXPECT_EQ(demo.status, 0) << demo.output;
    const std::string received = "The page called getSelection and received:\n";
    const size_t at = demo.output.find(received);
    ASSERT_NE(at, std::string::npos) << demo.output;
    const size_t begin = at + received.size();
    const std::string json = demo.output.substr(begin, demo.output.find('\n', begin) - begin);
    std::string golden =
        ReadFile(std::string(TOLVA_SOURCE_DIR) + "/Tests/Shell/golden/apartment-bedroom-zone.json");
    while (!golden.empty() && golden.back() == '\n') {
        golden.pop_back();
    }
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(json, golden);

    rapidjson::Document zone;
    zone.Parse(json.c_str());
    ASSERT_FALSE(zone.HasParseError()) << json;
    const auto& ring = zone["bounds"]["polylines"][0]["points"];
    const auto& segments = zone["adjacentSegments"];
    ASSERT_EQ(ring.Size(), segments.Size() + 1) << "a closed ring of n + 1 points and n edges";
    EXPECT_EQ(ring[0], ring[ring.Size() - 1]);
    std::vector<std::string> types;
    for (rapidjson::SizeType i = 0; i < segments.Size(); ++i) {
        EXPECT_EQ(segments[i]["lineSegment"]["points"][0], ring[i]);
        EXPECT_EQ(segments[i]["lineSegment"]["points"][1], ring[i + 1]);
        types.push_back(segments[i]["type"].GetString());
    }
    EXPECT_EQ(types, (std::vector<std::string>{"simple", "outer", "outer", "simple"}));
    EXPECT_EQ(zone["reference"]["x"].GetDouble(), 8000.0);
    EXPECT_EQ(zone["reference"]["y"].GetDouble(), 6000.0);

    const std::string svg = ReadFile(drawing);
    EXPECT_EQ(Occurrences(svg, "stroke=\"#d62728\""), 2u) << "the outer edges";
    EXPECT_EQ(Occurrences(svg, "stroke=\"#ff9f1a\""), 2u) << "the other edges";
    EXPECT_EQ(Occurrences(svg, "<svg "), 3u) << "before and after in one picture";
    EXPECT_EQ(Occurrences(svg, ">Double bed</text>"), 1u) << "the plan's furniture only after the import";

    const std::string summary = "Plan Import Complete\n\nCreated:\n  - Walls: 3\n  - Zones: 4\n  - Doors: 2\n"
                                "  - Furniture: 5\n\nFailed:\n  - Walls: 0\n  - Zones: 0\n  - Doors: 0\n"
                                "  - Furniture: 0";
    EXPECT_NE(demo.output.find("The page called importPlan and received:\n" + summary + "\n"),
              std::string::npos)
        << demo.output;
    // The report window in the order of the road: the room, the page, the import.
    const std::string report = ReadFile(TempPath("demo-report.txt"));
    size_t from = 0;
    for (const std::string& line : std::vector<std::string>{
             "[INFO] ZoneBoundaryUtils: Successfully extracted zone boundary data with reference point",
             "[INFO] WallBoundaryMatcher: Found 4 walls matching zone boundary",
             "[INFO] BuildingOrchestrator: Created unit zone 'Unit'",
             "[INFO] BuildingOrchestrator: Creating 5 furniture items...",
             "[INFO] BuildingOrchestrator: " + summary,
             "[INFO] GeneratePlanPalette: Triggered onSelectionChanged in production browser on attempt 1"}) {
        const size_t at = report.find(line + "\n", from);
        EXPECT_NE(at, std::string::npos) << line;
        from = at == std::string::npos ? from : at;
    }

    Outcome empty = RunHost("--report " + TempPath("empty-report.txt") + " demo");
    EXPECT_EQ(empty.status, 0) << empty.output;
    EXPECT_NE(empty.output.find("Text 4: Error: Failed to extract zone boundary (error: -2130313111)\n"),
              std::string::npos)
        << empty.output;
}

// The two-story house has a basement (-1), a ground floor (0) and a first floor (1).
TEST(TolvaHost, DrawsEveryStoryIntoItsOwnFile) {
    const std::string drawing = TempPath("house.svg");
    Outcome drawn = RunHost("--project " + std::string(TOLVA_SOURCE_DIR) +
                            "/examples/projects/two-story-house.json --report /dev/null --svg " + drawing +
                            " --story all info");
    ASSERT_EQ(drawn.status, 0) << drawn.output;
    const std::string stem = drawing.substr(0, drawing.size() - 4);
    for (const char* story : {"-1", "0", "1"}) {
        const std::string file = stem + "-story" + story + ".svg";
        EXPECT_NE(drawn.output.find("tolva-host: drew " + file + "\n"), std::string::npos) << drawn.output;
        EXPECT_EQ(ReadFile(file).rfind("<svg", 0), 0u) << file;
    }
    EXPECT_TRUE(ReadFile(stem + "-story2.svg").empty()) << "no story above the first floor";
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
        bool addOnRan = false; // then it has logged its quit before the session was refused
    };
    std::string notJson = WriteTemp("broken.json", "{\"steps\": [");
    std::string unknown =
        WriteTemp("unknown.json", R"({"steps": [{"action": "menu"}, {"action": "dance"}]})");
    std::string afterQuit = WriteTemp("after.json", R"({"steps": [{"action": "quit"}, {"action": "menu"}]})");
    std::string badField = WriteTemp("field.json", R"({"steps": [{"action": "event", "code": "one"}]})");
    std::string noSteps = WriteTemp("nosteps.json", R"([1, 2])");
    const size_t levels = 100000;
    std::string deep =
        WriteTemp("deep.json", R"({"steps": [{"action": "call", "command": "getPluginVersion", )"
                               R"("argument": )" +
                                   std::string(levels, '[') + std::string(levels, ']') + "}]}");
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
        {"run " + notJson, 1, "tolva-host: Session file is not JSON: ", true},
        {"run " + unknown, 1, "tolva-host: Session step 2: unknown action \"dance\"", true},
        {"run " + afterQuit, 1, "tolva-host: Session step 2: no step may follow \"quit\"", true},
        {"run " + badField, 1, "tolva-host: Session step 1: \"code\" must be an integer", true},
        {"run " + noSteps, 1, "tolva-host: Session file must be an object with a \"steps\" array", true},
        {"run " + deep, 1, "tolva-host: Session file nests deeper than 256 levels", true},
    };
    for (const Case& c : cases) {
        Outcome outcome = RunHost(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.arguments << "\n" << outcome.output;
        const std::string expected = (c.addOnRan ? CachesEmptied : std::string()) + c.message;
        EXPECT_EQ(outcome.output.rfind(expected, 0), 0u) << c.arguments << "\n" << outcome.output;
    }
}

} // namespace
