#include "RunHost.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Apartment = std::string(TOLVA_SOURCE_DIR) + "/examples/projects/apartment.json";

TEST(ModelSessions, OpenSaveAndDrawTheProject) {
    std::string saved = TempPath("saved.json");
    std::string drawing = TempPath("plan.svg");
    Outcome run = RunHost("--project " + Apartment + " --save " + saved + " --svg " + drawing + " info");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(ReadFile(saved), ReadFile(Apartment));
    EXPECT_NE(ReadFile(drawing).find(">Living Room</text>"), std::string::npos);
    EXPECT_EQ(
        RunHost("--project " + Apartment + " --svg " + drawing + " --story 4 info").output,
        CachesEmptied +
            "Name: Tolva AddOn\nDescription: Tolva Works Add-On v1.0.6\nMenu: Tolva\n  Item: Launch Tolva "
            "(Beta)\n" +
            CachesEmptied + "tolva-host: Story 4 is not a story of the project\n");
}

TEST(ModelSessions, PlayTheModelStepsOfASession) {
    std::string saved = TempPath("after.json");
    std::string drawing = TempPath("step.svg");
    std::string session = WriteTemp("model-session.json", R"({"steps": [
        {"action": "open-project", "file": ")" + Apartment + R"("},
        {"action": "select", "name": "Bedroom"}, {"action": "select", "type": "wall"},
        {"action": "clear-selection"}, {"action": "active-story", "story": 0},
        {"action": "point", "x": 1.5, "y": "nan"}, {"action": "point", "cancel": true},
        {"action": "fault", "call": "ACAPI_Element_Create", "code": 2164654081},
        {"action": "undo"}, {"action": "redo"},
        {"action": "save-drawing", "file": ")" + drawing + R"("},
        {"action": "save-project", "file": ")" + saved + R"("}]})");
    Outcome run = RunHost("run " + session);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, CachesEmptied + "Nothing to undo\nNothing to redo\n" + CachesEmptied);
    EXPECT_EQ(ReadFile(saved), ReadFile(Apartment));
    EXPECT_NE(ReadFile(drawing).find("<svg"), std::string::npos);
}

TEST(ModelSessions, RefuseMalformedModelSteps) {
    const std::pair<std::string, std::string> cases[] = {
        {R"({"action": "select"})", "select needs \"guids\", \"type\" or \"name\""},
        {R"({"action": "select", "type": "tower"})",
         "\"type\" must be wall, slab, zone, line, polyline, grid, object, mesh or morph"},
        {R"({"action": "select", "guids": ["nope"]})", "\"guids\" must list GUID texts"},
        {R"({"action": "active-story", "story": 9})", "\"story\" is not a story of the project"},
        {R"({"action": "point", "x": 1})", "\"y\" must be a number"},
        {R"({"action": "fault", "code": 1})", "\"call\" must be a text"},
    };
    for (const auto& [step, message] : cases) {
        std::string session = WriteTemp("bad-step.json", "{\"steps\": [" + step + "]}");
        Outcome run = RunHost("run " + session);
        EXPECT_EQ(run.status, 1) << step;
        EXPECT_EQ(run.output, CachesEmptied + "tolva-host: Session step 1: " + message + "\n") << step;
    }
    Outcome missing =
        RunHost("run " + WriteTemp("open.json",
                                   R"({"steps": [{"action": "open-project", "file": "/no/such.json"}]})"));
    EXPECT_EQ(missing.output, CachesEmptied + "tolva-host: Cannot read the project file /no/such.json\n");
}

} // namespace
