#pragma once

#include "Logging/ErrorAggregation.hpp"

#include <sentry.h>

namespace ErrorAggregation {

// The error-reporting event of one batch: its summary as the message, its counts and the reporting
// context as tags, and every pattern with its count, categories and samples under "error_groups".
sentry_value_t BuildAggregatedEvent(const ErrorAggregationContext& context);

// The summary text, e.g. "Wall Creation: 3 errors (2 patterns) - 97/100 items succeeded".
GS::UniString AggregatedSummary(const ErrorAggregationContext& context);
// The number of errors recorded, over all patterns.
UInt32 TotalErrorCount(const ErrorAggregationContext& context);

} // namespace ErrorAggregation
