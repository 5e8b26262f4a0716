#pragma once

#include "HostProgram.hpp"

#include <string>

// One plan import: menu, Generate Plan, a click at (x, y) in metres, what the page received and the
// import's answer; the story before and after is drawn to drawingPath (when given), the room's edges
// marked.
void RunDemo(HostProgram& host, double x, double y, const std::string& drawingPath);
