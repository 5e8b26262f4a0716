#include "StandIn/Palettes.hpp"

#include "StandIn/DialogDriver.hpp"

namespace StandIn {

std::vector<DG::Palette*>& LivePalettes() {
    static std::vector<DG::Palette*> palettes;
    return palettes;
}

DG::Palette* FindPalette(const GS::Guid& guid) {
    for (DG::Palette* palette : LivePalettes()) {
        if (DialogDriver::GuidOf(*palette) == guid) {
            return palette;
        }
    }
    return nullptr;
}

} // namespace StandIn
