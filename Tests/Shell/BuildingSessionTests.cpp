#include "RunHost.hpp"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <map>
#include <string>

namespace {

// The example session with its files named from the source folder, wherever the test runs.
std::string ExampleBuildingSession() {
    std::string text = ReadFile(std::string(TOLVA_SOURCE_DIR) + "/examples/sessions/building.json");
    const std::string relative = "\"examples/";
    for (size_t at = text.find(relative); at != std::string::npos; at = text.find(relative, at + 1)) {
        text.replace(at + 1, 0, std::string(TOLVA_SOURCE_DIR) + "/");
    }
    return text;
}

TEST(BuildingSessions, TheExampleBuildingImportsUndoesRedoesAndDrawsEveryStoryTrimmedBelowTheTop) {
    const std::string saved = TempPath("building-project.json");
    const std::string drawing = TempPath("building.svg");
    Outcome run = RunHost("--report " + TempPath("report.txt") + " --save " + saved + " --svg " + drawing +
                          " --story all run " + WriteTemp("building-session.json", ExampleBuildingSession()));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(
                  "ACAPI.importBuildingFromVariantData: {\"success\":true,\"message\":\"Building Import "
                  "Complete\\n\\nBuildings: 1\\nTotal Stories Imported: 3\\nUnique Elevations (Archicad "
                  "Floors): 3 (2 new floors created)"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Undone\nRedone\n"), std::string::npos) << run.output;

    rapidjson::Document project;
    project.Parse(ReadFile(saved).c_str());
    ASSERT_FALSE(project.HasParseError());
    std::map<std::string, std::map<int, int>> perStory;
    for (const auto& element : project["elements"].GetArray()) {
        ++perStory[element["type"].GetString()][element["story"].GetInt()];
    }
    for (int story = 0; story < 3; ++story) {
        EXPECT_EQ(perStory["slab"][story], 1) << story;
        EXPECT_EQ(perStory["zone"][story], 1) << story;
        EXPECT_EQ(perStory["door"][story], 4) << story;
        EXPECT_EQ(perStory["object"][story], 8) << story;
    }
    const std::string trimmed = "stroke=\"#e040fb\"";
    const std::string lower = ReadFile(drawing.substr(0, drawing.size() - 4) + "-story0.svg");
    const std::string top = ReadFile(drawing.substr(0, drawing.size() - 4) + "-story2.svg");
    EXPECT_EQ(Occurrences(lower, trimmed), 4u) << "the four facade walls below a slab";
    EXPECT_EQ(Occurrences(top, trimmed), 0u) << "nothing lies above the top story";
}

TEST(BuildingSessions, SeveralCallArgumentsGoAsOneArray) {
    const std::string stories = WriteTemp("stories.json", "[]");
    const std::string units = WriteTemp("units.json", "{}");
    Outcome run = RunHost("call importBuildingFromVariantData @" + stories + " @" + units + " '\"[]\"'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(
                  "{\"success\":false,\"error\":\"Parse error: Units JSON must be an array or an object "
                  "with a 'value' array property\"}"),
              std::string::npos)
        << run.output;
}

TEST(BuildingSessions, WithoutAProjectFileTheUntitledProjectTakesTheFurniture) {
    const std::string tower = std::string(TOLVA_SOURCE_DIR) + "/examples/buildings/tower/";
    std::string files;
    for (const char* name :
         {"stories", "units", "transitions", "furniture-instances", "furniture-templates"}) {
        files += " @" + tower + name + ".json";
    }
    Outcome run = RunHost("--report /dev/null call importBuildingFromVariantData" + files);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Furniture: 24\\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("(Failed:"), std::string::npos) << run.output;
}

TEST(BuildingSessions, ACallStepNamesTwoFilesOrMoreInFiles) {
    const std::string one = WriteTemp("one.json", "[]");
    for (const std::string& files :
         {"[\"" + one + "\"]", std::string("\"" + one + "\""), std::string("[1, 2]")}) {
        Outcome run = RunHost(
            "run " + WriteTemp("files-session.json", "{\"steps\": [{\"action\": \"call\", \"command\": "
                                                     "\"importBuildingFromVariantData\", \"files\": " +
                                                         files + "}]}"));
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find("Session step 1: \"files\" must"), std::string::npos) << run.output;
    }
}

} // namespace
