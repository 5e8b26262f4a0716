#include "Logging/ErrorHandOver.hpp"

#include "Logging/ErrorAggregation.hpp"
#include "Logging/SentryLogger.hpp"

void HandOverError(const GS::UniString& category, const GS::UniString& message,
                   const GS::UniString& context) {
    if (ErrorAggregation::IsAggregating()) {
        ErrorAggregation::RecordError(category, message, context);
    } else {
        SentryLogger::CaptureError(category, message);
    }
}
