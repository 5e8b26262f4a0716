#pragma once

#include "GSRoot/UniString.hpp"

#include <rapidjson/document.h>

#include <cstddef>

namespace Tolva::Parsers {

// 8-bit text of the given length to host text with the host's default conversion. Embedded NULs
// stay in the result, where the host's own conversion would stop at the first one.
GS::UniString ToUniString(const char* text, size_t length);

// The text of a JSON string value.
GS::UniString ToUniString(const rapidjson::Value& stringValue);

} // namespace Tolva::Parsers
