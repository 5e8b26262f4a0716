#pragma once

#include "API/APIdefs_Environment.h"

// The host's control callbacks of the two palettes. Until a palette instance exists, every message
// finds nothing to act on and the is-visible query answers false.
GSErrCode BrowserPaletteControlCallback(Int32 referenceID, API_PaletteMessageID messageID, GS::IntPtr param);
GSErrCode GeneratePlanPaletteControlCallback(Int32 referenceID, API_PaletteMessageID messageID,
                                             GS::IntPtr param);
