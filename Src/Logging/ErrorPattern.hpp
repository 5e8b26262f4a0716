#pragma once

#include <string>
#include <string_view>

namespace ErrorAggregation {

// The pattern of a narrow (UTF-8) error message: quoted texts become <name>, GUIDs in braces <guid>
// and whole numbers <N>. The same result as these four replace-all passes of ECMAScript regular
// expressions, in this order:
//   '[^']+'  ->  <name>      "[^"]+"  ->  <name>      \{[0-9A-Fa-f-]+\}  ->  <guid>      \b\d+\b  ->  <N>
// but in one linear scan without recursion, so that a message of any length is safe.
std::string NormalizeNarrowMessage(std::string_view message);

} // namespace ErrorAggregation
