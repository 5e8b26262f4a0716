#include "HttpServers/LocalHttpServer.hpp"
#include "RunHost.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* Alert =
    "[alert] Your Tolva Archicad plugin is outdated and cannot be used. Please download "
    "the latest version from https://tolva.ai.\n";
constexpr const char* Denied =
    "[ERROR] VersionCheck: Current plugin version is below minimum required version. Plugin access denied.\n";
constexpr const char* Started = "[INFO] VersionCheck: Starting version check...\n";
const std::string Apartment = std::string(TOLVA_SOURCE_DIR) + "/examples/projects/apartment.json";

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Chooses the menu item three times, asking after each whether the plan palette shows.
std::string ToggleThreeTimes() {
    const std::string visible = R"({"action": "palette-message", "palette": 2901477143, "message": 7})";
    return WriteTemp("toggle.json", R"({"steps": [{"action": "menu"}, )" + visible +
                                        R"(, {"action": "menu"}, )" + visible + R"(, {"action": "menu"}, )" +
                                        visible + "]}");
}

TEST(VersionGate, TheServiceIsAskedOncePerRunWhileTheMenuTogglesThePalette) {
    LocalHttpServer service(200, R"({"minimumVersionAllowed": "1.0.0", "latestVersion": "1.0.7"})");
    const std::string report = TempPath("report.txt");
    Outcome run = RunHost("--version-service " + service.Address() + " --report " + report + " run " +
                          ToggleThreeTimes());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "Palette 2901477143 visible: yes\nPalette 2901477143 visible: no\n"
                          "Palette 2901477143 visible: yes\n");
    EXPECT_EQ(service.Requests().size(), 1u);
    const std::string lines = ReadFile(report);
    EXPECT_EQ(Count(lines, Started), 1u) << lines;
    EXPECT_EQ(Count(lines, "[INFO] VersionCheck: New version available: 1.0.7 (current: 1.0.6)\n"), 1u)
        << lines;
    EXPECT_EQ(Count(lines, "[alert]"), 0u) << lines;
}

TEST(VersionGate, ARefusalIsRememberedAndShownAtEveryLaunch) {
    LocalHttpServer service(426, "Upgrade required");
    const std::string report = TempPath("report.txt");
    Outcome run = RunHost("--version-service " + service.Address() + " --report " + report + " run " +
                          ToggleThreeTimes());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "Palette 2901477143 visible: no\nPalette 2901477143 visible: no\n"
                          "Palette 2901477143 visible: no\n");
    EXPECT_EQ(service.Requests().size(), 1u);
    const std::string lines = ReadFile(report);
    EXPECT_EQ(Count(lines, Started), 1u) << lines;
    EXPECT_EQ(Count(lines,
                    "[ERROR] VersionCheck: Server returned 426: Plugin version is not allowed (response: "
                    "Upgrade required)\n"),
              1u)
        << lines;
    EXPECT_EQ(Count(lines, std::string(Alert) + Denied), 3u) << "the alert, then the error line, each time";
}

TEST(VersionGate, TheDemoStopsAtARefusalAndRunsWhenAllowed) {
    LocalHttpServer service(200, R"({"minimumVersionAllowed": "1.1.0"})");
    const std::string report = TempPath("refused.txt");
    Outcome refused = RunHost("--version-service " + service.Address() + " --report " + report +
                              " --project " + Apartment + " demo");
    EXPECT_EQ(refused.status, 0) << refused.output;
    EXPECT_NE(
        refused.output.find("Choosing Tolva > Launch Tolva (Beta)\nThe plan generation palette did not open\n"
                            "Quitting\n"),
        std::string::npos)
        << refused.output;
    EXPECT_EQ(Count(ReadFile(report), Alert), 1u);

    service.Answer(200, R"({"minimumVersionAllowed": "1.0.6"})");
    Outcome allowed = RunHost("--version-service " + service.Address() + " --report " +
                              TempPath("allowed.txt") + " --project " + Apartment + " demo");
    EXPECT_EQ(allowed.status, 0) << allowed.output;
    EXPECT_NE(allowed.output.find("The page called getSelection and received:\n{\"bounds\":"),
              std::string::npos)
        << allowed.output;
    EXPECT_EQ(service.Requests().size(), 2u) << "one check in each run";
}

TEST(VersionGate, AVersionServiceMustBeThisMachineOverPlainHttp) {
    Outcome outcome = RunHost("--version-service http://example.com:8080 info");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(
        outcome.output,
        "tolva-host: Plain HTTP is only allowed to this machine (127.0.0.1): http://example.com:8080\n");
}

} // namespace
