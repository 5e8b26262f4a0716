// Error reporting with the real sentry-native, its reports routed to a receiver on 127.0.0.1. Each
// scenario runs in a fresh process, as error reporting's state lives as long as the process.
#include "Browser/ReportLines.hpp"
#include "EventJson.hpp"
#include "Logging/ErrorAggregation.hpp"
#include "Logging/Logger.hpp"
#include "Logging/SentryLogger.hpp"
#include "StandIn/EventReceiver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/WindowsPaths.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;

const std::string DsnKey = "8c3f5a1e7b9d4f2a6c0e1b3d5f7a9c2e";
const std::string EnvelopePath = "/api/4508123456789013/envelope/";

class ErrorReporting : public ::testing::Test {
protected:
    void SetUp() override {
        StandIn::ResetHost();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::path(::testing::TempDir()) / (std::string("reporting.") + test->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Runs the scenario in a child process; its failures fail the test.
    static void InFreshProcess(const std::function<void()>& scenario) {
        std::cout.flush();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The child must end here, whatever happens: it never returns into the test program.
            try {
                scenario();
            } catch (const std::exception& e) {
                ADD_FAILURE() << "exception: " << e.what();
            } catch (...) {
                ADD_FAILURE() << "unknown exception";
            }
            _exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the scenario's process failed";
    }

    // The add-on's file as Windows shows it, in the test's folder (or a folder inside it).
    std::string AddOnFile(const std::string& subfolder = "") const {
        return StandIn::WindowsPathOf((folder / subfolder).lexically_normal().string()) + "\\Tolva.apx";
    }
    std::string AddOnFolder() const { return AddOnFile().substr(0, AddOnFile().size() - 9); }

    // Reports go to the receiver; the add-on lies in the test's folder on the computer "ABC".
    void Install(const StandIn::EventReceiver& receiver) const {
        StandIn::Host().errorReporting.receiver = receiver.Address();
        StandIn::Host().system.moduleFileName = AddOnFile();
        StandIn::Host().system.computerName = "ABC";
    }

    std::vector<std::string> SetUpLines() const {
        return {"[WARNING] SentryLogger: Crashpad handler not found: " + AddOnFolder() +
                    "crashpad_handler.exe",
                "[INFO] SentryLogger: Sentry SDK initialized successfully"};
    }

    fs::path folder;
};

TEST_F(ErrorReporting, SendsAnErrorAsAMessageEventWithItsCategory) {
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        Logger::Error("API", "Expected string parameter");
        SentryLogger::Shutdown();
        const std::vector<std::string> setUp = SetUpLines();
        EXPECT_EQ(ReportedLines(),
                  (std::vector<std::string>{"[ERROR] API: Expected string parameter", setUp[0], setUp[1],
                                            "[INFO] SentryLogger: Sentry SDK shut down"}));

        const StandIn::ErrorReportingState& state = StandIn::Host().errorReporting;
        EXPECT_EQ(state.dsns, (std::vector<std::string>{TOLVA_SENTRY_DSN}));
        EXPECT_EQ(state.databasePaths, (std::vector<std::string>{AddOnFolder() + ".sentry-native"}));
        EXPECT_EQ(state.handlerPaths, (std::vector<std::string>{AddOnFolder() + "crashpad_handler.exe"}));
        EXPECT_TRUE(fs::is_directory(folder / ".sentry-native"))
            << "the library's database beside the add-on";

        const std::vector<std::string> events = receiver.Events();
        ASSERT_EQ(events.size(), 1u);
        const rapidjson::Document event = ParseEvent(events[0]);
        EXPECT_EQ(Text(event, "level"), "error");
        EXPECT_EQ(Text(event, "logger"), "API");
        EXPECT_EQ(Text(event["message"], "formatted"), "Expected string parameter");
        EXPECT_EQ(Text(event, "release"), "tolva-archicad-plugin@1.0.6");
        EXPECT_EQ(Text(event, "environment"), "production");
        EXPECT_EQ(Text(event["user"], "id"), "user-0b87d02b");
        const rapidjson::Value& tags = event["tags"];
        EXPECT_EQ(Text(tags, "category"), "API");
        EXPECT_EQ(Text(tags, "archicad.version"), "29");
        EXPECT_EQ(Text(tags, "plugin.version"), "1.0.6");
        EXPECT_EQ(Text(tags, "platform"), "Windows-Release");
        const StandIn::ReceivedEnvelope envelope = receiver.Envelopes().front();
        EXPECT_EQ(envelope.path, EnvelopePath);
        EXPECT_NE(envelope.authorization.find("sentry_key=" + DsnKey), std::string::npos)
            << envelope.authorization;
    });
}

