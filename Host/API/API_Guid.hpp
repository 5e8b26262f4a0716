#pragma once

#include "GSGuid.hpp"

#include <cstring>

// Element identity: 16 bytes, a 32-bit field, two 16-bit fields and eight bytes, as GS::Guid lays them
// out, so that the two convert by reference.
struct API_Guid {
    UInt32 time_low;
    unsigned short time_mid;
    unsigned short time_hi_and_version;
    unsigned char clock_seq_hi_and_reserved;
    unsigned char clock_seq_low;
    unsigned char node[6];

    ULong GenerateHashValue() const;
};
static_assert(sizeof(API_Guid) == sizeof(GS::Guid), "sizeof (API_Guid) != sizeof (GS::Guid)");

inline GS::Guid& APIGuid2GSGuid(API_Guid& guid) {
    return reinterpret_cast<GS::Guid&>(guid);
}
inline const GS::Guid& APIGuid2GSGuid(const API_Guid& guid) {
    return reinterpret_cast<const GS::Guid&>(guid);
}
inline API_Guid& GSGuid2APIGuid(GS::Guid& guid) {
    return reinterpret_cast<API_Guid&>(guid);
}
inline const API_Guid& GSGuid2APIGuid(const GS::Guid& guid) {
    return reinterpret_cast<const API_Guid&>(guid);
}

inline API_Guid APIGuidFromString(const char* text) {
    return GSGuid2APIGuid(GS::Guid(text));
}
inline GS::UniString APIGuidToString(const API_Guid& guid) {
    return APIGuid2GSGuid(guid).ToUniString();
}

inline bool operator==(const API_Guid& apiGuid1, const API_Guid& apiGuid2) {
    return APIGuid2GSGuid(apiGuid1) == APIGuid2GSGuid(apiGuid2);
}
inline bool operator==(const API_Guid& apiGuid, const GS::Guid& gsGuid) {
    return APIGuid2GSGuid(apiGuid) == gsGuid;
}
inline bool operator==(const GS::Guid& gsGuid, const API_Guid& apiGuid) {
    return APIGuid2GSGuid(apiGuid) == gsGuid;
}
inline bool operator!=(const API_Guid& apiGuid1, const API_Guid& apiGuid2) {
    return !(apiGuid1 == apiGuid2);
}
inline bool operator!=(const API_Guid& apiGuid, const GS::Guid& gsGuid) {
    return !(apiGuid == gsGuid);
}
inline bool operator!=(const GS::Guid& gsGuid, const API_Guid& apiGuid) {
    return !(apiGuid == gsGuid);
}

inline ULong API_Guid::GenerateHashValue() const {
    return APIGuid2GSGuid(*this).GenerateHashValue();
}

inline API_Guid GenerateAPIGuid() {
    return GSGuid2APIGuid(GS::Guid(GS::Guid::GenerateGuid));
}

constexpr API_Guid APINULLGuid = {};
