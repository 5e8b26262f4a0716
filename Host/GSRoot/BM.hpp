#pragma once

#include "Definitions.hpp"

using GSPtr = char*;
using GSHandle = char**;
using GSSize = Int64;

constexpr Int32 ALLOCATE_CLEAR = 1;

// Memory handles with exact sizes. Allocating 0 bytes gives a valid handle; null means failure.
HOST_API GSHandle BMAllocateHandle(GSSize size, Int32 flags, Int32 reserved);
HOST_API void BMKillHandle(GSHandle* handle);
HOST_API GSSize BMGetHandleSize(GSHandle handle);
inline GSSize BMhGetSize(GSHandle handle) {
    return BMGetHandleSize(handle);
}
HOST_API GSErrCode BMReallocHandle(GSHandle handle, GSSize newSize, Int32 flags, Int32 reserved);

template <typename T>
void BMKillHandle(T*** handle) {
    GSHandle raw = reinterpret_cast<GSHandle>(*handle);
    BMKillHandle(&raw);
    *handle = nullptr;
}
template <typename T>
GSSize BMGetHandleSize(T** handle) {
    return BMGetHandleSize(reinterpret_cast<GSHandle>(handle));
}
