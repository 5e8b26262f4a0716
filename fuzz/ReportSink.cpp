// The fuzz targets run without the host stand-in and without error reporting: the report window and
// the logger's error hand-over are sinks here.
#include "ACAPinc.h"
#include "Logging/ErrorHandOver.hpp"

void ACAPI_WriteReport(const GS::UniString&, bool, ...) {}

void HandOverError(const GS::UniString&, const GS::UniString&, const GS::UniString&) {}
