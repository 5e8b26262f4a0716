#pragma once

#include "Definitions.hpp"

#include <cstddef>

namespace ContextJson {

// The CRC-32 of IEEE 802.3 and zlib (reflected polynomial 0xEDB88320, initial value 0xFFFFFFFF, final
// complement); 0 for no bytes. Safe to call from any thread.
UInt32 ComputeCrc32(const void* bytes, size_t length);

} // namespace ContextJson
