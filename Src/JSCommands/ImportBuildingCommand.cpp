#include "JSCommands/ImportBuildingCommand.hpp"

#include "ACAPinc.h"
#include "Builders/BuildingImport.hpp"
#include "Builders/ImportStep.hpp"
#include "JSCommands/ArgumentReaders.hpp"
#include "JSCommands/ImportFailure.hpp"
#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/Logger.hpp"
#include "Parsers/BuildingDataParser.hpp"

namespace JSCommands::PlanImportCommands {

namespace {

constexpr const char* Category = "PlanImportCommands";

} // namespace

GS::Ref<JS::Base> ImportBuildingFromVariantData(GS::Ref<JS::Base> argument) {
    const GS::Ref<JS::Array> array = GetArrayArgument(argument);
    if (array == nullptr) {
        return ImportFailure("Expected array parameter", "Expected array parameter");
    }
    const GS::Array<GS::Ref<JS::Base>>& items = array->GetItemArray();
    if (items.GetSize() != 3 && items.GetSize() != 5) {
        return ImportFailure("Expected array with 3 or 5 elements",
                             "Invalid parameters: Expected array with 3 or 5 elements");
    }
    const GS::UniString stories = GetStringArgument(items[0]);
    const GS::UniString units = GetStringArgument(items[1]);
    const GS::UniString transitions = GetStringArgument(items[2]);
    if (stories.IsEmpty() || units.IsEmpty() || transitions.IsEmpty()) {
        return ImportFailure("First three arguments must be non-empty strings",
                             "Invalid JSON strings: Stories, units, and transitions must be non-empty");
    }
    GS::UniString furnitureInstances;
    GS::UniString furnitureTemplates;
    if (items.GetSize() == 5) {
        furnitureInstances = GetStringArgument(items[3]);
        furnitureTemplates = GetStringArgument(items[4]);
        if (!furnitureInstances.IsEmpty() || !furnitureTemplates.IsEmpty()) {
            Logger::Info(Category, "Furniture data provided - will import furniture");
        }
    }

    Tolva::BuildingData building;
    GS::UniString parseError;
    if (!Tolva::Parsers::ParseBuildingData(stories, units, transitions, furnitureInstances,
                                           furnitureTemplates, building, parseError)) {
        return ImportFailure("Error parsing building data: " + parseError, "Parse error: " + parseError);
    }

    GS::UniString summary;
    const GSErrCode err = Tolva::Builders::RunImportStep(Category, "Import Tolva Building", [&] {
        return Tolva::Builders::BuildingOrchestrator::ImportBuilding(building, summary);
    });
    if (err != NoError) {
        const GS::UniString text = GS::UniString::Printf("Error creating building elements: %d", err);
        return ImportFailure(text, text);
    }
    return MakeSuccessResult(summary);
}

} // namespace JSCommands::PlanImportCommands
