#pragma once

#include "Definitions.hpp"

// Without this flag a new handle's bytes are not cleared.
#define ALLOCATE_CLEAR 0x0002

// Memory handles with exact sizes. Allocating 0 bytes gives a valid handle; null means failure.
HOST_API GSHandle BMAllocateHandle(GSSize nBytes, GSFlags flags, short actionCode);
HOST_API void BMKillHandle(GSHandle* handle);
HOST_API GSSize BMGetHandleSize(GSConstHandle handle);
// The same handle, resized; null when it cannot be.
HOST_API GSHandle BMReallocHandle(GSHandle handle, GSSize nBytes, GSFlags flags, short actionCode);

inline GSSize BMhGetSize(GSConstHandle handle) {
    return BMGetHandleSize(handle);
}
inline void BMhKill(GSHandle* handle) {
    BMKillHandle(handle);
}

// Memory pointers with exact sizes, as the handles: the ledger counts them with the handles.
HOST_API GSPtr BMAllocatePtr(GSSize nBytes, GSFlags allocFlags, short actionCode);
HOST_API void BMKillPtr(GSPtr* p);
HOST_API GSSize BMGetPtrSize(GSConstPtr p);
