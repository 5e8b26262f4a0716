#pragma once

#include "Definitions.hpp"

typedef char* GSPtr;
typedef char** GSHandle;
typedef const char* const* GSConstHandle;
typedef Int64 GSSize;

// Without this flag a new handle's bytes are not cleared.
constexpr GSFlags ALLOCATE_CLEAR = 1;

// Memory handles with exact sizes. Allocating 0 bytes gives a valid handle; null means failure.
HOST_API GSHandle BMAllocateHandle(GSSize nBytes, GSFlags flags, short actionCode);
HOST_API void BMKillHandle(GSHandle* handle);
HOST_API GSSize BMGetHandleSize(GSConstHandle handle);
HOST_API GSErrCode BMReallocHandle(GSHandle handle, GSSize nBytes, GSFlags flags, short actionCode);

inline GSSize BMhGetSize(GSConstHandle handle) {
    return BMGetHandleSize(handle);
}
inline void BMhKill(GSHandle* handle) {
    BMKillHandle(handle);
}
