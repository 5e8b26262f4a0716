#include "RunHost.hpp"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <map>
#include <set>
#include <string>

namespace {

const std::string Examples = std::string(TOLVA_SOURCE_DIR) + "/examples/";
const std::string HarbourRowAnswer =
    "{\"success\":true,\"message\":\"Created: 55 zones | Skipped: 6 (Total: 61 spaces)\"}";

rapidjson::Document Json(const std::string& text) {
    rapidjson::Document document;
    document.Parse(text.c_str());
    EXPECT_FALSE(document.HasParseError()) << text.substr(0, 200);
    return document;
}

// How many zones each story of Harbour Row should get, read from the example's own files: every
// space with a type on the story its id names ("b1-2-u1-s3" is on story 2), and every unit on the
// story of its storyId. The host's stories are the building's, from 0.
std::map<int, int> ZonesPerStoryOfTheExample() {
    std::map<int, int> zones;
    const rapidjson::Document spaces = Json(ReadFile(Examples + "spaces/spaces.json"));
    for (const auto& space : spaces["value"].GetArray()) {
        if (space["spaceTypeId"].IsString()) {
            ++zones[std::stoi(std::string(space["id"].GetString()).substr(3))];
        }
    }
    const rapidjson::Document units = Json(ReadFile(Examples + "spaces/units.json"));
    for (const auto& unit : units["value"].GetArray()) {
        ++zones[std::stoi(std::string(unit["storyId"].GetString()).substr(3))];
    }
    return zones;
}

// The example session with its paths made absolute, as the tests do not run in the source folder.
std::string ExampleSession() {
    std::string session = ReadFile(Examples + "sessions/zones.json");
    for (size_t at = session.find("\"examples/"); at != std::string::npos;
         at = session.find("\"examples/", at + Examples.size())) {
        session.replace(at + 1, 9, Examples);
    }
    return WriteTemp("zones-session.json", session);
}

TEST(ZoneImportSessions, TheExampleSessionPutsEveryZoneOnItsStoryInOneUndoStep) {
    const std::string saved = TempPath("harbour-row.json");
    Outcome run =
        RunHost("--report " + TempPath("report.txt") + " --save " + saved + " run " + ExampleSession());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "ACAPI.importZonesFromSpaces: " + HarbourRowAnswer + "\nUndone\nRedone\n");

    const rapidjson::Document project = Json(ReadFile(saved));
    std::map<int, int> zonesPerStory;
    std::map<std::string, std::string> zoneNames;
    std::map<std::string, std::string> categories;
    std::set<std::string> labelled;
    int labels = 0;
    const auto& categoryList = project["attributes"]["zoneCategories"];
    for (const auto& element : project["elements"].GetArray()) {
        const std::string type = element["type"].GetString();
        if (type == "zone") {
            ++zonesPerStory[element["story"].GetInt()];
            const std::string name = element["name"].GetString();
            zoneNames[element["guid"].GetString()] = name;
            categories[name] = categoryList[element["category"].GetInt() - 1]["name"].GetString();
        } else if (type == "label") {
            ++labels;
            labelled.insert(zoneNames.at(element["zone"].GetString()));
            EXPECT_EQ(element["text"].GetString(), zoneNames.at(element["zone"].GetString()));
        } else {
            ADD_FAILURE() << "unexpected " << type;
        }
    }
    EXPECT_EQ(zonesPerStory, ZonesPerStoryOfTheExample());
    EXPECT_EQ(zonesPerStory, (std::map<int, int>{{0, 7}, {1, 16}, {2, 16}, {3, 16}}));
    int total = 0;
    for (const auto& [story, zones] : zonesPerStory) {
        total += zones;
    }
    EXPECT_EQ(total, 55) << "as many as the summary counts";

    EXPECT_EQ(categories.at("Shop"), "RETAIL_UNIT") << "found in upper case with an underscore";
    EXPECT_EQ(categories.at("Hall"), "Circulation");
    EXPECT_EQ(categories.at("Loggia"), categories.at("b1-2-u1")) << "no such category: the default one";
    EXPECT_EQ(labelled.count("Shop"), 1u);
    EXPECT_EQ(labelled.count("b1-0-u1"), 0u) << "units have no label";
    EXPECT_EQ(labels, 47) << "one for each of the 5 + 3 x 14 rooms";
    EXPECT_EQ(labelled.size(), 10u) << "the ten room names, no unit";
}

TEST(ZoneImportSessions, TheVerbImportsAFolderAndDrawsEveryStory) {
    const std::string drawing = TempPath("zones.svg");
    Outcome drawn = RunHost("--project " + Examples + "projects/harbour-row.json --report /dev/null --svg " +
                            drawing + " --story all import-zones " + Examples + "spaces");
    ASSERT_EQ(drawn.status, 0) << drawn.output;
    EXPECT_EQ(drawn.output.rfind(HarbourRowAnswer + "\n", 0), 0u) << drawn.output;
    const std::string stem = drawing.substr(0, drawing.size() - 4);
    const std::string firstFloor = ReadFile(stem + "-story1.svg");
    EXPECT_NE(firstFloor.find("Living room"), std::string::npos);
    EXPECT_NE(firstFloor.find("b1-1-u2"), std::string::npos);
    EXPECT_EQ(firstFloor.find("Shop"), std::string::npos) << "the shop is on the ground floor";

    Outcome none = RunHost("--report /dev/null import-zones " + Examples + "plans");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.output,
              R"({"success":false,"error":"At least one of spaces.json or units.json must be provided"})"
              "\n");
    Outcome missing = RunHost("--report /dev/null import-zones " + TempPath("nowhere"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("tolva-host: No folder "), std::string::npos) << missing.output;
}

} // namespace
