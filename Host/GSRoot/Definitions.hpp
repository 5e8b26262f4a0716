#pragma once

#include <cstddef>
#include <cstdint>

using Int8 = std::int8_t;
using UInt8 = std::uint8_t;
using Int16 = std::int16_t;
using UInt16 = std::uint16_t;
using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using USize = UInt32;
using GSErrCode = Int32;
using GSFlags = Int32;
using GSResID = Int16;
using GSResModule = Int32;

#ifndef NoError
#define NoError 0
#endif

namespace GS {
using IntPtr = std::intptr_t;
using UIntPtr = std::uintptr_t;
using UniChar = char16_t;
using uchar_t = char16_t;
using Int32 = ::Int32;
using UInt32 = ::UInt32;
using USize = ::USize;
} // namespace GS

#define HOST_API __attribute__((visibility("default")))

namespace GS {
// The host's end-of-line sequence in texts it writes and reads (its Windows one).
constexpr const char* EOL = "\r\n";
} // namespace GS
