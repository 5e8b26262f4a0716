#pragma once

#include "UniString.hpp"

// Where the logger's ERROR lines go next: into the calling thread's innermost aggregation scope
// (with the context text), or else to error reporting as a single event.
void HandOverError(const GS::UniString& category, const GS::UniString& message, const GS::UniString& context);
