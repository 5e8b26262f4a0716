#include "Builders/ZoneBuilder.hpp"
#include "JSCommands/ImportZonesCommand.hpp"
#include "ReportLines.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/Stories.hpp"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <utility>

namespace {

using File = std::pair<std::string, std::string>;

// Two rooms at 0 and 3000 mm in the building's coordinates and a third without a type.
constexpr const char* SpacesJson = R"({"value": [
  {"id": "b1-0-u1-s1", "spaceTypeId": "st-bed", "labelPosition": [1000, 1000, 0],
   "polygon": {"type": "polygon", "polylines": [{"type": "polyline", "points": [[0, 0, 0], [2000, 0, 0], [2000, 2000, 0], [0, 2000, 0]]}]}},
  {"id": "b1-1-u1-s1", "spaceTypeId": "st-kitchen", "labelPosition": [3000, 1000, 3000],
   "polygon": {"type": "polygon", "polylines": [{"type": "polyline", "points": [[2000, 0, 0], [4000, 0, 0], [4000, 2000, 0], [2000, 2000, 0]]}]}},
  {"id": "b1-1-u1-s2", "spaceTypeId": null, "labelPosition": [5000, 1000, 3000],
   "polygon": {"type": "polygon", "polylines": [{"type": "polyline", "points": [[4000, 0, 0], [6000, 0, 0], [6000, 2000, 0], [4000, 2000, 0]]}]}}
]})";
constexpr const char* ProjectJson = R"({"spaceTypes": [
  {"id": "st-bed", "class": "Bedroom", "color": "#6FCF97", "displayName": "Bedroom"},
  {"id": "st-kitchen", "class": "Kitchen", "color": "#F2994A", "displayName": "Kitchen"}]})";
constexpr const char* UnitsJson = R"([
  {"id": "b1-1-u1", "storyId": "b1-1",
   "polygon": {"type": "polygon", "polylines": [{"type": "polyline", "points": [[0, 0, 0], [6000, 0, 0], [6000, 2000, 0], [0, 2000, 0]]}]}}])";
constexpr const char* StoriesJson =
    R"([{"id": "b1-0", "heightOffset": 0}, {"id": "b1-1", "heightOffset": 3000}])";

std::string FilesArgument(const std::vector<File>& files) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    writer.StartObject();
    writer.Key("files");
    writer.StartArray();
    for (const auto& [name, content] : files) {
        writer.StartObject();
        writer.Key("name");
        writer.String(name.c_str());
        writer.Key("content");
        writer.String(content.c_str());
        writer.EndObject();
    }
    writer.EndArray();
    writer.EndObject();
    return buffer.GetString();
}

class ImportZonesCommand : public ReportLines {
protected:
    void SetUp() override {
        ReportLines::SetUp();
        Tolva::Builders::ZoneBuilder::InvalidateCategoryCache();
        StandIn::Settings().stories = {{"Ground Floor", 3.0}, {"First Floor", 3.0}};
        StandIn::Host().report.clear();
    }

    static std::string Answer(const GS::Ref<JS::Base>& argument) {
        const GS::Ref<JS::Base> result = JSCommands::PlanImportCommands::ImportZonesFromSpaces(argument);
        return GS::DynamicCast<JS::Value>(result)->GetString().ToCStr(CC_UTF8).Get();
    }
    static std::string Answer(const std::string& text) {
        return Answer(GS::NewRef<JS::Value>(GS::UniString(text.c_str(), CC_UTF8)));
    }
    static std::string Import(const std::vector<File>& files) { return Answer(FilesArgument(files)); }

