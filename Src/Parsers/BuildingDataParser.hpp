#pragma once

#include "Model/BuildingData.hpp"

#include <rapidjson/document.h>

namespace Tolva::Parsers {

// Parses the texts of one building variant into data. Stories are always read; the other texts
// are skipped when empty. Stories, units and transitions can fail the parse (errorText says why);
// broken furniture texts only drop the furniture, with a warning.
bool ParseBuildingData(const GS::UniString& storiesJson, const GS::UniString& unitsJson,
                       const GS::UniString& transitionsJson, const GS::UniString& furnitureInstancesJson,
                       const GS::UniString& furnitureTemplatesJson, BuildingData& data,
                       GS::UniString& errorText);

bool ParseStory(const rapidjson::Value& value, TolvaStory& story);
bool ParseUnit(const rapidjson::Value& value, TolvaUnit& unit);

// Both append to the given list.
bool ParseFurnitureInstances(const GS::UniString& json, GS::Array<FurnitureObject>& items,
                             GS::UniString& errorText);
// Keeps one template per id, the first, at the position of its first appearance.
bool ParseFurnitureTemplates(const GS::UniString& json, GS::Array<FurnitureTemplate>& templates,
                             GS::UniString& errorText);

} // namespace Tolva::Parsers
