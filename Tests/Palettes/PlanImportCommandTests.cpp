#include "RunningAddOn.hpp"

#include "Page/PageRegistry.hpp"
#include "StandIn/Stories.hpp"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string PlanFile = std::string(TOLVA_SOURCE_DIR) + "/examples/plans/apartment-bedroom-plan.json";
constexpr const char* NothingCreated = "{\"success\":false,\"error\":\"Error importing plan: -2130313112\"}";

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text as a JSON string, as the page passes JSON.stringify's result.
std::string Quoted(const std::string& text) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    writer.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
    return buffer.GetString();
}

// The bedroom plan's template object as JSON text.
std::string BedroomPlan() {
    rapidjson::Document plan;
    plan.Parse(ReadText(PlanFile).c_str());
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    plan["planTemplate"].Accept(writer);
    return buffer.GetString();
}

// The saved project's elements: what an undo step takes back (the host keeps attributes and
// library parts made in a step).
std::string ElementsOf(const std::string& savedProject) {
    rapidjson::Document project;
    project.Parse(savedProject.c_str());
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    project["elements"].Accept(writer);
    return buffer.GetString();
}

std::string Parameter(const std::string& reference, const std::string& planTemplate) {
    return "{\"reference\":" + reference + ",\"planTemplate\":" + planTemplate + "}";
}

// A plan with walls only of the story's outline, which the import leaves to the story.
constexpr const char* EmptyPlan =
    R"({"type":"plan","planType":"floor","id":"p-empty","wallGuides":{"edgeGraph":{"edges":[[0,1]],)"
    R"("vertices":[[6060,4560,0],[9850,4560,0]]},"guides":{"0":{"source":"story-plan",)"
    R"("geometry":{"type":"simple","width":100}}}}})";

std::string Summary(int walls, int zones, int doors, int furniture) {
    return "Plan Import Complete\n\nCreated:\n  - Walls: " + std::to_string(walls) +
           "\n  - Zones: " + std::to_string(zones) + "\n  - Doors: " + std::to_string(doors) +
           "\n  - Furniture: " + std::to_string(furniture) +
           "\n\nFailed:\n  - Walls: 0\n  - Zones: 0\n  - Doors: 0\n  - Furniture: 0";
}

std::string Succeeded(const std::string& message) {
    return "{\"success\":true,\"message\":\"" + message + "\"}";
}

std::string Escaped(std::string text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.replace(at, 1, "\\n");
    }
    return text;
}

class PlanImportCommand : public RunningAddOn {
protected:
    void SetUp() override {
        RunningAddOn::SetUp();
        StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
        StandIn::Host().report.clear();
    }
    void TearDown() override {
        RunningAddOn::TearDown();
        StandIn::PageRegistry::Reset();
    }
    static std::string Import(const std::string& parameterText) { return ImportValue(Quoted(parameterText)); }
    static std::string ImportValue(const std::string& argument) {
        return StandIn::DialogDriver::PageOf(Page()).CallObjectFunction("ACAPI", "importPlan", argument).text;
    }
    static std::map<API_ElemTypeID, int> CountByType(short story) {
        std::map<API_ElemTypeID, int> counts;
        for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
            if (stored.element.header.floorInd == story) {
                ++counts[stored.element.header.type.typeID];
            }
        }
        return counts;
    }
    // The lines in the given order, others between them allowed.
    static bool LoggedInOrder(const std::vector<std::string>& expected) {
        size_t next = 0;
        for (const std::string& line : ReportLines()) {
            if (next < expected.size() && line == expected[next]) {
                ++next;
            }
        }
        return next == expected.size();
    }
    // Click in a room so that the add-on caches its point.
    static void ClickRoomAt(double x, double y) {
        StandIn::QueuePointAnswer({NoError, {x, y, 0}});
        StandIn::DialogDriver::PageOf(Page()).CallObjectFunction("ACAPI", "getZoneAtPoint", "null");
    }
};

