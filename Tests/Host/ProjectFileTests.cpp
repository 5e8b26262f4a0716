#include "ModelTestSupport.hpp"

#include "GSRoot/Exceptions.hpp"
#include "StandIn/ProjectFile.hpp"

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Example(const std::string& name) {
    std::ifstream file(std::string(TOLVA_SOURCE_DIR) + "/examples/projects/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string LoadError(const std::string& text) {
    try {
        StandIn::LoadProject(text);
    } catch (const GS::Exception& e) {
        return e.GetMessage().ToCStr().Get();
    }
    return "loaded";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

using ProjectFiles = FreshModel;

TEST_F(ProjectFiles, EveryExampleSavesAsItWasLoaded) {
    for (const char* name : {"new-project.json", "apartment.json", "two-story-house.json"}) {
        std::string text = Example(name);
        ASSERT_FALSE(text.empty()) << name;
        StandIn::LoadProject(text);
        EXPECT_EQ(StandIn::SaveProject(), text) << name;
    }
}

TEST_F(ProjectFiles, AFailedStepLeavesTheSavedProjectByteIdentical) {
    StandIn::LoadProject(Example("apartment.json"));
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
    std::string apartment = Example("apartment.json");
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
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadError(c.text), c.error);
        EXPECT_EQ(StandIn::SaveProject(), good);
    }
}

} // namespace