TEST_F(ErrorReporting, SendsAScopesErrorsAsOneEventWithItsTagsInOrder) {
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        {
            ErrorAggregation::ErrorAggregationScope scope("Wall Creation", 100);
            for (int i = 0; i < 97; ++i) {
                scope.RecordSuccess();
            }
            for (const char* wall : {"W7", "W9"}) {
                scope.RecordFailure();
                Logger::Error("WallBuilder",
                              GS::UniString::Printf("Failed to create wall '%s': error 4", wall));
            }
            Logger::ErrorWithContext("MaterialManager", "No valid fill pattern found in project", "wall W9");
            EXPECT_EQ(StandIn::Host().errorReporting.initAttempts, 0)
                << "nothing is sent before the scope ends";
        }
        EXPECT_EQ(ReportedLines().back(),
                  "[INFO] SentryLogger: Sent aggregated Sentry event: Wall Creation (3 errors, 2 patterns)");
        SentryLogger::Shutdown();

        const std::vector<std::string> events = receiver.Events();
        ASSERT_EQ(events.size(), 1u);
        const rapidjson::Document event = ParseEvent(events[0]);
        EXPECT_EQ(Text(event, "message"), "Wall Creation: 3 errors (2 patterns) - 97/100 items succeeded");
        EXPECT_EQ(Text(event, "level"), "error");
        EXPECT_EQ(Text(event, "release"), "tolva-archicad-plugin@1.0.6");
        std::vector<std::string> tagNames;
        for (const auto& tag : event["tags"].GetObject()) {
            tagNames.push_back(tag.name.GetString());
        }
        EXPECT_EQ(tagNames,
                  (std::vector<std::string>{"operation_type", "total_items", "success_count", "failed_count",
                                            "skipped_count", "unique_error_patterns", "archicad.version",
                                            "plugin.version", "platform"}));
        EXPECT_EQ(event["tags"]["success_count"].GetInt(), 97);
        EXPECT_EQ(event["tags"]["failed_count"].GetInt(), 2);
        const rapidjson::Value& groups = event["extra"]["error_groups"];
        ASSERT_EQ(groups.Size(), 2u);
        EXPECT_EQ(Text(groups[0], "pattern"), "Failed to create wall <name>: error <N>");
        EXPECT_EQ(groups[0]["count"].GetInt(), 2);
        EXPECT_EQ(groups[0]["categories"]["WallBuilder"].GetInt(), 2);
        EXPECT_EQ(Text(groups[0]["samples"][1], "message"), "Failed to create wall 'W9': error 4");
        EXPECT_TRUE(groups[0]["samples"][1]["timestamp"].IsUint64());
        EXPECT_EQ(Text(groups[1]["samples"][0], "context"), "wall W9");
    });
}

TEST_F(ErrorReporting, SendsNothingForAScopeWithoutErrorLines) {
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        {
            ErrorAggregation::ErrorAggregationScope scope("Door Creation", 3);
            scope.RecordFailure();
            scope.RecordFailure();
            Logger::Warning("DoorBuilder", "Door 'D1' skipped: no wall nearby");
        }
        SentryLogger::Shutdown();
        EXPECT_EQ(ReportedLines(),
                  (std::vector<std::string>{"[WARNING] DoorBuilder: Door 'D1' skipped: no wall nearby"}));
        EXPECT_EQ(StandIn::Host().errorReporting.initAttempts, 0) << "the library is never started";
        EXPECT_TRUE(receiver.Envelopes().empty());
    });
}