TEST_F(PlanImportCommand, RefusesArgumentsStepByStepWithTheirTexts) {
    const std::string plan = BedroomPlan();
    struct Case {
        std::string argument; // as the page passes it
        std::string error;
    };
    const Case cases[] = {
        {"null", "Expected string parameter"},
        {"42", "Expected string parameter"},
        {Quoted(""), "Empty parameter string"},
        {Quoted(" " + Parameter("{\"x\":8000,\"y\":6000}", plan)),
         "Invalid parameter format. Use: ACAPI.importPlan(JSON.stringify({reference: {x, y}, planTemplate: "
         "object}))"},
        {Quoted("{\"reference\":"),
         "Invalid JSON object format. Expected: {reference: {x, y}, planTemplate: object}"},
        {Quoted("{\"planTemplate\":" + plan + "}"),
         "Missing 'reference' field and no cached reference point available. Please call getZoneAtPoint() "
         "first "
         "to establish a reference point, or include 'reference' in your JSON."},
        {Quoted(Parameter("{\"x\":\"1\",\"y\":2}", plan)), "'reference.x' must be a number (in millimeters)"},
        {Quoted(Parameter("{\"x\":1}", plan)), "'reference.y' must be a number (in millimeters)"},
        {Quoted("{\"reference\":{\"x\":1,\"y\":2}}"),
         "Missing 'planTemplate' field. Expected: {zoneId: string, planTemplate: object}"},
        {Quoted(Parameter("{\"x\":1,\"y\":2}", "[]")),
         "'planTemplate' must be an object (the plan template data)"},
        {Quoted(Parameter("{\"x\":1,\"y\":2}", "{\"type\":\"plan\",\"planType\":\"unit\"}")),
         "Parse error: Missing required field 'id' in planTemplate"},
    };
    const std::string before = StandIn::SaveProject();
    for (const Case& c : cases) {
        EXPECT_EQ(ImportValue(c.argument), "{\"success\":false,\"error\":\"" + c.error + "\"}") << c.argument;
    }
    EXPECT_TRUE(Reported("[ERROR] PlanImportCommands: Invalid parameter format. Expected JSON object with "
                         "reference and planTemplate."));
    EXPECT_TRUE(
        Reported("[ERROR] PlanImportCommands: Error parsing planTemplate: Missing required field 'id' in "
                 "planTemplate"));
    EXPECT_EQ(ImportValue("{\"reference\":{\"x\":1}}"),
              "{\"success\":false,\"error\":\"An error occurred while processing your request.\"}")
        << "an object cannot be read as a value";
    EXPECT_EQ(StandIn::SaveProject(), before);
    EXPECT_TRUE(StandIn::TheModel().steps.empty()) << "no step was opened";
}

TEST_F(PlanImportCommand, AMissingOrMalformedReferenceFallsBackToTheLastClickAndAGivenOneLeavesItAlone) {
    ClickRoomAt(8, 6);
    EXPECT_EQ(Import(Parameter("{\"x\":500,\"y\":500}", EmptyPlan)), NothingCreated)
        << "a given reference is searched: the living room";
    EXPECT_EQ(Import("{\"reference\":\"here\",\"planTemplate\":" + std::string(EmptyPlan) + "}"),
              NothingCreated);
    EXPECT_TRUE(
        LoggedInOrder({"[INFO] PlanImportCommands: Saving initial reference point: (8000.00, 6000.00) mm",
                       "[INFO] PlanImportCommands: Using cached reference from previous getZoneAtPoint: "
                       "(8000.00, 6000.00) mm",
                       "[WARNING] PlanImportCommands: No reference provided in importPlan call - using "
                       "cached value. Consider "
                       "including reference explicitly in your JSON for more reliable imports."}));
}

