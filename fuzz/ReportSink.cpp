// The fuzz targets run without the host stand-in: the report window is a sink here.
#include "ACAPinc.h"

GSErrCode ACAPI_WriteReportText(const GS::UniString&, bool) {
    return NoError;
}
