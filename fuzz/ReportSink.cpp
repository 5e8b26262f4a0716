// The fuzz targets run without the host stand-in and without error reporting: the report window and
// the logger's error hand-over are sinks here.
#include "ACAPinc.h"
#include "Logging/ErrorHandOver.hpp"

GSErrCode ACAPI_WriteReportText(const GS::UniString&, bool) {
    return NoError;
}

void HandOverError(const GS::UniString&, const GS::UniString&, const GS::UniString&) {}
