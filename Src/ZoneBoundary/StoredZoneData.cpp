#include "ZoneBoundary/StoredZoneData.hpp"

#include "Guard.hpp"
#include "Logging/Logger.hpp"

namespace {
constexpr const char* Category = "GeneratePlanPalette";
}

StoredZoneData& StoredZoneData::Instance() {
    static StoredZoneData data;
    return data;
}

void StoredZoneData::Store(const GS::UniString& newJson) {
    GS::Guard<GS::Lock> guard(lock);
    json = newJson;
    stored = true;
}

bool StoredZoneData::Has() const {
    GS::Guard<GS::Lock> guard(lock);
    return stored;
}

GS::UniString StoredZoneData::Get() const {
    GS::Guard<GS::Lock> guard(lock);
    if (!stored) {
        return GS::UniString();
    }
    Logger::Debug(Category, "Retrieving stored zone data");
    return json;
}

void StoredZoneData::Clear() {
    GS::Guard<GS::Lock> guard(lock);
    if (!stored) {
        return;
    }
    json = GS::UniString();
    stored = false;
    Logger::Debug(Category, "Cleared stored zone data");
}
