// tolva-host with its error-reporting receiver: what a session's errors and crashes report.
#include "Logging/EventJson.hpp"
#include "RunHost.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Text(const rapidjson::Value& object, const char* key) {
    return object.IsObject() && object.HasMember(key) && object[key].IsString() ? object[key].GetString()
                                                                                : "";
}

// The add-on installed in a folder of the test's own, so its error-reporting database is the test's.
class ReportingSession : public ::testing::Test {
protected:
    void SetUp() override {
        folder = TempPath("addon");
        fs::remove_all(folder);
        fs::create_directories(folder);
        addOn = folder + "/TolvaAddOn.so";
        fs::copy_file(TOLVA_ADDON_PATH, addOn);
    }
    void TearDown() override { fs::remove_all(folder); }

    Outcome Run(const std::string& events, const std::string& arguments) const {
        return RunHost("--addon " + addOn + " --receiver " + events + " " + arguments);
    }

    std::string folder;
    std::string addOn;
};

TEST_F(ReportingSession, WritesTheEventsThatReachedTheReceiver) {
    const std::string events = TempPath("events.jsonl");
    Outcome call = Run(events, "call launchBrowser 5");
    ASSERT_EQ(call.status, 0) << call.output;
    EXPECT_NE(call.output.find("[INFO] SentryLogger: Sentry SDK shut down"), std::string::npos)
        << call.output;
    const std::vector<std::string> received = Lines(ReadFile(events));
    ASSERT_EQ(received.size(), 1u) << ReadFile(events);
    const rapidjson::Document event = ParseEvent(received[0]);
    EXPECT_EQ(Text(event, "level"), "error");
    EXPECT_EQ(Text(event["message"], "formatted"), "Invalid URL: Must start with http:// or https://");
    EXPECT_EQ(Text(event["tags"], "category"), "API");
    EXPECT_EQ(Text(event, "release"), "tolva-archicad-plugin@1.0.6");
    EXPECT_EQ(Text(event, "environment"), "production");

    Outcome quiet = Run("-", "info");
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.output.find("SentryLogger"), std::string::npos)
        << "no error, no library: " << quiet.output;
    EXPECT_EQ(quiet.output.find("{\"event_id\""), std::string::npos) << quiet.output;
}

TEST_F(ReportingSession, ReportsACrashOfTheHostAtTheNextStart) {
    const std::string crash = WriteTemp("crash.json", R"({"steps": [
        {"action": "call", "command": "launchBrowser", "argument": 5}, {"action": "crash"}]})");
    Outcome crashed = Run(TempPath("crashed.jsonl"), "run " + crash);
    ASSERT_NE(crashed.status, 0) << crashed.output;
    EXPECT_NE(crashed.output.find("[INFO] SentryLogger: Sentry SDK initialized successfully"),
              std::string::npos)
        << "reporting had started before the crash: " << crashed.output;

    const std::string after = WriteTemp("after.json", R"({"steps": [
        {"action": "call", "command": "launchBrowser", "argument": 6}]})");
    const std::string events = TempPath("after.jsonl");
    Outcome next = Run(events, "run " + after);
    ASSERT_EQ(next.status, 0) << next.output;
    bool crashReported = false;
    for (const std::string& line : Lines(ReadFile(events))) {
        const rapidjson::Document event = ParseEvent(line);
        if (Text(event, "level") != "fatal") {
            continue;
        }
        const rapidjson::Value& exception = event["exception"]["values"][0];
        EXPECT_EQ(Text(exception, "type"), "SIGSEGV");
        EXPECT_EQ(Text(exception["mechanism"], "type"), "signalhandler");
        EXPECT_EQ(Text(event, "release"), "tolva-archicad-plugin@1.0.6");
        crashReported = true;
    }
    EXPECT_TRUE(crashReported) << ReadFile(events);
}

} // namespace
