#pragma once

#include "HostProgram.hpp"

#include <string>

// The first half of one plan import: menu, Generate Plan, a click at (x, y) in metres, and what the
// page received; the story is drawn to drawingPath (when given) with the room's edges marked.
void RunDemo(HostProgram& host, double x, double y, const std::string& drawingPath);