TEST_F(ErrorReporting, MakesNoFurtherAttemptAfterAFailedSetUp) {
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        // The add-on's folder is a file, so the library cannot make its database there.
        std::ofstream(folder / "blocked") << "not a folder";
        StandIn::Host().system.moduleFileName = AddOnFile("blocked");
        for (int i = 0; i < 5; ++i) {
            Logger::Error("API", GS::UniString::Printf("Error %d", i));
        }
        SentryLogger::Shutdown();
        const std::vector<std::string> lines = ReportedLines();
        ASSERT_EQ(lines.size(), 7u);
        EXPECT_EQ(lines[2], "[WARNING] SentryLogger: Failed to initialize Sentry SDK: 1");
        EXPECT_EQ(lines[6], "[ERROR] API: Error 4");
        EXPECT_EQ(StandIn::Host().errorReporting.initAttempts, 1);
        EXPECT_EQ(StandIn::Faults::CallCount("GetModuleHandleExA"), 1);
        EXPECT_EQ(StandIn::Host().errorReporting.closes, 0);
        EXPECT_TRUE(receiver.Envelopes().empty());
    });
}

TEST_F(ErrorReporting, StartsQuietlyWithACrashHandlerBesideTheAddOn) {
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        std::ofstream(folder / "crashpad_handler.exe") << "handler";
        Logger::Error("API", "First");
        EXPECT_EQ(ReportedLines(),
                  (std::vector<std::string>{"[ERROR] API: First",
                                            "[INFO] SentryLogger: Sentry SDK initialized successfully"}));
        SentryLogger::Shutdown();
    });
}

TEST_F(ErrorReporting, UsesTheLibrarysDefaultsWhenTheAddOnFileIsUnknown) {
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        ASSERT_EQ(chdir(folder.c_str()), 0) << "the library's default database is in the working folder";
        StandIn::Faults::Arm("GetModuleFileNameA", 1);
        Logger::Error("API", "First");
        SentryLogger::Shutdown();
        EXPECT_EQ(ReportedLines(),
                  (std::vector<std::string>{"[ERROR] API: First",
                                            "[INFO] SentryLogger: Sentry SDK initialized successfully",
                                            "[INFO] SentryLogger: Sentry SDK shut down"}));
        EXPECT_TRUE(StandIn::Host().errorReporting.databasePaths.empty());
        EXPECT_TRUE(StandIn::Host().errorReporting.handlerPaths.empty());
        EXPECT_EQ(receiver.Events().size(), 1u);
    });
}

