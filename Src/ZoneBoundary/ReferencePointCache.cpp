#include "ZoneBoundary/ReferencePointCache.hpp"

#include "Logging/Logger.hpp"

namespace {
constexpr const char* Category = "PlanImportCommands";
}

ReferencePointCache& ReferencePointCache::Instance() {
    static ReferencePointCache cache;
    return cache;
}

void ReferencePointCache::Save(double x, double y) {
    std::lock_guard<std::mutex> guard(mutex);
    if (!point.valid) {
        Logger::Info(Category,
                     GS::UniString::Printf("Saving initial reference point: (%.2f, %.2f) mm", x, y));
    } else {
        Logger::Info(Category,
                     GS::UniString::Printf("Overwriting cached reference point: OLD=(%.2f, %.2f) mm, "
                                           "NEW=(%.2f, %.2f) mm",
                                           point.x, point.y, x, y));
    }
    point = {true, x, y};
}

void ReferencePointCache::Invalidate() {
    std::lock_guard<std::mutex> guard(mutex);
    point = {};
    Logger::Debug(Category, "Reference cache invalidated");
}

ReferencePointCache::Reading ReferencePointCache::TryGet() const {
    std::lock_guard<std::mutex> guard(mutex);
    return point;
}
