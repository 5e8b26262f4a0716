#pragma once

#include "ACAPinc.h"

namespace JSCommands {

// Reads a selected element by its GUID (set in `element`). An element that cannot be read is left
// out of the export: a warning under the category says which, so the answer's gap is explained.
bool ReadSelectedElement(API_Element& element, const char* category);

} // namespace JSCommands
