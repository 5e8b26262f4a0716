#pragma once

#include "Palettes/BrowserPalette.hpp"

// Generate Plan: the user clicks a room, its boundary is stored for the page, and the browser palette
// is opened anew in the mode and told that a selection waits.
void PointClickFlow(BrowserMode mode, const GS::UniString& environmentName);
