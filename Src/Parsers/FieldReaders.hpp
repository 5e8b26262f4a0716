#pragma once

#include "UniString.hpp"

#include <rapidjson/document.h>

// Typed reads of one member of a JSON object. A missing member fails only when required; a member
// of the wrong type always fails; on failure the output stays unchanged and a warning is logged.
namespace Tolva::Parsers {

bool GetRequiredString(const rapidjson::Value& object, const char* key, GS::UniString& out, bool required);
bool GetRequiredNumber(const rapidjson::Value& object, const char* key, double& out, bool required);
// Only a number written without fraction or exponent that fits an Int32 is an integer.
bool GetRequiredInt(const rapidjson::Value& object, const char* key, Int32& out, bool required);
bool GetRequiredBool(const rapidjson::Value& object, const char* key, bool& out, bool required);

// The member's value, or nullptr when object is not an object or has no such member.
const rapidjson::Value* FindField(const rapidjson::Value& object, const char* key);

} // namespace Tolva::Parsers
