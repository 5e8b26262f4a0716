#include "StandIn/Palettes.hpp"

namespace StandIn {

std::vector<DG::Palette*>& LivePalettes() {
    static std::vector<DG::Palette*> palettes;
    return palettes;
}

DG::Palette* FindPalette(const GS::Guid& guid) {
    for (DG::Palette* palette : LivePalettes()) {
        if (palette->GetGuid() == guid) {
            return palette;
        }
    }
    return nullptr;
}

} // namespace StandIn