TEST_F(PlanImportCommand, TheBedroomPlanIsOneUndoStepWhoseSummaryMatchesTheProject) {
    const std::map<API_ElemTypeID, int> countsBefore = CountByType(0);
    const std::string before = StandIn::SaveProject();
    const std::string answer = Import(Parameter("{\"x\":8000,\"y\":6000}", BedroomPlan()));
    EXPECT_EQ(answer, Succeeded(Escaped(Summary(3, 4, 2, 5))));
    std::map<API_ElemTypeID, int> added = CountByType(0);
    for (const auto& [type, count] : countsBefore) {
        added[type] -= count;
    }
    EXPECT_EQ(added[API_WallID], 3);
    EXPECT_EQ(added[API_ZoneID], 4) << "three rooms and the unit";
    EXPECT_EQ(added[API_DoorID], 2);
    EXPECT_EQ(added[API_ObjectID], 5);
    ASSERT_EQ(StandIn::TheModel().steps.size(), 1u);
    EXPECT_EQ(StandIn::TheModel().steps[0].name, GS::UniString("Import Tolva Plan"));
    EXPECT_TRUE(LoggedInOrder({"[INFO] WallBoundaryMatcher: Matching walls to zone boundary with 4 vertices",
                               "[INFO] WallBoundaryMatcher: Found 4 walls matching zone boundary",
                               "[INFO] BuildingOrchestrator: Created unit zone 'Unit'",
                               "[INFO] BuildingOrchestrator: Creating 5 furniture items...",
                               "[INFO] BuildingOrchestrator: " + Summary(3, 4, 2, 5)}));

    const std::string after = StandIn::SaveProject();
    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_EQ(ElementsOf(StandIn::SaveProject()), ElementsOf(before));
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(StandIn::SaveProject(), after);
}

TEST_F(PlanImportCommand, AnImportThatCreatesNothingOrFindsNoRoomLeavesTheProjectAsItWas) {
    const std::string before = StandIn::SaveProject();
    EXPECT_EQ(Import(Parameter("{\"x\":8000,\"y\":6000}", EmptyPlan)), NothingCreated);
    EXPECT_EQ(StandIn::SaveProject(), before);

    EXPECT_EQ(Import(Parameter("{\"x\":12500,\"y\":3000}", BedroomPlan())),
              "{\"success\":false,\"error\":\"Error importing plan: -2130313111\"}")
        << "outside the building no temporary zone can be made";
    EXPECT_TRUE(Reported("[INFO] TemporaryZoneCreator: CreateTemporaryZoneAtPoint at (12.50, 3.00)"));
    EXPECT_TRUE(
        Reported("[ERROR] PlanImportCommands: Cannot create zone at this location. The reference point "
                 "must be inside a fully enclosed space with walls. Please click a point inside a closed "
                 "room or create a zone manually in Archicad first."));
    EXPECT_EQ(StandIn::SaveProject(), before);
}

TEST_F(PlanImportCommand, ARoomWithoutAZoneGetsATemporaryOneThatIsGoneAfterwards) {
    const API_Guid bedroom = StandIn::TheModel().elements[8].element.header.guid;
    ASSERT_EQ(GS::UniString(StandIn::TheModel().elements[8].element.zone.roomName), GS::UniString("Bedroom"));
    GS::Array<API_Guid> zone;
    zone.Push(bedroom);
    ASSERT_EQ(ACAPI_CallUndoableCommand("Delete", [&] { return ACAPI_Element_Delete(zone); }), NoError);
    EXPECT_EQ(Import(Parameter("{\"x\":8000,\"y\":6000}", BedroomPlan())),
              Succeeded(Escaped(Summary(3, 4, 2, 5))));
    EXPECT_TRUE(LoggedInOrder(
        {"[INFO] PlanImportCommands: No zone found at clicked point, will create temporary zone",
         "[INFO] PlanImportCommands: Successfully created temporary zone for import",
         "[INFO] BuildingOrchestrator: " + Summary(3, 4, 2, 5),
         "[INFO] TemporaryZoneCreator: Successfully deleted temporary zone"}));
    for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
        EXPECT_NE(GS::UniString(stored.element.zone.roomName), GS::UniString("TempZone"));
    }
}

