#pragma once

#include "Logging/ErrorAggregation.hpp"

// Reports errors and crashes to the error-reporting service through sentry-native. The library is
// set up on the first error to report; a failed set-up disables reporting for the rest of the
// process, and so does the release of the add-on. Nothing here fails towards its caller.
namespace SentryLogger {

void EnsureInitialized();
// One error logged outside any aggregation scope, as a message event.
void CaptureError(const GS::UniString& category, const GS::UniString& message);
// A finished aggregation scope's errors, as one event.
void CaptureAggregatedErrors(const ErrorAggregation::ErrorAggregationContext& context);
void Shutdown();

// The host's main version ("29"), or "Unknown".
GS::UniString GetHostVersionText();
GS::UniString GetPlatformText();
// "user-" and a hash of the computer name, so reports of one machine group without naming it.
GS::UniString GetAnonymousUserId();

} // namespace SentryLogger
