#pragma once

#include "JSValues.hpp"

// Readers of a command's argument; a wrong kind of value throws GS::ClassCastException ("Bad cast."), as
// the DevKit's own DynamicCast does.
namespace JSCommands {

// The empty string when the page passed nothing.
GS::UniString GetStringArgument(const GS::Ref<JS::Base>& argument);
// A null reference when the page passed nothing.
GS::Ref<JS::Array> GetArrayArgument(const GS::Ref<JS::Base>& argument);

} // namespace JSCommands