TEST_F(PlanImportCommand, ATemporaryZoneThatCannotBeDeletedFailsTheImport) {
    const API_Guid bedroom = StandIn::TheModel().elements[8].element.header.guid;
    GS::Array<API_Guid> zone;
    zone.Push(bedroom);
    ASSERT_EQ(ACAPI_CallUndoableCommand("Delete", [&] { return ACAPI_Element_Delete(zone); }), NoError);
    const std::string before = StandIn::SaveProject();
    StandIn::Faults::Arm("ACAPI_Element_Delete", APIERR_GENERAL);
    EXPECT_EQ(Import(Parameter("{\"x\":8000,\"y\":6000}", BedroomPlan())),
              "{\"success\":false,\"error\":\"Error importing plan: -2130313215\"}");
    EXPECT_TRUE(LoggedInOrder(
        {"[WARNING] PlanImportCommands: Failed to delete temporary zone (error: -2130313215)",
         "[ERROR] PlanImportCommands: The temporary zone stays in the project: the import is taken back"}));
    // The elements come back; attributes the step made are not yet rolled back by the stand-in.
    EXPECT_EQ(ElementsOf(StandIn::SaveProject()), ElementsOf(before));
}

TEST_F(PlanImportCommand, APlanForAnUpperStoryRoomLandsOnThatStory) {
    StandIn::OpenProjectFile(std::string(TOLVA_SOURCE_DIR) + "/examples/projects/two-story-house.json");
    StandIn::TheModel().activeStory = 1;
    const std::map<API_ElemTypeID, int> groundBefore = CountByType(0);
    const std::string plan =
        R"({"type":"plan","planType":"unit","id":"p-up","bounds":{"type":"polygon",)"
        R"("polylines":[{"type":"polyline","points":[[150,150,0],[4850,150,0],[4850,8850,0],)"
        R"([150,8850,0]]}]},"wallGuides":{"edgeGraph":{"edges":[[0,1]],"vertices":[[150,4500,0],)"
        R"([4850,4500,0]]},"guides":{"0":{"source":"unit-plan","geometry":{"type":"simple",)"
        R"("width":100}}}},"transitions":[{"id":"d","type":"door","location":[2500,4500,0],)"
        R"("direction":[0,1,0],"definitionId":"door"}]})";
    EXPECT_EQ(Import(Parameter("{\"x\":2500,\"y\":2000}", plan)), Succeeded(Escaped(Summary(1, 1, 1, 0))));
    EXPECT_EQ(CountByType(0), groundBefore);
    const std::map<API_ElemTypeID, int> upper = CountByType(1);
    EXPECT_EQ(upper.at(API_WallID), 5);
    EXPECT_EQ(upper.at(API_ZoneID), 2);
    EXPECT_EQ(upper.at(API_DoorID), 1);
}

TEST_F(PlanImportCommand, ThePlanGenerationPageImportsItsPlanIntoTheClickedRoom) {
    StandIn::PageRegistry::SetGeneratedPlan(PlanFile);
    StandIn::SendMenuCommand(32505, 1);
    StandIn::QueuePointAnswer({NoError, {8, 6, 0}});
    Press(1);
    std::vector<std::string> imports;
    for (const GS::UniString& report : StandIn::DialogDriver::PageOf(Page()).GetReports()) {
        const std::string text = report.ToCStr(CC_UTF8).Get();
        if (text.rfind("import ", 0) == 0) {
            imports.push_back(text);
        }
    }
    // The page is asked for the selection on load and after the click, and imports once.
    EXPECT_EQ(imports, std::vector<std::string>{"import " + Succeeded(Escaped(Summary(3, 4, 2, 5)))});
    EXPECT_EQ(StandIn::TheModel().steps.back().name, GS::UniString("Import Tolva Plan"));
}

} // namespace
