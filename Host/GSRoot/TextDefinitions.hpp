#pragma once

#include "Definitions.hpp"

#include <string_view>

namespace GS {

enum class CaseComparison : UInt16 { Sensitive, Insensitive };

constexpr CaseComparison CaseSensitive = CaseComparison::Sensitive;
constexpr CaseComparison CaseInsensitive = CaseComparison::Insensitive;

} // namespace GS
