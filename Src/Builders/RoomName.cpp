#include "Builders/RoomName.hpp"

#include <algorithm>

namespace Tolva::Builders {

namespace {

bool IsHighSurrogate(GS::uchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

void SetRoomName(API_ZoneType& zone, const GS::UniString& name) {
    constexpr USize capacity = sizeof(zone.roomName) / sizeof(zone.roomName[0]);
    // The units live as long as what ToUStr gives.
    const auto codeUnits = name.ToUStr();
    const GS::uchar_t* units = codeUnits.Get();
    USize length = std::min(name.GetLength(), capacity - 1);
    if (length < name.GetLength() && length > 0 && IsHighSurrogate(units[length - 1])) {
        --length;
    }
    std::copy(units, units + length, zone.roomName);
    zone.roomName[length] = 0;
}

} // namespace Tolva::Builders
