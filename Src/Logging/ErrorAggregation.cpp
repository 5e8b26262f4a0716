#include "Logging/ErrorAggregation.hpp"

#include "Logging/ErrorPattern.hpp"
#include "Logging/SentryLogger.hpp"

#include <chrono>

namespace ErrorAggregation {

namespace {

// The calling thread's innermost open scope. A plain pointer, so that nothing per thread needs
// destroying and the add-on module can still be unloaded once a thread has used it.
thread_local ErrorAggregationScope::Link* innermost = nullptr;

UInt64 MillisecondsSinceEpoch() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<UInt64>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void Unlink(const ErrorAggregationScope::Link* link) {
    for (ErrorAggregationScope::Link** at = &innermost; *at != nullptr; at = &(*at)->outer) {
        if (*at == link) {
            *at = link->outer;
            return;
        }
    }
}

} // namespace

ErrorAggregationScope::ErrorAggregationScope(const GS::UniString& operationType, UInt32 totalItems)
    : context(std::make_unique<ErrorAggregationContext>()) {
    context->operationType = operationType;
    context->totalItems = totalItems;
    link = {context.get(), innermost};
    innermost = &link;
}

ErrorAggregationScope::~ErrorAggregationScope() {
    // Normally the innermost; a scope ended out of order must not leave a dangling entry behind.
    Unlink(&link);
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
    return innermost != nullptr;
}

void RecordError(const GS::UniString& category, const GS::UniString& message, const GS::UniString& context) {
    if (innermost == nullptr) {
        return;
    }
    ErrorAggregationContext& target = *innermost->context;
    const GS::UniString pattern = NormalizeErrorMessage(message);
    const ErrorSample sample{category, message, context, MillisecondsSinceEpoch()};
    AggregatedErrorData* data = target.errors.GetPtr(pattern);
    if (data == nullptr) {
        AggregatedErrorData fresh;
        fresh.pattern = pattern;
        target.errors.Add(pattern, fresh);
        data = target.errors.GetPtr(pattern);
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
    const auto narrow = message.ToCStr();
    return GS::UniString(NormalizeNarrowMessage(std::string_view(narrow.Get(), narrow.GetLength())));
}

} // namespace ErrorAggregation
