#include "Parsers/PlanTemplateParser.hpp"

#include "Parsers/ElementLists.hpp"
#include "Parsers/FieldReaders.hpp"
#include "Parsers/GeometryParsers.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/PlanElementParsers.hpp"
#include "Parsers/WallGuideParsers.hpp"

namespace Tolva::Parsers {

namespace {

bool ParseWall(const rapidjson::Value& value, WallTemplate& wall) {
    if (!value.IsObject() || !GetRequiredString(value, "type", wall.type, true)) {
        return false;
    }
    if (const rapidjson::Value* polygon = FindField(value, "polygon")) {
        ParseMultiPolygon(*polygon, wall.polygon);
    }
    if (const rapidjson::Value* mesh = FindField(value, "mesh")) {
        ParseMesh(*mesh, wall.mesh);
    }
    return true;
}

bool ParseProgram(const rapidjson::Value& value, Program& program) {
    return value.IsObject() && GetRequiredString(value, "id", program.id, true) &&
           GetRequiredString(value, "color", program.color, true) &&
           GetRequiredString(value, "displayName", program.displayName, true);
}

bool ParseDivider(const rapidjson::Value& value, Divider& divider) {
    if (!value.IsObject() || !GetRequiredString(value, "type", divider.type, true) ||
        !GetRequiredString(value, "id", divider.id, true) ||
        !GetRequiredString(value, "scope", divider.scope, true)) {
        return false;
    }
    if (const rapidjson::Value* segment = FindField(value, "segment")) {
        ParseSegment(*segment, divider.segment);
    }
    GetRequiredInt(value, "edgeIndex", divider.edgeIndex, false);
    return true;
}

bool ParsePlanObject(const rapidjson::Value& value, FurnitureObject& item) {
    return ParseFurnitureObject(value, item) && IsFurniture(item.objectType);
}

bool ParsePlanObjectTemplate(const rapidjson::Value& value, FurnitureTemplate& furnitureTemplate) {
    return ParseFurnitureTemplate(value, furnitureTemplate) && IsFurniture(furnitureTemplate.objectType);
}

bool ParsePlanTemplateBody(const rapidjson::Value& value, PlanTemplate& plan) {
    if (!value.IsObject() || !GetRequiredString(value, "type", plan.type, true) ||
        !GetRequiredString(value, "planType", plan.planType, true) ||
        !GetRequiredString(value, "id", plan.id, true)) {
        return false;
    }
    if (const rapidjson::Value* bounds = FindField(value, "bounds")) {
        ParsePolygon(*bounds, plan.bounds);
    }
    AppendParsed(FindField(value, "subContainers"), plan.subContainers, ParsePlanContainer);
    AppendParsed(FindField(value, "transitions"), plan.transitions, ParseTransition);
    AppendStrings(FindField(value, "tags"), plan.tags);
    if (const rapidjson::Value* wallGuides = FindField(value, "wallGuides")) {
        ParseWallGuides(*wallGuides, plan.wallGuides);
    }
    AppendParsed(FindField(value, "walls"), plan.walls, ParseWall);
    AppendParsed(FindField(value, "spaceTypes"), plan.spaceTypes, ParseSpaceType);
    AppendParsed(FindField(value, "programs"), plan.programs, ParseProgram);
    AppendParsed(FindField(value, "dividers"), plan.dividers, ParseDivider);
    AppendParsed(FindField(value, "planObjects"), plan.planObjects, ParsePlanObject);
    // Repeated template ids are all kept here; only the building's template list is made unique.
    AppendParsed(FindField(value, "planObjectTemplates"), plan.planObjectTemplates, ParsePlanObjectTemplate);
    GetRequiredString(value, "ownerId", plan.ownerId, false);
    GetRequiredString(value, "hash", plan.hash, false);
    return true;
}

// The identity fields, each with its own message for the caller.
bool CheckIdentityField(const rapidjson::Value& planTemplate, const char* key, GS::UniString& errorText) {
    const rapidjson::Value* field = FindField(planTemplate, key);
    if (field == nullptr) {
        errorText = GS::UniString::Printf("Missing required field '%s' in planTemplate", key);
        return false;
    }
    if (!field->IsString()) {
        errorText = GS::UniString::Printf("Field '%s' must be a string", key);
        return false;
    }
    return true;
}

} // namespace

bool ParsePlanTemplate(const GS::UniString& jsonText, PlanTemplate& plan, GS::UniString& errorText) {
    rapidjson::Document document;
    JsonReadResult read = ReadJson(jsonText, document);
    if (!read.IsOk()) {
        errorText = "JSON parse error: " + read.ErrorTextAtOffset();
        return false;
    }
    if (!document.IsObject()) {
        errorText = "Root JSON element is not an object";
        return false;
    }
    const rapidjson::Value* planTemplate = FindField(document, "planTemplate");
    if (planTemplate == nullptr) {
        errorText = "Missing required field 'planTemplate' at root level";
        return false;
    }
    if (!planTemplate->IsObject()) {
        errorText = "Field 'planTemplate' must be an object";
        return false;
    }
    for (const char* key : {"type", "planType", "id"}) {
        if (!CheckIdentityField(*planTemplate, key, errorText)) {
            return false;
        }
    }
    if (!ParsePlanTemplateBody(*planTemplate, plan)) {
        errorText = "Failed to parse planTemplate structure";
        return false;
    }
    return true;
}

} // namespace Tolva::Parsers
