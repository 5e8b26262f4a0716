#pragma once

#include "Parsers/JsonText.hpp"

#include <cstddef>
#include <cstdint>

// The input bytes as host text: decoded as 8-bit text, NULs and malformed sequences included.
inline GS::UniString FuzzText(const uint8_t* data, size_t size) {
    return Tolva::Parsers::ToUniString(reinterpret_cast<const char*>(data), size);
}
