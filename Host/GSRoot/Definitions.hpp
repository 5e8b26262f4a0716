#pragma once

#include <cstddef>
#include <cstdint>

#define HOST_API __attribute__((visibility("default")))

// The integral types as GSRoot's Definitions.hpp declares them: in GS, and the common ones brought
// into the global namespace.
namespace GS {

typedef signed char Int8;
typedef unsigned char UInt8;
typedef short Int16;
typedef unsigned short UInt16;
typedef int Int32;
typedef unsigned int UInt32;
typedef long long Int64;
typedef unsigned long long UInt64;

typedef Int64 IntPtr;
typedef UInt64 UIntPtr;

typedef UInt32 GSType;
typedef UInt32 GSFlags;
typedef Int32 GSSize;
typedef Int32 GSIndex;
typedef char* GSPtr;
typedef const char* GSConstPtr;
typedef GSPtr* GSHandle;
typedef const char* const* GSConstHandle;
typedef short GSErr;
typedef Int32 GSErrCode;
typedef GSErrCode ErrCode;

typedef UInt32 USize;
typedef UInt32 UIndex;
typedef Int32 Offset;

static constexpr UIndex MaxUIndex = 4294967295;
static constexpr USize MaxUSize = 4294967295;

typedef UInt8 UChar;
typedef UInt16 UShort;
typedef UInt32 ULong;

typedef char Utf8Char;
typedef UInt16 Utf16Char;

// The host's end-of-line sequence in texts it writes and reads (its Windows one, "\r\n").
extern HOST_API const char* EOL;

enum NoErrorType : GSErrCode { NoError = 0 };

} // namespace GS

using GS::GSConstHandle;
using GS::GSConstPtr;
using GS::GSErr;
using GS::GSErrCode;
using GS::GSFlags;
using GS::GSHandle;
using GS::GSIndex;
using GS::GSPtr;
using GS::GSSize;
using GS::GSType;

using GS::NoError;

using GS::Int16;
using GS::Int32;
using GS::Int64;
using GS::Int8;
using GS::UChar;
using GS::UIndex;
using GS::UInt16;
using GS::UInt32;
using GS::UInt64;
using GS::UInt8;
using GS::ULong;
using GS::UShort;
using GS::USize;

using GS::MaxUIndex;
using GS::MaxUSize;

using GS::Utf16Char;
using GS::Utf8Char;

// As the resource manager's RSTypes.hpp declares them.
typedef Int32 GSResID;
typedef GS::IntPtr GSResModule;
