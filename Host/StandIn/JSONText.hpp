#pragma once

#include "JSValues.hpp"

#include <string>

namespace JS {

// Compact JSON of a script value, members in order, so drivers and tests compare results as text.
// A function, which JSON cannot hold, and an empty reference both give "null".
HOST_API std::string ToJSONText(const GS::Ref<Base>& value);

} // namespace JS
