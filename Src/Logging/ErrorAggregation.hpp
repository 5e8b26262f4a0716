#pragma once

#include "Array.hpp"
#include "HashTable.hpp"
#include "UniString.hpp"

#include <memory>

// Groups the errors of one batch operation (many walls, doors, zones) into patterns, so that the
// batch makes one error report instead of one per failed item. Scopes are kept per thread; the
// errors the logger writes on that thread go into the innermost open scope.
namespace ErrorAggregation {

constexpr UInt32 MaxSamplesPerPattern = 5;

struct ErrorSample {
    GS::UniString category;
    GS::UniString message;
    GS::UniString context;
    UInt64 timestamp = 0; // ms since 1970-01-01 UTC
};

struct AggregatedErrorData {
    GS::UniString pattern;
    UInt32 count = 0;
    GS::Array<ErrorSample> samples;                  // the first MaxSamplesPerPattern recorded
    GS::HashTable<GS::UniString, UInt32> categories; // in first-seen order
};

struct ErrorAggregationContext {
    GS::UniString operationType;
    UInt32 totalItems = 0;
    UInt32 successCount = 0;
    UInt32 failedCount = 0;
    UInt32 skippedCount = 0;
    GS::HashTable<GS::UniString, AggregatedErrorData> errors; // by pattern, in first-seen order
};

// One batch operation, from construction to destruction; it must end on the thread that began it.
// When it ends with errors recorded, they are reported as one aggregated event.
class ErrorAggregationScope {
public:
    ErrorAggregationScope(const GS::UniString& operationType, UInt32 totalItems);
    ~ErrorAggregationScope();
    ErrorAggregationScope(const ErrorAggregationScope&) = delete;
    ErrorAggregationScope& operator=(const ErrorAggregationScope&) = delete;

    void RecordSuccess();
    void RecordFailure();
    void RecordSkip();
    const ErrorAggregationContext& GetContext() const { return *context; }

    // The calling thread's open scopes, innermost first, linked through the scopes themselves.
    struct Link {
        ErrorAggregationContext* context = nullptr;
        Link* outer = nullptr;
    };

private:
    std::unique_ptr<ErrorAggregationContext> context;
    Link link;
};

// Whether the calling thread has an open scope.
bool IsAggregating();
// Records an error into the calling thread's innermost scope; nothing without one.
void RecordError(const GS::UniString& category, const GS::UniString& message, const GS::UniString& context);
GS::UniString NormalizeErrorMessage(const GS::UniString& message);

} // namespace ErrorAggregation
