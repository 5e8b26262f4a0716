#include "Logging/AggregatedEvent.hpp"

#include "Logging/SentryLogger.hpp"
#include "Update/PluginVersion.hpp"

namespace ErrorAggregation {

namespace {

sentry_value_t Text(const GS::UniString& text) {
    return sentry_value_new_string(text.ToCStr().Get());
}

sentry_value_t Count(UInt32 count) {
    return sentry_value_new_int32(static_cast<int32_t>(count));
}

sentry_value_t Tags(const ErrorAggregationContext& context) {
    sentry_value_t tags = sentry_value_new_object();
    sentry_value_set_by_key(tags, "operation_type", Text(context.operationType));
    sentry_value_set_by_key(tags, "total_items", Count(context.totalItems));
    sentry_value_set_by_key(tags, "success_count", Count(context.successCount));
    sentry_value_set_by_key(tags, "failed_count", Count(context.failedCount));
    sentry_value_set_by_key(tags, "skipped_count", Count(context.skippedCount));
    sentry_value_set_by_key(tags, "unique_error_patterns", Count(context.errors.GetSize()));
    if (const GS::UniString version = SentryLogger::GetHostVersionText(); !version.IsEmpty()) {
        sentry_value_set_by_key(tags, "archicad.version", Text(version));
    }
    sentry_value_set_by_key(tags, "plugin.version", sentry_value_new_string(PluginVersion::Text));
    if (const GS::UniString platform = SentryLogger::GetPlatformText(); !platform.IsEmpty()) {
        sentry_value_set_by_key(tags, "platform", Text(platform));
    }
    return tags;
}

sentry_value_t Sample(const ErrorSample& sample) {
    sentry_value_t object = sentry_value_new_object();
    sentry_value_set_by_key(object, "category", Text(sample.category));
    sentry_value_set_by_key(object, "message", Text(sample.message));
    sentry_value_set_by_key(object, "context", Text(sample.context));
    // Milliseconds since 1970 need 64 bits.
    sentry_value_set_by_key(object, "timestamp", sentry_value_new_uint64(sample.timestamp));
    return object;
}

sentry_value_t ErrorGroup(const AggregatedErrorData& data) {
    sentry_value_t group = sentry_value_new_object();
    sentry_value_set_by_key(group, "pattern", Text(data.pattern));
    sentry_value_set_by_key(group, "count", Count(data.count));
    sentry_value_t categories = sentry_value_new_object();
    for (const auto& [category, count] : data.categories) {
        sentry_value_set_by_key(categories, category.ToCStr().Get(), Count(count));
    }
    sentry_value_set_by_key(group, "categories", categories);
    sentry_value_t samples = sentry_value_new_list();
    for (const ErrorSample& sample : data.samples) {
        sentry_value_append(samples, Sample(sample));
    }
    sentry_value_set_by_key(group, "samples", samples);
    return group;
}

} // namespace

UInt32 TotalErrorCount(const ErrorAggregationContext& context) {
    UInt32 total = 0;
    for (const auto& [pattern, data] : context.errors) {
        total += data.count;
    }
    return total;
}

GS::UniString AggregatedSummary(const ErrorAggregationContext& context) {
    return GS::UniString::Printf("%s: %u errors (%u patterns) - %u/%u items succeeded",
                                 context.operationType.ToCStr().Get(), TotalErrorCount(context),
                                 context.errors.GetSize(), context.successCount, context.totalItems);
}

sentry_value_t BuildAggregatedEvent(const ErrorAggregationContext& context) {
    sentry_value_t event = sentry_value_new_event();
    sentry_value_set_by_key(event, "message", Text(AggregatedSummary(context)));
    sentry_value_set_by_key(event, "level", sentry_value_new_string("error"));
    sentry_value_set_by_key(event, "tags", Tags(context));
    sentry_value_t groups = sentry_value_new_list();
    for (const auto& [pattern, data] : context.errors) {
        sentry_value_append(groups, ErrorGroup(data));
    }
    sentry_value_t extra = sentry_value_new_object();
    sentry_value_set_by_key(extra, "error_groups", groups);
    sentry_value_set_by_key(event, "extra", extra);
    return event;
}

} // namespace ErrorAggregation
