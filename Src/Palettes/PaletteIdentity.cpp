#include "Palettes/PaletteIdentity.hpp"

namespace PaletteIdentity {

UInt32 ReferenceNumber(const API_Guid& guid) {
    const auto* bytes = reinterpret_cast<const UInt8*>(&guid);
    UInt32 sum = 0;
    for (int word = 0; word < 4; ++word) {
        const UInt8* b = bytes + 4 * word;
        sum += UInt32(b[0]) | UInt32(b[1]) << 8 | UInt32(b[2]) << 16 | UInt32(b[3]) << 24;
    }
    return sum;
}

} // namespace PaletteIdentity
