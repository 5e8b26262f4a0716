#pragma once

#include "Model/SpacesData.hpp"

#include <rapidjson/document.h>

namespace Tolva::Parsers {

// Reads the space types of project.json, the spaces of spaces.json and the units of units.json
// (each unit becoming one more space) into data. Any text may be empty. Only project.json and
// spaces.json can fail the parse; units.json problems are warnings.
bool ParseSpacesData(const GS::UniString& spacesJson, const GS::UniString& projectJson,
                     const GS::UniString& unitsJson, SpacesData& data, GS::UniString& errorText);

bool ParseSpace(const rapidjson::Value& value, TolvaSpace& space);
bool ParseUnitAsSpace(const rapidjson::Value& value, TolvaSpace& space);

// The level in identifiers "building-story-..." (its second part), or -1 when there is none.
Int32 ExtractStoryLevelFromSpaceId(const GS::UniString& id);

} // namespace Tolva::Parsers
