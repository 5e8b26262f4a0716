#pragma once

#include "ACAPinc.h"
#include "JSCommands/GuideGeometry.hpp"
#include "JSValues.hpp"

// getGridlines: the lines of the selected grid elements for the page.
namespace JSCommands::GridCommands {

// The selected grid elements (objects of the grid-element variation), in selection order.
GS::Array<API_Guid> GetSelectedGrids();

// Appends the grid's lines: one per pair of neighbouring memo coordinates, or else one line of the
// grid's "AC_Length" from its placement along its angle. False with error set when it has neither.
bool ExtractGridLines(const API_Guid& grid, GS::Array<GuideGeometry::Polyline>& lines, GS::UniString& error);

// An object {error: message}; the message is logged at ERROR under "GridCommands".
GS::Ref<JS::Base> MakeGridError(const GS::UniString& message);

// The group "grid_lines" of the selected grids' lines, or MakeGridError; the argument is ignored.
GS::Ref<JS::Base> GetGridlines(GS::Ref<JS::Base> argument);

} // namespace JSCommands::GridCommands
