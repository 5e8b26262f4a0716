#pragma once

#include "ACAPinc.h"
#include "Logging/HostBoundary.hpp"

// The host's palette messages mean the same for both palettes; only opening differs.
template <typename PaletteClass, typename OpenAction>
void HandlePaletteMessage(API_PaletteMessageID message, GS::IntPtr param, OpenAction open) {
    const bool exists = PaletteClass::Exists();
    const bool visible = exists && PaletteClass::GetInstance().IsVisible();
    switch (message) {
    case APIPalMsg_ClosePalette:
        if (exists) {
            PaletteClass::GetInstance().Hide();
        }
        break;
    case APIPalMsg_HidePalette_Begin:
        if (visible) {
            PaletteClass::GetInstance().Hide();
        }
        break;
    case APIPalMsg_HidePalette_End:
        if (exists && !visible) {
            PaletteClass::GetInstance().Show();
        }
        break;
    case APIPalMsg_DisableItems_Begin:
        if (visible) {
            PaletteClass::GetInstance().DisableItems();
        }
        break;
    case APIPalMsg_DisableItems_End:
        if (visible) {
            PaletteClass::GetInstance().EnableItems();
        }
        break;
    case APIPalMsg_OpenPalette:
        open();
        break;
    case APIPalMsg_IsPaletteVisible:
        if (param != 0) {
            *reinterpret_cast<bool*>(param) = visible;
        }
        break;
    default:
        break;
    }
}

// The palette control callback the host calls: always 0, whatever happened (failures are logged
// under the palette's category).
template <typename PaletteClass, typename OpenAction>
GSErrCode PaletteControlCallbackOf(const char* category, API_PaletteMessageID message, GS::IntPtr param,
                                   OpenAction open) {
    return HostBoundary::Guard(category, "PaletteControlCallback", GSErrCode(NoError), [&] {
        HandlePaletteMessage<PaletteClass>(message, param, open);
        return NoError;
    });
}
