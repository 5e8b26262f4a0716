#pragma once

#include "GSRoot/Definitions.hpp"

using DWORD = unsigned long;

// Suspends the calling thread; the host records the wait instead of waiting.
HOST_API void Sleep(DWORD milliseconds);
