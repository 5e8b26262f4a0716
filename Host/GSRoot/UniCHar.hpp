#pragma once

#include "CH.hpp"
#include "Definitions.hpp"
#include "TextDefinitions.hpp"

namespace GS {

// One UTF-16 code unit, as GSRoot's class: it converts to and from the unit types and the narrow
// character types, so mixing it with plain integers is ambiguous, as it is with the DevKit.
class HOST_API UniChar {
public:
    using Layout = Utf16Char;

    UniChar() = default;

    constexpr UniChar(Layout u) : uniChar(u) {}
    constexpr UniChar(char16_t u) : uniChar(static_cast<Layout>(u)) {}

    // Narrow characters convert with the host's default code page.
    UniChar(char c);
    UniChar(unsigned char c);

    UniChar& operator=(Layout u) {
        uniChar = u;
        return *this;
    }
    UniChar& operator=(char16_t u) {
        uniChar = static_cast<Layout>(u);
        return *this;
    }
    UniChar& operator=(char c);
    UniChar& operator=(unsigned char c);

    operator Layout() const { return uniChar; }
    operator char16_t() const { return static_cast<char16_t>(uniChar); }
    operator char() const;
    operator unsigned char() const;

    ULong GenerateHashValue() const { return uniChar; }

    bool operator==(const UniChar& rightOp) const = default;
    bool operator==(Layout rightOp) const { return uniChar == rightOp; }
    bool operator==(char16_t rightOp) const { return uniChar == static_cast<Layout>(rightOp); }
    bool operator==(char rightOp) const;
    bool operator==(unsigned char rightOp) const;

private:
    Layout uniChar = 0;
};

} // namespace GS
