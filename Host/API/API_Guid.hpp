#pragma once

#include "GSGuid.hpp"

#include <cstring>

// Element identity: 16 bytes, a 32-bit field, two 16-bit fields and eight bytes.
struct API_Guid {
    UInt32 time_low;
    UInt16 time_mid;
    UInt16 time_hi_and_version;
    UInt8 clock_seq_hi_and_reserved;
    UInt8 clock_seq_low;
    UInt8 node[6];

    bool operator==(const API_Guid& other) const {
        return time_low == other.time_low && time_mid == other.time_mid &&
               time_hi_and_version == other.time_hi_and_version &&
               clock_seq_hi_and_reserved == other.clock_seq_hi_and_reserved &&
               clock_seq_low == other.clock_seq_low && std::memcmp(node, other.node, 6) == 0;
    }
    bool operator!=(const API_Guid& other) const { return !(*this == other); }
};
static_assert(sizeof(API_Guid) == 16);

inline GS::Guid APIGuid2GSGuid(const API_Guid& guid) {
    GS::Guid::Fields fields;
    fields.data1 = guid.time_low;
    fields.data2 = guid.time_mid;
    fields.data3 = guid.time_hi_and_version;
    fields.data4[0] = guid.clock_seq_hi_and_reserved;
    fields.data4[1] = guid.clock_seq_low;
    std::memcpy(fields.data4 + 2, guid.node, 6);
    return GS::Guid(fields);
}

inline API_Guid GSGuid2APIGuid(const GS::Guid& guid) {
    const GS::Guid::Fields& fields = guid.GetFields();
    API_Guid result;
    result.time_low = fields.data1;
    result.time_mid = fields.data2;
    result.time_hi_and_version = fields.data3;
    result.clock_seq_hi_and_reserved = fields.data4[0];
    result.clock_seq_low = fields.data4[1];
    std::memcpy(result.node, fields.data4 + 2, 6);
    return result;
}

inline API_Guid APIGuidFromString(const char* text) {
    return GSGuid2APIGuid(GS::Guid(text));
}
inline GS::UniString APIGuidToString(const API_Guid& guid) {
    return APIGuid2GSGuid(guid).ToUniString();
}

inline constexpr API_Guid APINULLGuid{};

inline UInt32 GenerateHashValue(const API_Guid& guid) {
    return APIGuid2GSGuid(guid).GenerateHashValue();
}
