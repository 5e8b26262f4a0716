#pragma once

#include "ACAPinc.h"

#include <ostream>

// Session steps on the project's geometry, played through the API as Archicad's user would.

// Creates a zone whose boundary the host detects around the point, in one undo step.
void CreateAutomaticZone(std::ostream& out, API_Coord at, bool referenceLine, const GS::UniString& name);
// Prints the zone on the active story and a visible layer at the point.
void SearchZone(std::ostream& out, API_Coord at);
// Prints the element's 3D bodies and the solid operations that trim it.
void PrintBodies(std::ostream& out, const API_Guid& guid);
