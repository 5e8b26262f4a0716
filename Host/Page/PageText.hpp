#pragma once

#include "UniString.hpp"

#include <string>
#include <string_view>

// The engine keeps strings as CESU-8 (each UTF-16 unit on its own), but texts it was given as
// UTF-8 keep their 4-byte sequences; both decode to the same UTF-16 units.
namespace StandIn::PageText {

GS::UniString FromEngine(std::string_view text);
std::string ToEngine(const GS::UniString& text);

} // namespace StandIn::PageText
