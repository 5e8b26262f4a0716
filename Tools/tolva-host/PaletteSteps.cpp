#include "PaletteSteps.hpp"

#include "GSException.hpp"
#include "StandIn/DialogDriver.hpp"
#include "StandIn/Palettes.hpp"

namespace {

DG::Palette& PaletteOf(const GS::Guid& guid) {
    DG::Palette* palette = StandIn::FindPalette(guid);
    if (palette == nullptr) {
        throw GS::Exception("No palette " + guid.ToUniString() + " is open");
    }
    return *palette;
}

DG::Button& ButtonOf(DG::Palette& palette, const GS::UniString& button) {
    Int32 number = 0;
    const bool byNumber = button.SScanf("%d", &number) == 1;
    for (short id = 1; DG::Item* item = palette.GetItem(id); ++id) {
        auto* candidate = dynamic_cast<DG::Button*>(item);
        if (candidate != nullptr && (byNumber ? id == number : candidate->GetText() == button)) {
            return *candidate;
        }
    }
    throw GS::Exception("The palette has no button " + button);
}

} // namespace

void PressButton(const GS::Guid& palette, const GS::UniString& button) {
    DG::Palette& window = PaletteOf(palette);
    if (!window.IsVisible()) {
        throw GS::Exception("The palette is hidden: its buttons cannot be pressed");
    }
    StandIn::DialogDriver::Click(ButtonOf(window, button));
}

void ClosePalette(std::ostream& out, const GS::Guid& palette) {
    const bool accepted = StandIn::DialogDriver::RequestClose(PaletteOf(palette));
    out << "Palette closed: " << (accepted ? "yes" : "no") << "\n";
}

void ResizePalette(const GS::Guid& palette, short horizontal, short vertical) {
    StandIn::DialogDriver::UserResize(PaletteOf(palette), horizontal, vertical);
}

void PrintPalette(std::ostream& out, const GS::Guid& palette) {
    DG::Palette& window = PaletteOf(palette);
    out << "Palette \"" << window.GetTitle().ToCStr(CC_UTF8).Get() << "\" "
        << (window.IsVisible() ? "visible" : "hidden") << "\n";
    for (short id = 1; DG::Item* item = window.GetItem(id); ++id) {
        if (auto* text = dynamic_cast<DG::LeftText*>(item)) {
            out << "  Text " << id << ": " << text->GetText().ToCStr(CC_UTF8).Get() << "\n";
        }
    }
}
