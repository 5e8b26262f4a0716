#include "Geometry/Crc32.hpp"

#include <array>
#include <mutex>

namespace ContextJson {

namespace {

constexpr UInt32 Polynomial = 0xEDB88320u;

// tables[0] is the byte-wise table; tables[k] carries a byte k places further, so that eight bytes are
// folded in at once ("slicing by 8"): the context text runs to tens of megabytes.
std::array<std::array<UInt32, 256>, 8> tables;
std::once_flag tablesBuilt;

void BuildTables() {
    for (UInt32 byte = 0; byte < 256; ++byte) {
        UInt32 crc = byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? (crc >> 1) ^ Polynomial : crc >> 1;
        }
        tables[0][byte] = crc;
    }
    for (size_t k = 1; k < tables.size(); ++k) {
        for (UInt32 byte = 0; byte < 256; ++byte) {
            const UInt32 previous = tables[k - 1][byte];
            tables[k][byte] = (previous >> 8) ^ tables[0][previous & 0xFFu];
        }
    }
}

UInt32 LittleEndianWord(const unsigned char* at) {
    return static_cast<UInt32>(at[0]) | static_cast<UInt32>(at[1]) << 8 | static_cast<UInt32>(at[2]) << 16 |
           static_cast<UInt32>(at[3]) << 24;
}

} // namespace

UInt32 ComputeCrc32(const void* bytes, size_t length) {
    if (length == 0) {
        return 0;
    }
    std::call_once(tablesBuilt, BuildTables);
    const auto* data = static_cast<const unsigned char*>(bytes);
    UInt32 crc = 0xFFFFFFFFu;
    for (; length >= 8; data += 8, length -= 8) {
        const UInt32 low = LittleEndianWord(data) ^ crc;
        const UInt32 high = LittleEndianWord(data + 4);
        crc = tables[7][low & 0xFFu] ^ tables[6][(low >> 8) & 0xFFu] ^ tables[5][(low >> 16) & 0xFFu] ^
              tables[4][low >> 24] ^ tables[3][high & 0xFFu] ^ tables[2][(high >> 8) & 0xFFu] ^
              tables[1][(high >> 16) & 0xFFu] ^ tables[0][high >> 24];
    }
    for (; length > 0; ++data, --length) {
        crc = tables[0][(crc ^ *data) & 0xFFu] ^ (crc >> 8);
    }
    return ~crc;
}

} // namespace ContextJson
