#pragma once

#include "GSRoot/UniString.hpp"

#include <rapidjson/document.h>

#include <cstddef>
#include <memory>

namespace Tolva::Parsers {

// 8-bit text of the given length to host text with the host's default conversion. Embedded NULs
// stay in the result, where the host's own conversion would stop at the first one.
GS::UniString ToUniString(const char* text, size_t length);

// Host text as UTF-8, as the host's default conversion gives it (an unpaired surrogate becomes
// U+FFFD). Large page texts go through here, so it is written in one pass into a buffer that is
// allocated once and not cleared first.
struct Utf8Text {
    std::unique_ptr<char[]> bytes;
    size_t length = 0;
};
Utf8Text ToUtf8(const GS::UniString& text);

// The text of a JSON string value.
GS::UniString ToUniString(const rapidjson::Value& stringValue);

} // namespace Tolva::Parsers
