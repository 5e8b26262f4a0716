#include "Geometry/Crc32.hpp"

#include <array>
#include <mutex>

namespace ContextJson {

namespace {

constexpr UInt32 Polynomial = 0xEDB88320u;

std::array<UInt32, 256> table;
std::once_flag tableBuilt;

void BuildTable() {
    for (UInt32 byte = 0; byte < 256; ++byte) {
        UInt32 crc = byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? (crc >> 1) ^ Polynomial : crc >> 1;
        }
        table[byte] = crc;
    }
}

} // namespace

UInt32 ComputeCrc32(const void* bytes, size_t length) {
    if (length == 0) {
        return 0;
    }
    std::call_once(tableBuilt, BuildTable);
    const auto* data = static_cast<const unsigned char*>(bytes);
    UInt32 crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    }
    return ~crc;
}

} // namespace ContextJson
