#pragma once

#include "BM.hpp"

// The driver's shorthand for typed handles (API_Coord**, Int32**, ...); the add-on casts to GSHandle
// as it must with the host's own functions.
template <typename T>
void BMKillHandle(T*** handle) {
    GSHandle raw = reinterpret_cast<GSHandle>(*handle);
    BMKillHandle(&raw);
    *handle = nullptr;
}
template <typename T>
GSSize BMGetHandleSize(T** handle) {
    return BMGetHandleSize(reinterpret_cast<GSConstHandle>(handle));
}
