#include "Parsers/BuildingDataParser.hpp"

#include "Parsers/ElementLists.hpp"
#include "Parsers/FieldReaders.hpp"
#include "Parsers/GeometryParsers.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/ListRoot.hpp"
#include "Parsers/ParserLog.hpp"
#include "Parsers/PlanElementParsers.hpp"
#include "Parsers/WallGuideParsers.hpp"

namespace Tolva::Parsers {

namespace {

// name starts the error texts, as in "Stories JSON parse error: ...".
bool ReadNamedJson(const GS::UniString& json, const char* name, rapidjson::Document& document,
                   GS::UniString& errorText) {
    JsonReadResult read = ReadJson(json, document);
    if (!read.IsOk()) {
        errorText = GS::UniString(name) + " JSON parse error: " + read.ErrorTextAtOffset();
    }
    return read.IsOk();
}

// Reads one list text (a bare or a wrapped array) and appends the elements that parse.
template <typename Record, typename Parse>
bool ParseListText(const GS::UniString& json, const char* name, GS::Array<Record>& out, Parse parse,
                   GS::UniString& errorText) {
    rapidjson::Document document;
    if (!ReadNamedJson(json, name, document, errorText)) {
        return false;
    }
    const rapidjson::Value* list = FindListArray(document);
    if (list == nullptr) {
        errorText = GS::UniString(name) + " JSON must be an array or an object with a 'value' array property";
        return false;
    }
    AppendParsed(list, out, parse);
    return true;
}

// The members stories and units share.
template <typename Record>
void ParseOutlineParts(const rapidjson::Value& value, Record& record) {
    if (const rapidjson::Value* wallGuides = FindField(value, "wallGuides")) {
        ParseWallGuides(*wallGuides, record.wallGuides);
    }
    AppendParsed(FindField(value, "boundsWallGuideSegments"), record.boundsWallGuideSegments,
                 ParseBoundsWallGuideSegment);
    if (const rapidjson::Value* globalTransform = FindField(value, "globalTransform")) {
        ParseTransform(*globalTransform, record.globalTransform);
    }
}

void ParseOptionalPolygon(const rapidjson::Value& object, const char* key, TolvaPolygon& polygon) {
    if (const rapidjson::Value* value = FindField(object, key)) {
        ParsePolygon(*value, polygon);
    }
}

bool ParseFurnitureInstance(const rapidjson::Value& value, FurnitureObject& item) {
    return ParseFurnitureObject(value, item) && IsFurniture(item.objectType);
}

} // namespace

bool ParseStory(const rapidjson::Value& value, TolvaStory& story) {
    if (!value.IsObject() || !GetRequiredString(value, "id", story.id, true)) {
        return false;
    }
    GetRequiredString(value, "buildingId", story.buildingId, false);
    GetRequiredInt(value, "level", story.level, false);
    GetRequiredNumber(value, "height", story.height, false);
    GetRequiredNumber(value, "heightOffset", story.heightOffset, false);
    ParseOptionalPolygon(value, "polygon", story.polygon);
    ParseOptionalPolygon(value, "centerPolygon", story.centerPolygon);
    AppendParsed(FindField(value, "meshes"), story.meshes, ParseMesh);
    ParseOutlineParts(value, story);
    return true;
}

bool ParseUnit(const rapidjson::Value& value, TolvaUnit& unit) {
    if (!value.IsObject() || !GetRequiredString(value, "id", unit.id, true)) {
        return false;
    }
    GetRequiredString(value, "storyId", unit.storyId, false);
    ParseOptionalPolygon(value, "polygon", unit.polygon);
    if (const rapidjson::Value* mesh = FindField(value, "mesh")) {
        ParseMesh(*mesh, unit.mesh);
    }
    ParseOutlineParts(value, unit);
    return true;
}

bool ParseFurnitureInstances(const GS::UniString& json, GS::Array<FurnitureObject>& items,
                             GS::UniString& errorText) {
    if (json.IsEmpty()) {
        return true;
    }
    return ParseListText(json, "Furniture instances", items, ParseFurnitureInstance, errorText);
}

bool ParseFurnitureTemplates(const GS::UniString& json, GS::Array<FurnitureTemplate>& templates,
                             GS::UniString& errorText) {
    if (json.IsEmpty()) {
        return true;
    }
    rapidjson::Document document;
    if (!ReadNamedJson(json, "Furniture templates", document, errorText)) {
        return false;
    }
    // Unlike the other lists, this one is never wrapped.
    if (!document.IsArray()) {
        errorText = "Furniture templates JSON must be an array";
        return false;
    }
    GS::HashTable<GS::UniString, FurnitureTemplate> byId;
    for (const rapidjson::Value& element : document.GetArray()) {
        FurnitureTemplate furnitureTemplate;
        if (ParseFurnitureTemplate(element, furnitureTemplate) && IsFurniture(furnitureTemplate.objectType)) {
            byId.Add(furnitureTemplate.id, furnitureTemplate);
        }
    }
    for (const auto& [id, furnitureTemplate] : byId) {
        templates.Push(furnitureTemplate);
    }
    return true;
}

bool ParseBuildingData(const GS::UniString& storiesJson, const GS::UniString& unitsJson,
                       const GS::UniString& transitionsJson, const GS::UniString& furnitureInstancesJson,
                       const GS::UniString& furnitureTemplatesJson, BuildingData& data,
                       GS::UniString& errorText) {
    if (!ParseListText(storiesJson, "Stories", data.stories, ParseStory, errorText)) {
        return false;
    }
    if (!unitsJson.IsEmpty() && !ParseListText(unitsJson, "Units", data.units, ParseUnit, errorText)) {
        return false;
    }
    if (!transitionsJson.IsEmpty() &&
        !ParseListText(transitionsJson, "Transitions", data.transitions, ParseTransition, errorText)) {
        return false;
    }
    GS::UniString furnitureError;
    if (!furnitureInstancesJson.IsEmpty()) {
        if (ParseFurnitureInstances(furnitureInstancesJson, data.furnitureInstances, furnitureError)) {
            Logger::Info(ParserCategory,
                         GS::UniString::Printf("Parsed %d furniture instances",
                                               static_cast<int>(data.furnitureInstances.GetSize())));
        } else {
            ParserWarning("Failed to parse furniture instances: " + furnitureError);
        }
    }
    if (!furnitureTemplatesJson.IsEmpty()) {
        if (ParseFurnitureTemplates(furnitureTemplatesJson, data.furnitureTemplates, furnitureError)) {
            Logger::Info(ParserCategory,
                         GS::UniString::Printf("Parsed %d furniture templates",
                                               static_cast<int>(data.furnitureTemplates.GetSize())));
        } else {
            ParserWarning("Failed to parse furniture templates: " + furnitureError);
        }
    }
    return true;
}

} // namespace Tolva::Parsers
