#pragma once

#include "UniString.hpp"

#include <rapidjson/document.h>

#include <cstddef>

namespace Tolva::Parsers {

// 8-bit text of the given length to host text with the host's default conversion. Embedded NULs
// stay in the result, where the host's own conversion would stop at the first one.
GS::UniString ToUniString(const char* text, size_t length);

// Whether the host's default conversion writes UTF-8: Archicad's follows the system's code page.
bool DefaultConversionIsUtf8();

// Host text as UTF-8, as the host's UTF-8 conversion gives it (an unpaired surrogate becomes
// U+FFFD). Large page texts go through here when the default conversion is UTF-8, so it is written
// in one pass into a buffer of at least Utf8Capacity(text) bytes that the caller allocates once;
// returns the length written, without a NUL.
size_t Utf8Capacity(const GS::UniString& text);
size_t WriteUtf8(const GS::UniString& text, char* out);

// The text of a JSON string value.
GS::UniString ToUniString(const rapidjson::Value& stringValue);

} // namespace Tolva::Parsers
