#pragma once

#include "UniString.hpp"

#include <array>

namespace GS {

// 16 bytes in the usual in-memory GUID layout: a 32-bit field, two 16-bit fields, eight bytes.
class HOST_API Guid {
public:
    struct Fields {
        UInt32 data1 = 0;
        UInt16 data2 = 0;
        UInt16 data3 = 0;
        UInt8 data4[8] = {};
    };

    enum GenerateGuidSelector { GenerateGuid };

    Guid() {}
    // A new random (version 4) Guid.
    Guid(GenerateGuidSelector) { Generate(); }
    // The stand-in's own, for its records of the API's guids.
    explicit Guid(const Fields& fields) : fields(fields) {}
    // Parses "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", with or without braces; a malformed text gives
    // the null Guid.
    explicit Guid(const UniString& text);
    explicit Guid(const char* text) : Guid(UniString(text)) {}

    GSErrCode Generate();
    void Clear() { fields = Fields(); }

    // Upper-case 8-4-4-4-12 hexadecimal form, without braces.
    UniString ToUniString() const;
    bool IsNull() const;
    const Fields& GetFields() const { return fields; }

    bool operator==(const Guid& other) const;
    bool operator!=(const Guid& other) const { return !(*this == other); }
    ULong GenerateHashValue() const;

private:
    Fields fields;
};

// Parses the text form; false for a malformed text.
HOST_API bool ParseGuidText(const UniString& text, Guid::Fields* fields);

} // namespace GS
