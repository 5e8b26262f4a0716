#include "JSCommands/ImportPlanCommand.hpp"

#include "ACAPinc.h"
#include "Builders/ImportStep.hpp"
#include "Builders/PlanImport.hpp"
#include "JSCommands/ImportFailure.hpp"
#include "JSCommands/PlanImportArguments.hpp"
#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/Logger.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/PlanTemplateParser.hpp"
#include "ZoneBoundary/TemporaryZoneCreator.hpp"
#include "ZoneBoundary/WallBoundaryMatcher.hpp"

#include <optional>

namespace JSCommands::PlanImportCommands {

namespace {

constexpr const char* Category = "PlanImportCommands";
// Zones on the active story and on visible layers.
constexpr GSFlags ZoneSearchFilter = 6;

GS::Ref<JS::Base> Failure(const GS::UniString& text) {
    return ImportFailure(text, text);
}

// Step one and two of reading the argument: the page must pass a non-empty string.
std::optional<GS::UniString> ParameterText(const GS::Ref<JS::Base>& argument) {
    if (argument == nullptr) {
        return std::nullopt;
    }
    const auto value = GS::DynamicCast<JS::Value>(argument);
    if (value == nullptr) {
        // Objects and arrays cannot be read as a value at all.
        throw GS::ClassCastException("Bad cast.", __FILE__, __LINE__);
    }
    if (value->GetType() != JS::Value::STRING) {
        return std::nullopt;
    }
    return value->GetString();
}

// The zone at the point, or the null GUID when a temporary one is needed; a failed search gives its code.
GSErrCode FindZoneAtPoint(const API_Coord& point, API_Guid& zone) {
    zone = APINULLGuid;
    API_ElemSearchPars pars = {};
    pars.type = API_ElemType(API_ZoneID);
    pars.filterBits = ZoneSearchFilter;
    pars.loc = point;
    const GSErrCode err = ACAPI_Element_SearchElementByCoord(&pars, &zone);
    if (err == APIERR_BADPARS || zone == APINULLGuid) {
        zone = APINULLGuid;
        Logger::Info(Category, "No zone found at clicked point, will create temporary zone");
        return NoError;
    }
    if (err != NoError) {
        return err;
    }
    Logger::Debug(Category, "Found existing zone " + APIGuidToString(zone));
    return NoError;
}

// The body of the undo step: the room's zone (made for the import when there is none), its walls and
// the plan.
GSErrCode ImportIntoRoom(const Tolva::PlanTemplate& plan, const API_Coord& point, API_Guid zone,
                         GS::UniString& summary) {
    const bool temporary = zone == APINULLGuid;
    if (temporary) {
        if (const GSErrCode err = TemporaryZoneCreator::CreateTemporaryZoneAtPoint(point, zone);
            err != NoError) {
            Logger::Error(
                Category,
                IsPolygonError(err)
                    ? GS::UniString("Cannot create zone at this location. The reference point must be "
                                    "inside a fully enclosed space with walls. Please click a point "
                                    "inside a closed room or create a zone manually in Archicad first.")
                    : GS::UniString::Printf("Failed to create temporary zone (error: %d)", err));
            return err;
        }
        Logger::Info(Category, "Successfully created temporary zone for import");
    }
    GS::Array<API_Guid> walls;
    if (const GSErrCode err = WallBoundaryMatcher::FindBoundaryWalls(zone, walls); err != NoError) {
        Logger::Warning(Category,
                        GS::UniString::Printf(
                            "Could not get zone boundary walls (error %d) - zone may not have walls", err));
    }
    const GSErrCode result = Tolva::Builders::BuildingOrchestrator::ImportPlan(plan, walls, zone, summary);
    if (temporary) {
        if (const GSErrCode err = TemporaryZoneCreator::DeleteTemporaryZone(zone); err != NoError) {
            Logger::Warning(Category,
                            GS::UniString::Printf("Failed to delete temporary zone (error: %d)", err));
            // The zone must not outlive the step: failing it takes the whole import back.
            Logger::Error(Category, "The temporary zone stays in the project: the import is taken back");
            return result != NoError ? result : err;
        } else {
            Logger::Debug(Category, "Successfully deleted temporary zone");
        }
    }
    return result;
}

} // namespace

GS::Ref<JS::Base> ImportPlanFromJSON(GS::Ref<JS::Base> argument) {
    const std::optional<GS::UniString> text = ParameterText(argument);
    if (!text) {
        return Failure("Expected string parameter");
    }
    if (text->IsEmpty()) {
        return Failure("Empty parameter string");
    }
    if ((*text)[0] != '{') {
        return ImportFailure(
            "Invalid parameter format. Expected JSON object with reference and planTemplate.",
            "Invalid parameter format. Use: ACAPI.importPlan(JSON.stringify({reference: {x, y}, "
            "planTemplate: object}))");
    }
    rapidjson::Document parameters;
    if (!Tolva::Parsers::ReadJson(*text, parameters).IsOk() || !parameters.IsObject()) {
        return ImportFailure(
            "Failed to parse parameter as JSON object",
            "Invalid JSON object format. Expected: {reference: {x, y}, planTemplate: object}");
    }
    ArgumentFailure refused;
    const std::optional<ReferencePoint> reference = ResolveReferencePoint(parameters, refused);
    if (!reference) {
        return ImportFailure(refused.logText, refused.resultText);
    }
    const auto planTemplate = parameters.FindMember("planTemplate");
    if (planTemplate == parameters.MemberEnd()) {
        return ImportFailure(
            "Missing 'planTemplate' field in parameter object",
            "Missing 'planTemplate' field. Expected: {zoneId: string, planTemplate: object}");
    }
    if (!planTemplate->value.IsObject()) {
        return ImportFailure("'planTemplate' field must be an object",
                             "'planTemplate' must be an object (the plan template data)");
    }
    Tolva::PlanTemplate plan;
    GS::UniString parseError;
    if (!Tolva::Parsers::ParsePlanTemplate(ExtractPlanTemplateJson(planTemplate->value), plan, parseError)) {
        return ImportFailure("Error parsing planTemplate: " + parseError, "Parse error: " + parseError);
    }

    const API_Coord point = {reference->x / 1000.0, reference->y / 1000.0};
    Logger::Debug(Category, GS::UniString::Printf("ImportPlan: Clicked point (%.2f, %.2f) mm", reference->x,
                                                  reference->y));
    API_Guid zone = APINULLGuid;
    if (const GSErrCode err = FindZoneAtPoint(point, zone); err != NoError) {
        return Failure(GS::UniString::Printf("Failed to search for zone (error: %d)", err));
    }

    GS::UniString summary;
    const GSErrCode result = Tolva::Builders::RunImportStep(
        Category, "Import Tolva Plan", [&] { return ImportIntoRoom(plan, point, zone, summary); });
    if (result != NoError) {
        return Failure(GS::UniString::Printf("Error importing plan: %d", result));
    }
    return MakeSuccessResult(summary);
}

} // namespace JSCommands::PlanImportCommands
