#include "GSGuid.hpp"

#include <cstdio>
#include <cstring>
#include <random>

namespace GS {

namespace {

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

} // namespace

bool ParseGuidText(const UniString& text, Guid::Fields* fields) {
    const auto codeUnits = text.ToUStr();
    std::u16string units(codeUnits.Get(), codeUnits.Get() + text.GetLength());
    if (units.size() == 38 && units.front() == u'{' && units.back() == u'}') {
        units = units.substr(1, 36);
    }
    if (units.size() != 36 || units[8] != u'-' || units[13] != u'-' || units[18] != u'-' ||
        units[23] != u'-') {
        return false;
    }
    UInt8 bytes[16];
    size_t at = 0;
    for (UInt8& byte : bytes) {
        if (units[at] == u'-') {
            ++at;
        }
        int high = HexValue(units[at]);
        int low = HexValue(units[at + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        byte = static_cast<UInt8>(high * 16 + low);
        at += 2;
    }
    fields->data1 = (UInt32(bytes[0]) << 24) | (UInt32(bytes[1]) << 16) | (UInt32(bytes[2]) << 8) | bytes[3];
    fields->data2 = static_cast<UInt16>((bytes[4] << 8) | bytes[5]);
    fields->data3 = static_cast<UInt16>((bytes[6] << 8) | bytes[7]);
    std::memcpy(fields->data4, bytes + 8, 8);
    return true;
}

Guid::Guid(const UniString& text) {
    if (!ParseGuidText(text, &fields)) {
        fields = Fields();
    }
}

GSErrCode Guid::Generate() {
    static std::mt19937_64 engine{std::random_device{}()};
    UInt64 high = engine();
    UInt64 low = engine();
    fields.data1 = static_cast<UInt32>(high >> 32);
    fields.data2 = static_cast<UInt16>(high >> 16);
    fields.data3 = static_cast<UInt16>((high & 0x0FFF) | 0x4000);
    std::memcpy(fields.data4, &low, 8);
    fields.data4[0] = static_cast<UInt8>((fields.data4[0] & 0x3F) | 0x80);
    return NoError;
}

UniString Guid::ToUniString() const {
    char text[37];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", fields.data1,
                  fields.data2, fields.data3, fields.data4[0], fields.data4[1], fields.data4[2],
                  fields.data4[3], fields.data4[4], fields.data4[5], fields.data4[6], fields.data4[7]);
    return UniString(text);
}

bool Guid::IsNull() const {
    return *this == Guid();
}

bool Guid::operator==(const Guid& other) const {
    return fields.data1 == other.fields.data1 && fields.data2 == other.fields.data2 &&
           fields.data3 == other.fields.data3 && std::memcmp(fields.data4, other.fields.data4, 8) == 0;
}

ULong Guid::GenerateHashValue() const {
    UInt32 hash = fields.data1 ^ (UInt32(fields.data2) << 16 | fields.data3);
    for (UInt8 byte : fields.data4) {
        hash = hash * 31 + byte;
    }
    return hash;
}

} // namespace GS
