#pragma once

#include "ACAPinc.h"
#include "JSCommands/GuideGeometry.hpp"
#include "JSValues.hpp"

// getCenterlines: the selected lines and polylines as centre lines for the page.
namespace JSCommands::LineCommands {

// The selected lines and polylines, in selection order.
GS::Array<API_Guid> GetSelectedLines();

// The element as polylines at the level of its story; polylines and error are cleared first, and the
// error text is set when the element cannot be exported.
void ExtractLineGeometry(const API_Guid& element, GS::Array<GuideGeometry::Polyline>& polylines,
                         GS::UniString& error);

// The group "centerline" of the selected lines, or a failure envelope; the argument is ignored.
GS::Ref<JS::Base> GetCenterlines(GS::Ref<JS::Base> argument);

} // namespace JSCommands::LineCommands
