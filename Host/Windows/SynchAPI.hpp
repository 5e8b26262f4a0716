#pragma once

#include "Windows/minwindef.h"

// Suspends the calling thread; the host records the wait instead of waiting.
HOST_API void Sleep(DWORD milliseconds);
