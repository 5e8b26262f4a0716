#pragma once

#include <cstddef>

// The most memory operator new held at once between Start and Stop, beyond what it held at Start.
// This test program replaces the global operator new and delete to count.
namespace AllocationPeak {

void Start();
// The peak since Start, in bytes.
size_t Stop();

} // namespace AllocationPeak