    static std::string Failure(const std::string& error) {
        return R"({"success":false,"error":")" + error + "\"}";
    }
    static std::string Success(const std::string& message) {
        return R"({"success":true,"message":")" + message + "\"}";
    }

    // Zone names on each floor, in creation order.
    static std::vector<std::pair<short, std::string>> Zones() {
        std::vector<std::pair<short, std::string>> zones;
        for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
            if (stored.element.header.type.typeID == API_ZoneID) {
                zones.emplace_back(stored.element.header.floorInd,
                                   GS::UniString(stored.element.zone.roomName).ToCStr(CC_UTF8).Get());
            }
        }
        return zones;
    }

    static bool HasLine(const std::string& line) {
        const std::vector<std::string> lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

using ZoneList = std::vector<std::pair<short, std::string>>;

TEST_F(ImportZonesCommand, RefusesAnArgumentThatIsNoFileList) {
    EXPECT_EQ(Answer(GS::Ref<JS::Base>()), Failure("Invalid parameters: Expected JSON string"));
    EXPECT_TRUE(HasLine("[ERROR] PlanImportCommands: Expected non-empty JSON parameter"));
    EXPECT_EQ(Answer("{\"files\": "), Failure("JSON parse error: Invalid value."));
    EXPECT_EQ(Answer(R"({"files": {}})"),
              Failure("Invalid format: Expected {files: [{name, content}, ...]}"));
    EXPECT_EQ(Answer(R"([{"files": []}])"),
              Failure("Invalid format: Expected {files: [{name, content}, ...]}"));
    EXPECT_EQ(Answer(R"({"files": []})"),
              Failure("At least one of spaces.json or units.json must be provided"));
    EXPECT_EQ(Import({{"Spaces.json", SpacesJson}, {"project.json", ProjectJson}, {"units.json", ""}}),
              Failure("At least one of spaces.json or units.json must be provided"))
        << "names are compared exactly and an empty file counts as none";
    EXPECT_EQ(Answer(R"({"files": [1, {"name": "spaces.json"}, {"name": 2, "content": "[]"}]})"),
              Failure("At least one of spaces.json or units.json must be provided"));
    EXPECT_EQ(Import({{"spaces.json", SpacesJson}, {"project.json", ""}}),
              Failure("project.json required when spaces.json is provided"));
    EXPECT_TRUE(HasLine("[ERROR] PlanImportCommands: project.json required when importing spaces"));
    EXPECT_EQ(
        Import({{"spaces.json", "{\"value\": 3}"}, {"project.json", ProjectJson}}),
        Failure("Parse error: spaces.json must be an array or an object with a 'value' array property"));
    EXPECT_TRUE(StandIn::TheModel().steps.empty()) << "no step was opened";
}

TEST_F(ImportZonesCommand, ImportsRoomsAndUnitsOntoTheirStoriesInOneUndoStep) {
    EXPECT_EQ(Import({{"units.json", UnitsJson},
                      {"spaces.json", SpacesJson},
                      {"stories.json", StoriesJson},
                      {"project.json", ProjectJson}}),
              Success("Created: 3 zones | Skipped: 1 (Total: 4 spaces)"));
    EXPECT_EQ(Zones(), (ZoneList{{0, "Bedroom"}, {1, "Kitchen"}, {1, "b1-1-u1"}}));
    EXPECT_TRUE(
        HasLine("[INFO] PlanImportCommands: stories.json provided - will use accurate elevation mapping"));
    EXPECT_TRUE(HasLine("[INFO] PlanImportCommands: units.json provided - will import unit zones"));
    EXPECT_TRUE(
        HasLine("[INFO] PlanImportCommands: Parsed 2 stories from stories.json for elevation mapping"));

    ASSERT_EQ(StandIn::TheModel().steps.size(), 1u);
    EXPECT_EQ(StandIn::TheModel().steps[0].name, GS::UniString("Import Tolva Zones"));
    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_TRUE(StandIn::TheModel().elements.empty()) << "zones and labels go with one undo";
}

TEST_F(ImportZonesCommand, UnitsAloneNeedNoProject) {
    EXPECT_EQ(Import({{"units.json", UnitsJson}}), Success("Successfully created all 1 zones"));
    EXPECT_EQ(Zones(), (ZoneList{{1, "b1-1-u1"}})) << "the unit's own level places it without stories";
    EXPECT_TRUE(HasLine(
        "[INFO] PlanImportCommands: Importing unit zones only (no spaces) - project.json not required"));
    EXPECT_TRUE(
        HasLine("[INFO] ParseSpacesData: No project.json provided - skipping space types (unit zones only)"));
    EXPECT_TRUE(
        HasLine("[WARNING] PlanImportCommands: stories.json not provided - zone placement may be incorrect "
                "for multi-building projects"));
}

TEST_F(ImportZonesCommand, TheLastOfTwoFilesWithOneNameIsRead) {
    const std::string oneSpace = R"([{"spaceTypeId": "st-bed", "labelPosition": [1000, 1000, 0],
        "polygon": {"type": "polygon", "polylines": [{"type": "polyline", "points": [[0, 0, 0], [2000, 0, 0], [2000, 2000, 0]]}]}}])";
    EXPECT_EQ(Import({{"spaces.json", SpacesJson}, {"project.json", ProjectJson}, {"spaces.json", oneSpace}}),
              Success("Successfully created all 1 zones"));
    EXPECT_EQ(Zones(), (ZoneList{{0, "Bedroom"}}));
}

TEST_F(ImportZonesCommand, StoriesThatDoNotParseLeaveThePlacementToTheSpaces) {
    EXPECT_EQ(Import({{"spaces.json", SpacesJson}, {"project.json", ProjectJson}, {"stories.json", "[{"}}),
              Success("Created: 2 zones | Skipped: 1 (Total: 3 spaces)"));
    EXPECT_EQ(Zones(), (ZoneList{{0, "Bedroom"}, {1, "Kitchen"}}));
    bool warned = false;
    for (const std::string& line : Lines()) {
        warned =
            warned || (line.rfind("[WARNING] PlanImportCommands: Failed to parse stories.json: ", 0) == 0 &&
                       line.find(" - using fallback mapping") != std::string::npos);
    }
    EXPECT_TRUE(warned);

    StandIn::Host().report.clear();
    EXPECT_EQ(Import({{"spaces.json", SpacesJson}, {"project.json", ProjectJson}, {"stories.json", "[]"}}),
              Success("Created: 2 zones | Skipped: 1 (Total: 3 spaces)"));
    EXPECT_TRUE(HasLine("[WARNING] PlanImportCommands: stories.json parsed but contains no stories - using "
                        "fallback mapping"));
}

TEST_F(ImportZonesCommand, AFailedImportIsTakenBackAndReported) {
    StandIn::Faults::Arm("ACAPI_ProjectSetting_GetStorySettings", APIERR_GENERAL);
    EXPECT_EQ(Import({{"spaces.json", SpacesJson}, {"project.json", ProjectJson}}),
              Failure("Error creating zones: -2130313215"));
    EXPECT_TRUE(StandIn::TheModel().elements.empty());

    StandIn::Faults::Arm("ACAPI_Element_Create:Label", APIERR_GENERAL, 1, 1);
    EXPECT_EQ(Import({{"spaces.json", SpacesJson}, {"project.json", ProjectJson}}),
              Success("Created: 2 zones | Skipped: 1 (Total: 3 spaces)"))
        << "a label the host refuses leaves its zone";
}

} // namespace
