#pragma once

#include "API_Guid.hpp"
#include "APIdefs_Base.h"
#include "UniString.hpp"

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
    Int32 mainVersion;
    Int32 releaseVersion;
};

struct API_EnvirParams {
    API_AddOnInfo addOnInfo;
    API_ServerInfo serverInfo;
};

struct API_ServerApplicationInfo {
    Int32 mainVersion;
    Int32 releaseVersion;
};

struct API_MenuItemRef {
    short menuResID;
    short itemIndex;
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

constexpr USize API_StoryNameLen = 256;

struct API_StoryType {
    short index;
    double level; // elevation, m
    double height;
    GS::uchar_t uName[API_StoryNameLen];
};

// Story settings; the caller releases `data`, which holds lastStory - firstStory + 1 records.
struct API_StoryInfo {
    short firstStory;
    short lastStory;
    bool skipNullFloor;
    API_StoryType** data;
};

enum API_StoryCmdID : Int32 {
    APIStory_GoTo = 1,
    APIStory_InsAbove = 2,
    APIStory_InsBelow = 3,
    APIStory_SetHeight = 4,
};

struct API_StoryCmdType {
    API_StoryCmdID action;
    short index;
    double height;
    GS::uchar_t uName[API_StoryNameLen];
};

enum API_LengthTypeID : Int32 {
    API_Millimeter = 0,
    API_Centimeter = 1,
    API_Meter = 2,
    API_Decimeter = 3,
    API_DecInch = 4,
    API_FractInch = 5,
    API_DecFoot = 6,
    API_FootFracInch = 7,
    API_FootDecInch = 8,
};

struct API_WorkingUnitPrefs {
    API_LengthTypeID lengthUnit;
    short lenDecimals;
    short roundInch;
};

enum API_PrefsTypeID : Int32 { APIPrefs_WorkingUnitsID = 1 };

// The project's geo-location; the reference position is the survey point's place in the model (m).
struct API_GeoLocation {
    API_Coord3D referencePosition;
};

HOST_API GSErrCode ACAPI_ProjectSetting_GetStorySettings(API_StoryInfo* storyInfo);
HOST_API GSErrCode ACAPI_ProjectSetting_ChangeStorySettings(API_StoryCmdType* storyCmd);
HOST_API GSErrCode ACAPI_ProjectSetting_GetPreferences(void* prefs, API_PrefsTypeID prefsType);
HOST_API GSErrCode ACAPI_GeoLocation_GetGeoLocation(API_GeoLocation* geoLocation);
HOST_API GSErrCode ACAPI_ProjectSetting_GetOffset(API_Coord3D* offset);
