// The three imports through the loaded add-on, undone and redone as the user does: the project
// comes back byte for byte, and an import after an undo finds nothing stale in the add-on.
#include "CommandSession.hpp"
#include "ExampleArguments.hpp"

#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/ProjectFile.hpp"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <functional>
#include <map>
#include <set>
#include <string>

namespace {

GS::Ref<JS::Base> Text(const std::string& text) {
    return GS::NewRef<JS::Value>(GS::UniString(text.c_str(), CC_UTF8));
}

GS::Ref<JS::Base> Texts(const std::vector<std::string>& texts) {
    auto array = GS::NewRef<JS::Array>();
    for (const std::string& text : texts) {
        array->AddItem(Text(text));
    }
    return array;
}

struct ImportCase {
    const char* command;
    const char* project;
    std::function<GS::Ref<JS::Base>()> argument;
};

void PrintTo(const ImportCase& importCase, std::ostream* out) {
    *out << importCase.command << " on " << importCase.project;
}

// Names by index of one attribute table of a saved project, and the embedded library's paths.
struct SavedProject {
    rapidjson::Document document;

    explicit SavedProject(const std::string& text) { document.Parse(text.c_str()); }

    std::map<int, std::string> Names(const char* table) const {
        std::map<int, std::string> names;
        int index = 0;
        for (const auto& attribute : document["attributes"][table].GetArray()) {
            names[++index] = attribute["name"].GetString();
        }
        return names;
    }

    std::map<int, std::string> EmbeddedParts() const {
        std::map<int, std::string> paths;
        if (document.HasMember("embeddedLibrary")) {
            for (const auto& part : document["embeddedLibrary"].GetArray()) {
                paths[part["index"].GetInt()] = part["path"].GetString();
            }
        }
        return paths;
    }

    std::set<std::string> Guids() const {
        std::set<std::string> guids;
        for (const auto& element : document["elements"].GetArray()) {
            guids.insert(element["guid"].GetString());
        }
        return guids;
    }

    // The values of a member of every element of the type, but those of the elements left out.
    std::vector<int> Values(const char* type, const char* member,
                            const std::set<std::string>& leftOut = {}) const {
        std::vector<int> values;
        for (const auto& element : document["elements"].GetArray()) {
            if (std::string(element["type"].GetString()) == type &&
                !leftOut.count(element["guid"].GetString())) {
                values.push_back(element[member].GetInt());
            }
        }
        return values;
    }
};

class UndoneImport : public ::testing::TestWithParam<ImportCase> {
protected:
    CommandSession session{TOLVA_ADDON_PATH};

    void Open() { session.Open(SourceFile(std::string("examples/projects/") + GetParam().project), {}, {}); }

    std::string Import() {
        const StandIn::PageCallResult result = session.Call(GetParam().command, GetParam().argument());
        EXPECT_EQ(result.state, StandIn::PageCallResult::State::Fulfilled);
        EXPECT_EQ(result.text.rfind("{\"success\":true", 0), 0u) << result.text.substr(0, 300);
        return StandIn::SaveProject();
    }
};

TEST_P(UndoneImport, GivesTheProjectBackByteForByteAndRedoGivesTheImport) {
    Open();
    const std::string before = StandIn::SaveProject();
    const std::string after = Import();
    ASSERT_NE(after, before);
    ASSERT_TRUE(StandIn::UndoLastStep());
    EXPECT_EQ(StandIn::SaveProject(), before);
    ASSERT_TRUE(StandIn::RedoStep());
    EXPECT_EQ(StandIn::SaveProject(), after);
}

TEST_P(UndoneImport, LeavesNoStaleIndexForTheNextImport) {
    Open();
    const std::set<std::string> existing = SavedProject(StandIn::SaveProject()).Guids();
    Import();
    ASSERT_TRUE(StandIn::UndoLastStep());
    const SavedProject saved(Import());
    const std::map<int, std::string> layers = saved.Names("layers");
    const std::map<int, std::string> parts = saved.EmbeddedParts();
    for (const char* type : {"wall", "object"}) {
        for (int layer : saved.Values(type, "layer", existing)) {
            ASSERT_TRUE(layers.count(layer)) << "a " << type << " on layer " << layer << ", which is gone";
        }
    }
    for (int part : saved.Values("object", "library", existing)) {
        EXPECT_TRUE(parts.count(part)) << "furniture of part " << part << ", which is gone";
    }
    for (int part : saved.Values("door", "library", existing)) {
        EXPECT_EQ(parts.count(part) ? parts.at(part) : "", "Tolva Door.gsm");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, UndoneImport,
    ::testing::Values(ImportCase{"importPlan", "apartment.json",
                                 [] { return Text(ExamplePlanArgument(true)); }},
                      ImportCase{"importBuildingFromVariantData", "new-project.json",
                                 [] { return Texts(ExampleBuildingTexts("examples/buildings/tower/")); }},
                      ImportCase{"importZonesFromSpaces", "harbour-row.json",
                                 [] { return Text(ExampleFilesArgument()); }}));

class LibraryParts : public ::testing::Test {
protected:
    CommandSession session{TOLVA_ADDON_PATH};

    void TearDown() override { StandIn::Faults::Clear(); }

    SavedProject ImportBuilding() {
        session.Open(SourceFile("examples/projects/new-project.json"), {}, {});
        const StandIn::PageCallResult result =
            session.Call("importBuildingFromVariantData", Texts(ExampleBuildingTexts()));
        EXPECT_EQ(result.text.rfind("{\"success\":true", 0), 0u) << result.text.substr(0, 300);
        return SavedProject(StandIn::SaveProject());
    }
};

TEST_F(LibraryParts, DoorsCarryTheShippedDoorPartThroughTheLibraryManager) {
    const SavedProject saved = ImportBuilding();
    EXPECT_GT(StandIn::Faults::CallCount("LibraryManager::GetEmbeddedLibrary"), 0);
    const std::vector<int> doors = saved.Values("door", "library");
    ASSERT_FALSE(doors.empty());
    for (int part : doors) {
        EXPECT_EQ(saved.EmbeddedParts()[part], "Tolva Door.gsm");
    }
}

TEST_F(LibraryParts, FurnitureWhoseOwnPartFailsTakesTheShippedFallback) {
    StandIn::Faults::Arm("ACAPI_LibraryPart_Create", APIERR_MEMFULL);
    const SavedProject saved = ImportBuilding();
    const std::map<int, std::string> parts = saved.EmbeddedParts();
    int fallbacks = 0;
    for (int part : saved.Values("object", "library")) {
        fallbacks += parts.count(part) && parts.at(part) == "Tolva Furniture.gsm";
    }
    EXPECT_GT(fallbacks, 0) << "the template whose part failed is placed with the fallback part";
}

TEST_F(LibraryParts, AFailingLibraryManagerLeavesDoorsWithoutTheShippedPart) {
    StandIn::Faults::Arm("LibraryManager::IsValid", APIERR_GENERAL, 1000);
    const SavedProject saved = ImportBuilding();
    EXPECT_GT(StandIn::Faults::CallCount("LibraryManager::IsValid"), 0) << "the fault was reached";
    const std::map<int, std::string> parts = saved.EmbeddedParts();
    for (int part : saved.Values("door", "library")) {
        EXPECT_NE(parts.count(part) ? parts.at(part) : "", "Tolva Door.gsm");
    }
}

} // namespace
