#include "ModelTestSupport.hpp"
#include "StandIn/Stories.hpp"

#include <string>

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

using ProjectFiles = FreshModel;

TEST_F(ProjectFiles, EveryExampleSavesAsItWasLoaded) {
    for (const char* name :
         {"new-project.json", "apartment.json", "two-story-house.json", "site-grid.json"}) {
        std::string text = ExampleProject(name);
        ASSERT_FALSE(text.empty()) << name;
        StandIn::LoadProject(text);
        EXPECT_EQ(StandIn::SaveProject(), text) << name;
    }
}

TEST_F(ProjectFiles, LengthUnitsKeepTheFilesNumbersWhateverTheHostsOrder) {
    const std::string apartment = ExampleProject("apartment.json");
    const std::pair<const char*, API_LengthTypeID> units[] = {
        {"0", API_LengthTypeID::Millimeter}, {"2", API_LengthTypeID::Meter},
        {"3", API_LengthTypeID::Decimeter},  {"8", API_LengthTypeID::FootDecInch},
        {"9", API_LengthTypeID::KiloMeter},  {"200", API_LengthTypeID(200)}};
    for (const auto& [number, unit] : units) {
        const std::string text =
            Replaced(apartment, "\"lengthUnit\": 0", std::string("\"lengthUnit\": ") + number);
        StandIn::LoadProject(text);
        EXPECT_TRUE(StandIn::Settings().workingUnits.lengthUnit == unit) << number;
        EXPECT_EQ(StandIn::SaveProject(), text) << number;
    }
}

TEST_F(ProjectFiles, LabelsDoorsAndObjectsComeWithTheirMemos) {
    const std::string grid = R"({"type": "object", "story": 0, "layer": 1, "grid": true, "library": 1,
        "at": [0, 0], "coordinates": [[0, 0], [5, 0], [5, 5]]}]})";
    StandIn::LoadProject(Replaced(ExampleProject("apartment.json"), "}]\n}", "}, " + grid));
    const API_ElemTypeID types[] = {API_LabelID, API_DoorID, API_ObjectID};
    std::vector<const StandIn::StoredElement*> byType[3];
    for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
        for (int i = 0; i < 3; ++i) {
            if (stored.element.header.type.typeID == types[i]) {
                byType[i].push_back(&stored);
            }
        }
    }
    ASSERT_EQ(byType[0].size(), 1u);
    ASSERT_EQ(byType[1].size(), 3u);
    ASSERT_EQ(byType[2].size(), 3u);
    API_ElementMemo memo = {};
    ASSERT_EQ(ACAPI_Element_GetMemo(byType[0][0]->element.header.guid, &memo), NoError);
    EXPECT_EQ(*memo.textContent, GS::UniString("Open kitchen"));
    ASSERT_EQ(BMGetPtrSize(reinterpret_cast<GSConstPtr>((*memo.paragraphs)[0].run)),
              static_cast<GSSize>(sizeof(API_RunType)));
    EXPECT_EQ((*memo.paragraphs)[0].run[0].font, 7);
    EXPECT_EQ((*memo.paragraphs)[0].run[0].range, 12);
    ACAPI_DisposeElemMemoHdls(&memo);
    ASSERT_EQ(ACAPI_Element_GetMemo(byType[2][0]->element.header.guid, &memo), NoError);
    EXPECT_EQ(*memo.elemInfoString, GS::UniString("Sofa"));
    EXPECT_EQ((*memo.params)[0].value.real, 2.2);
    ACAPI_DisposeElemMemoHdls(&memo);
    const API_Element& gridObject = byType[2][2]->element;
    EXPECT_EQ(gridObject.header.type.variationID, APIVarId_GridElement);
    ASSERT_EQ(ACAPI_Element_GetMemo(gridObject.header.guid, &memo), NoError);
    EXPECT_EQ(BMGetHandleSize(reinterpret_cast<GSHandle>(memo.coords)), GSSize(3 * sizeof(API_Coord)));
    EXPECT_EQ((*memo.coords)[2].y, 5.0);
    EXPECT_EQ(memo.params, nullptr);
    ACAPI_DisposeElemMemoHdls(&memo);

    std::string saved = StandIn::SaveProject();
    StandIn::LoadProject(saved);
    EXPECT_EQ(StandIn::SaveProject(), saved);
}

TEST_F(ProjectFiles, AFailedStepLeavesTheSavedProjectByteIdentical) {
    StandIn::LoadProject(ExampleProject("apartment.json"));
    std::string before = StandIn::SaveProject();
    EXPECT_EQ(InStep([] {
                  GS::Array<API_Guid> walls;
                  ACAPI_Element_GetElemList(API_WallID, &walls);
                  ACAPI_Element_Delete({walls[0]});
                  API_Element wall = Wall(1, 1, 2, 2);
                  ACAPI_Element_Create(&wall, nullptr);
                  return APIERR_GENERAL;
              }),
              APIERR_GENERAL);
    EXPECT_EQ(StandIn::SaveProject(), before);
}

TEST_F(ProjectFiles, HostileFilesAreRefusedNamingThePlaceAndChangeNothing) {
    std::string apartment = ExampleProject("apartment.json");
    StandIn::LoadProject(apartment);
    const std::string good = StandIn::SaveProject();
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "Project file, offset 0: The document is empty."},
        {deep, "Project file, root: expected an object"},
        {"{} trailing", "Project file, offset 3: The document root must not be followed by other values."},
        {Replaced(apartment, "\"version\": 1", "\"version\": 2"),
         "Project file, root.version: expected an integer from 1 to 1"},
        {Replaced(apartment, "\"story\": 0", "\"story\": 3"),
         "Project file, root.elements[0].story: expected an integer from 0 to 0"},
        {Replaced(apartment, "\"thickness\": 0.3", "\"thickness\": \"thick\""),
         "Project file, root.elements[0].thickness: expected a finite number"},
        {Replaced(apartment, "\"material\": 1", "\"material\": 99"),
         "Project file, root.elements[0].material: no such attribute index 99"},
        {Replaced(apartment, "\"begin\": [0.0, 0.0]", "\"begin\": [0.0]"),
         "Project file, root.elements[0].begin: expected a point [x, y]"},
        {Replaced(apartment, "\"type\": \"wall\"", "\"type\": \"tower\""),
         "Project file, root.elements[0].type: unknown element type \"tower\""},
        {Replaced(apartment, "\"position\": \"Exterior\"", "\"position\": \"Outside\""),
         "Project file, root.elements[0].position: expected \"Undefined\", \"Interior\" or \"Exterior\""},
        {Replaced(apartment, "[[[-0.15, -0.15]", "[[[-0.15, -0.14]"),
         "Project file, root.elements[6]: the host refuses this element (0x81060069)"},
        {Replaced(apartment, "\"offset\": 3.0", "\"offset\": 30.0"),
         "Project file, root.elements[10]: the host refuses this element (0x81060068)"},
        {Replaced(apartment, "\"zone\": \"B6735E7E",
                  "\"zone\": \"FD6D043E-A7BE-4105-A0B0-6D44566A9FE9\", \"x\": \""),
         "Project file, root.elements[13]: the host refuses this element (0x81060068)"},
        {Replaced(apartment, "\"name\": \"ZZYZX\"", "\"name\": \"\""),
         "Project file, root.elements[14].parameters[2].name: expected 1 to 31 bytes"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadError(c.text), c.error);
        EXPECT_EQ(StandIn::SaveProject(), good);
    }
}

} // namespace