TEST_F(ErrorReporting, KeepsTheDatabaseInTheTemporaryFolderWhenTheAddOnsPathIsTooLong) {
    struct Case {
        const char* name;
        size_t folderLength; // of the add-on's folder's last part
    };
    // The folder alone fits, its database path does not; the add-on's own path is already cut off.
    const Case cases[] = {{"database path over the limit", 220}, {"add-on path over the limit", 300}};
    for (const Case& c : cases) {
        InFreshProcess([&] {
            StandIn::EventReceiver receiver;
            Install(receiver);
            StandIn::Host().system.moduleFileName = AddOnFile(std::string(c.folderLength, 'f'));
            fs::create_directories(folder / "tmp");
            fs::create_directories(folder / "work");
            const std::string temporary = StandIn::WindowsPathOf((folder / "tmp").string()) + "\\";
            StandIn::Host().system.tempFolder = temporary;
            ASSERT_EQ(chdir((folder / "work").c_str()), 0);
            Logger::Error("API", "First");
            SentryLogger::Shutdown();
            const std::vector<std::string> lines = ReportedLines();
            ASSERT_EQ(lines.size(), 5u) << c.name;
            EXPECT_EQ(
                lines[1].rfind("[WARNING] SentryLogger: Add-on folder too long for Sentry's files: ", 0), 0u)
                << c.name;
            EXPECT_EQ(lines[2],
                      "[WARNING] SentryLogger: Keeping Sentry's database in the temporary folder: " +
                          temporary)
                << c.name;
            EXPECT_EQ(lines[3], "[INFO] SentryLogger: Sentry SDK initialized successfully") << c.name;
            const StandIn::ErrorReportingState& state = StandIn::Host().errorReporting;
            EXPECT_EQ(state.databasePaths, (std::vector<std::string>{temporary + ".sentry-native"}))
                << c.name;
            EXPECT_TRUE(state.handlerPaths.empty()) << c.name;
            EXPECT_TRUE(fs::is_directory(folder / "tmp" / ".sentry-native")) << c.name;
            EXPECT_FALSE(fs::exists(folder / "work" / ".sentry-native"))
                << c.name << ": never the working folder";
            EXPECT_EQ(receiver.Events().size(), 1u) << c.name;
        });
    }
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        StandIn::Host().system.moduleFileName = AddOnFile(std::string(240, 'f'));
        StandIn::Faults::Arm("GetTempPathA", 1);
        Logger::Error("API", "First");
        const std::vector<std::string> lines = ReportedLines();
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[2],
                  "[WARNING] SentryLogger: No folder for Sentry's database - error reporting is off");
        EXPECT_EQ(StandIn::Host().errorReporting.initAttempts, 0);
        EXPECT_TRUE(receiver.Envelopes().empty());
    });
}

TEST_F(ErrorReporting, TurnsItselfOffWhenTheLibraryCannotBeSetUp) {
    InFreshProcess([&] {
        StandIn::Faults::Arm("sentry_options_new", 1);
        Logger::Error("API", "First");
        Logger::Error("API", "Second");
        EXPECT_EQ(ReportedLines(),
                  (std::vector<std::string>{"[ERROR] API: First",
                                            "[WARNING] SentryLogger: Failed to create Sentry options",
                                            "[ERROR] API: Second"}));
        EXPECT_EQ(StandIn::Host().errorReporting.initAttempts, 0);
    });
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        StandIn::Faults::Arm("sentry_init:throw", 1);
        Logger::Error("API", "First");
        Logger::Error("API", "Second");
        const std::vector<std::string> lines = ReportedLines();
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[2], "[WARNING] SentryLogger: Exception during Sentry initialization");
        EXPECT_EQ(StandIn::Host().errorReporting.initAttempts, 1);
    });
}

TEST_F(ErrorReporting, SendsNothingAfterTheRelease) {
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        SentryLogger::Shutdown();
        EXPECT_TRUE(ReportedLines().empty()) << "never started, nothing to shut down";
        Logger::Error("API", "After the release");
        EXPECT_EQ(StandIn::Host().errorReporting.initAttempts, 0);
        EXPECT_EQ(StandIn::Host().errorReporting.closes, 0);
    });
    InFreshProcess([&] {
        StandIn::EventReceiver receiver;
        Install(receiver);
        Logger::Error("API", "Before the release");
        SentryLogger::Shutdown();
        Logger::Error("API", "After the release");
        {
            ErrorAggregation::ErrorAggregationScope scope("Zone Import", 1);
            Logger::Error("ZoneBuilder", "After the release too");
        }
        EXPECT_EQ(ReportedLines().back(), "[ERROR] ZoneBuilder: After the release too");
        EXPECT_EQ(StandIn::Host().errorReporting.initAttempts, 1);
        EXPECT_EQ(StandIn::Host().errorReporting.closes, 1);
        const std::vector<std::string> events = receiver.Events();
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(Text(ParseEvent(events[0])["message"], "formatted"), "Before the release");
    });
}

} // namespace
