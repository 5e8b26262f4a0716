#pragma once

#include "GSGuid.hpp"

#include <ostream>

// Session steps on the add-on's palettes, as the user works them. Each throws GS::Exception when the
// palette or item is not there.

// Clicks a button, named by its item number or its text.
void PressButton(const GS::Guid& palette, const GS::UniString& button);
// The close box: the palette decides what closing means.
void ClosePalette(std::ostream& out, const GS::Guid& palette);
void ResizePalette(const GS::Guid& palette, short horizontal, short vertical);
// Title, visibility and the texts of its items.
void PrintPalette(std::ostream& out, const GS::Guid& palette);
