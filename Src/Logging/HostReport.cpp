#include "Logging/HostReport.hpp"

#include "ACAPinc.h"

namespace HostReport {

void Write(const GS::UniString& text) {
    try {
        // The text is an argument, never the format: a "%" in it stays literal.
        ACAPI_WriteReport("%s", false, text.ToCStr().Get());
    } catch (...) {
        // Reporting never fails towards its caller.
    }
}

} // namespace HostReport
