#include "Logging/ErrorAggregation.hpp"

#include "Logging/ErrorPattern.hpp"
#include "Logging/SentryLogger.hpp"

#include <chrono>

namespace ErrorAggregation {

namespace {

// The calling thread's open scopes; the last one is the innermost.
thread_local GS::Array<ErrorAggregationContext*> activeContexts;

UInt64 MillisecondsSinceEpoch() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<UInt64>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void Forget(const ErrorAggregationContext* context) {
    for (USize i = activeContexts.GetSize(); i > 0; --i) {
        if (activeContexts[i - 1] == context) {
            activeContexts.Delete(i - 1);
            return;
        }
    }
}

} // namespace

ErrorAggregationScope::ErrorAggregationScope(const GS::UniString& operationType, UInt32 totalItems)
    : context(std::make_unique<ErrorAggregationContext>()) {
    context->operationType = operationType;
    context->totalItems = totalItems;
    activeContexts.Push(context.get());
}

ErrorAggregationScope::~ErrorAggregationScope() {
    // Normally the innermost; a scope ended out of order must not leave a dangling entry behind.
    Forget(context.get());
    if (!context->errors.IsEmpty()) {
        SentryLogger::CaptureAggregatedErrors(*context);
    }
}

void ErrorAggregationScope::RecordSuccess() {
    ++context->successCount;
}

void ErrorAggregationScope::RecordFailure() {
    ++context->failedCount;
}

void ErrorAggregationScope::RecordSkip() {
    ++context->skippedCount;
}

bool IsAggregating() {
    return !activeContexts.IsEmpty();
}

void RecordError(const GS::UniString& category, const GS::UniString& message, const GS::UniString& context) {
    if (activeContexts.IsEmpty()) {
        return;
    }
    ErrorAggregationContext& innermost = *activeContexts.GetLast();
    const GS::UniString pattern = NormalizeErrorMessage(message);
    const ErrorSample sample{category, message, context, MillisecondsSinceEpoch()};
    AggregatedErrorData* data = innermost.errors.GetPtr(pattern);
    if (data == nullptr) {
        AggregatedErrorData fresh;
        fresh.pattern = pattern;
        innermost.errors.Add(pattern, fresh);
        data = innermost.errors.GetPtr(pattern);
    }
    ++data->count;
    if (UInt32* categoryCount = data->categories.GetPtr(category)) {
        ++*categoryCount;
    } else {
        data->categories.Add(category, 1);
    }
    if (data->samples.GetSize() < MaxSamplesPerPattern) {
        data->samples.Push(sample);
    }
}

GS::UniString NormalizeErrorMessage(const GS::UniString& message) {
    const GS::UniString::CStr narrow = message.ToCStr();
    return GS::UniString(NormalizeNarrowMessage(std::string_view(narrow.Get(), narrow.GetLength())));
}

} // namespace ErrorAggregation
