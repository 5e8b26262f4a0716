#include "LibraryTestSupport.hpp"

#include "BuildingVariantGenerator.hpp"
#include "JSCommands/ImportBuildingCommand.hpp"
#include "StandIn/JSONText.hpp"
#include "StandIn/Stories.hpp"

#include <algorithm>

namespace {

using JSCommands::PlanImportCommands::ImportBuildingFromVariantData;

GS::Ref<JS::Base> Texts(const std::vector<std::string>& texts) {
    auto array = GS::NewRef<JS::Array>();
    for (const std::string& text : texts) {
        array->AddItem(GS::NewRef<JS::Value>(GS::UniString(text.c_str(), CC_UTF8)));
    }
    return array;
}

std::string Answer(const GS::Ref<JS::Base>& argument) {
    return JS::ToJSONText(ImportBuildingFromVariantData(argument));
}

std::string Error(const std::string& text) {
    return "\"{\\\"success\\\":false,\\\"error\\\":\\\"" + text + "\\\"}\"";
}

class ImportBuildingCommand : public LibraryTest {
protected:
    static std::vector<std::string> Variant(int stories, int units, bool withFurniture) {
        const BuildingGenerator::VariantTexts texts = BuildingGenerator::GenerateVariant({stories, units});
        std::vector<std::string> args = {texts.stories, texts.units, texts.transitions};
        if (withFurniture) {
            args.push_back(texts.furnitureInstances);
            args.push_back(texts.furnitureTemplates);
        }
        return args;
    }

    static bool Logged(const std::string& line) {
        const std::vector<std::string> lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(ImportBuildingCommand, ChecksItsArgumentBeforeParsing) {
    EXPECT_EQ(Answer({}), Error("Expected array parameter"));
    EXPECT_EQ(Answer(Texts({"[]", "[]", "[]", "[]"})),
              Error("Invalid parameters: Expected array with 3 or 5 elements"));
    EXPECT_EQ(Answer(Texts({})), Error("Invalid parameters: Expected array with 3 or 5 elements"));
    EXPECT_EQ(Answer(Texts({"[]", "", "[]"})),
              Error("Invalid JSON strings: Stories, units, and transitions must be non-empty"));
    EXPECT_EQ(Answer(Texts({"[]", "{}", "[]"})),
              Error("Parse error: Units JSON must be an array or an object with a 'value' array property"));
    EXPECT_TRUE(
        Logged("[ERROR] PlanImportCommands: Error parsing building data: Units JSON must be an array or an "
               "object with a 'value' array property"));
    EXPECT_TRUE(Logged("[ERROR] PlanImportCommands: First three arguments must be non-empty strings"));
    EXPECT_TRUE(StandIn::TheModel().steps.empty()) << "nothing reached the model";
    EXPECT_THROW(ImportBuildingFromVariantData(GS::NewRef<JS::Value>("[]")), GS::ClassCastException);
}

TEST_F(ImportBuildingCommand, ABuildingWithoutStoriesFailsInsideTheStep) {
    EXPECT_EQ(Answer(Texts({"[]", "[]", "[]", "", ""})),
              Error("Error creating building elements: -2130313112"));
    EXPECT_FALSE(Logged("[INFO] PlanImportCommands: Furniture data provided - will import furniture"));
    ASSERT_EQ(StandIn::TheModel().steps.size(), 1u);
    EXPECT_EQ(StandIn::TheModel().steps[0].name, GS::UniString("Import Tolva Building"));
}

TEST_F(ImportBuildingCommand, ImportsAGeneratedBuildingInOneStepThatUndoes) {
    const std::string answer = Answer(Texts(Variant(3, 4, true)));
    EXPECT_EQ(answer.rfind("\"{\\\"success\\\":true,\\\"message\\\":\\\"Building Import Complete\\\\n", 0),
              0u)
        << answer;
    EXPECT_NE(answer.find("Created:\\\\n  - Slabs: 3\\\\n  - GFA Zones: 3\\\\n"), std::string::npos)
        << answer;
    EXPECT_NE(answer.find(
                  "  - Doors: 12\\\\n  - Furniture: 24\\\\n\\\\nFailed:\\\\n  - Slabs: 0\\\\n  - GFA Zones: "
                  "0\\\\n  - Walls: 0\\\\n  - Doors: 0"),
              std::string::npos)
        << answer;
    EXPECT_TRUE(Logged("[INFO] PlanImportCommands: Furniture data provided - will import furniture"));
    ASSERT_EQ(StandIn::TheModel().steps.size(), 1u);
    EXPECT_EQ(StandIn::LastStory(), 2);
    EXPECT_FALSE(StandIn::TheModel().elements.empty());
    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_TRUE(StandIn::TheModel().elements.empty());
    EXPECT_EQ(StandIn::LastStory(), 0) << "the new stories went with the step";
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(StandIn::LastStory(), 2);
}

TEST_F(ImportBuildingCommand, AFailedImportLeavesNoElementAndNoStoryBehind) {
    StandIn::Faults::Arm("ACAPI_ProjectSetting_ChangeStorySettings:2", APIERR_GENERAL, 1, 1);
    EXPECT_EQ(Answer(Texts(Variant(3, 2, false))), Error("Error creating building elements: -2130313215"));
    EXPECT_TRUE(StandIn::TheModel().elements.empty());
    EXPECT_EQ(StandIn::LastStory(), 0) << "the story made before the failure is taken back";
    EXPECT_TRUE(StandIn::TheModel().steps[0].rolledBack);
}

} // namespace
