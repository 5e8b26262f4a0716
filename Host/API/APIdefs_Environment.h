#pragma once

#include "API/APIdefs_Base.h"
#include "API/APIdefs_Guid.h"
#include "GSRoot/UniString.hpp"

enum API_AddonType {
    APIAddon_Unknown = 0,
    APIAddon_DontRegister = 1,
    APIAddon_Preload = 2,
    APIAddon_Normal = 3
};

struct API_AddOnInfo {
    GS::UniString name;
    GS::UniString description;
};

struct API_ServerInfo {
    Int32 mainVersion = 0;
    Int32 releaseVersion = 0;
};

struct API_EnvirParams {
    API_AddOnInfo addOnInfo;
    API_ServerInfo serverInfo;
};

struct API_ServerApplicationInfo {
    Int32 mainVersion = 0;
    Int32 releaseVersion = 0;
};

struct API_MenuItemRef {
    short menuResID = 0;
    short itemIndex = 0;
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

struct API_Neig {
    API_Guid guid;
};

using API_NotifyEventID = Int32;
constexpr API_NotifyEventID APINotify_New = 1;
constexpr API_NotifyEventID APINotify_NewAndReset = 2;
constexpr API_NotifyEventID APINotify_Open = 4;
constexpr API_NotifyEventID APINotify_Quit = 64;

using API_PaletteMessageID = Int32;
constexpr API_PaletteMessageID APIPalMsg_ClosePalette = 1;
constexpr API_PaletteMessageID APIPalMsg_HidePalette_Begin = 2;
constexpr API_PaletteMessageID APIPalMsg_HidePalette_End = 3;
constexpr API_PaletteMessageID APIPalMsg_DisableItems_Begin = 4;
constexpr API_PaletteMessageID APIPalMsg_DisableItems_End = 5;
constexpr API_PaletteMessageID APIPalMsg_OpenPalette = 6;
constexpr API_PaletteMessageID APIPalMsg_IsPaletteVisible = 7;

constexpr GSFlags API_PalEnabled_FloorPlan = 0x0001;
constexpr GSFlags API_PalEnabled_Section = 0x0002;
constexpr GSFlags API_PalEnabled_3D = 0x0004;
constexpr GSFlags API_PalEnabled_Detail = 0x0010;
constexpr GSFlags API_PalEnabled_Layout = 0x0020;
constexpr GSFlags API_PalEnabled_Worksheet = 0x0040;
constexpr GSFlags API_PalEnabled_Elevation = 0x0080;
constexpr GSFlags API_PalEnabled_InteriorElevation = 0x0100;
constexpr GSFlags API_PalEnabled_DocumentFrom3D = 0x0200;

using APIMenuCommandProc = GSErrCode(const API_MenuParams* menuParams);
using APISelectionChangeHandlerProc = GSErrCode(const API_Neig* selElemNeig);
using APIProjectEventHandlerProc = GSErrCode(API_NotifyEventID notifID, Int32 param);
using APIPaletteControlCallBackProc = GSErrCode(Int32 referenceID, API_PaletteMessageID messageID,
                                                GS::IntPtr param);
