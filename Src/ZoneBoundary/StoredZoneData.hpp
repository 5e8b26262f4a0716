#pragma once

#include "Lock.hpp"
#include "UniString.hpp"

// The zone boundary JSON of the last Generate Plan click, kept for the page's getSelection while the
// plan generation palette exists. A GS::Lock guards it against the command path.
class StoredZoneData {
public:
    static StoredZoneData& Instance();

    void Store(const GS::UniString& json);
    bool Has() const;
    // Empty when nothing is stored.
    GS::UniString Get() const;
    void Clear();

private:
    StoredZoneData() = default;

    mutable GS::Lock lock;
    GS::UniString json;
    bool stored = false;
};
