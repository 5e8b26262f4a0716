#pragma once

#include <rapidjson/document.h>

namespace Tolva::Parsers {

// List texts come as a bare array or wrapped as {"value": [...]}; returns the array, or nullptr
// when the root has neither shape.
const rapidjson::Value* FindListArray(const rapidjson::Value& root);

} // namespace Tolva::Parsers
