#pragma once

#include "CH.hpp"
#include "Definitions.hpp"

#include <cstddef>

namespace GS {

using uchar_t = Utf16Char; // one UTF-16 code unit

const uchar_t UEOF = 0xFFFF;

HOST_API std::size_t ucslen(const uchar_t* str);
HOST_API std::size_t ucslen(const char16_t* str);

inline USize ucslen32(const uchar_t* str) {
    return static_cast<USize>(ucslen(str));
}

// Fixed-length copy into a host record's UniChar field: at most n - 1 units, always terminated.
HOST_API uchar_t* ucsncpy(uchar_t* dst, const uchar_t* src, std::size_t n);
HOST_API void ucsncpy(char16_t* dst, const char16_t* src, std::size_t n);

} // namespace GS
