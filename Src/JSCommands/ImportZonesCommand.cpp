#include "JSCommands/ImportZonesCommand.hpp"

#include "ACAPinc.h"
#include "Builders/ImportStep.hpp"
#include "Builders/SpacesImport.hpp"
#include "JSCommands/ArgumentReaders.hpp"
#include "JSCommands/ImportFailure.hpp"
#include "JSCommands/ResultEnvelope.hpp"
#include "JSCommands/ZoneImportFiles.hpp"
#include "Logging/Logger.hpp"
#include "Parsers/BuildingDataParser.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/SpacesDataParser.hpp"

namespace JSCommands::PlanImportCommands {

namespace {

constexpr const char* Category = "PlanImportCommands";

// The stories place the zones more accurately; without usable ones the import falls back to the
// spaces' own heights, so nothing here fails the command.
bool ReadStories(const GS::UniString& storiesJson, Tolva::BuildingData& building) {
    if (storiesJson.IsEmpty()) {
        Logger::Warning(
            Category,
            "stories.json not provided - zone placement may be incorrect for multi-building projects");
        return false;
    }
    GS::UniString error;
    if (!Tolva::Parsers::ParseBuildingData(storiesJson, {}, {}, {}, {}, building, error)) {
        Logger::Warning(Category, "Failed to parse stories.json: " + error + " - using fallback mapping");
        return false;
    }
    if (building.stories.IsEmpty()) {
        Logger::Warning(Category, "stories.json parsed but contains no stories - using fallback mapping");
        return false;
    }
    Logger::Info(Category, GS::UniString::Printf("Parsed %d stories from stories.json for elevation mapping",
                                                 static_cast<Int32>(building.stories.GetSize())));
    return true;
}

} // namespace

GS::Ref<JS::Base> ImportZonesFromSpaces(GS::Ref<JS::Base> argument) {
    const GS::UniString text = GetStringArgument(argument);
    if (text.IsEmpty()) {
        return ImportFailure("Expected non-empty JSON parameter", "Invalid parameters: Expected JSON string");
    }
    rapidjson::Document document;
    if (const Tolva::Parsers::JsonReadResult read = Tolva::Parsers::ReadJson(text, document); !read.IsOk()) {
        const GS::UniString message = "JSON parse error: " + read.ErrorText();
        return ImportFailure(message, message);
    }
    if (!document.IsObject() || !document.HasMember("files") || !document["files"].IsArray()) {
        return ImportFailure("Expected format: {files: [{name, content}, ...]}",
                             "Invalid format: Expected {files: [{name, content}, ...]}");
    }
    ZoneImportFiles files = CollectZoneImportFiles(document["files"]);

    if (files.spaces.IsEmpty() && files.units.IsEmpty()) {
        return ImportFailure("Neither spaces.json nor units.json found in files array",
                             "At least one of spaces.json or units.json must be provided");
    }
    if (files.spaces.IsEmpty() && files.project.IsEmpty()) {
        files.project = "{}";
        Logger::Info(Category, "Importing unit zones only (no spaces) - project.json not required");
    }
    if (!files.spaces.IsEmpty() && files.project.IsEmpty()) {
        return ImportFailure("project.json required when importing spaces",
                             "project.json required when spaces.json is provided");
    }

    Tolva::SpacesData spaces;
    GS::UniString error;
    if (!Tolva::Parsers::ParseSpacesData(files.spaces, files.project, files.units, spaces, error)) {
        return ImportFailure("Error parsing space data: " + error, "Parse error: " + error);
    }
    Tolva::BuildingData building;
    const Tolva::BuildingData* storyData = ReadStories(files.stories, building) ? &building : nullptr;

    GS::UniString summary;
    const GSErrCode err = Tolva::Builders::RunImportStep(Category, "Import Tolva Zones", [&] {
        return Tolva::Builders::BuildingOrchestrator::ImportSpaces(spaces, summary, storyData);
    });
    if (err != NoError) {
        const GS::UniString message = GS::UniString::Printf("Error creating zones: %d", err);
        return ImportFailure(message, message);
    }
    return MakeSuccessResult(summary);
}

} // namespace JSCommands::PlanImportCommands
