#pragma once

#include "API_Guid.hpp"
#include "APIdefs_Base.h"
#include "UniString.hpp"

typedef enum {
    APIAddon_DontRegister = 0,
    APIAddon_Normal = 1,
    APIAddon_Preload = 2,
    APIAddon_Unknown = 9999
} API_AddonType;

struct API_AddOnInfo {
    GS::UniString name;
    GS::UniString description;
};

struct API_ServerApplicationInfo {
    UInt16 mainVersion;
    Int16 releaseVersion;
};

struct API_EnvirParams {
    API_ServerApplicationInfo serverInfo;
    API_AddOnInfo addOnInfo;
};

// The add-on's identity towards the host's object API.
using API_Token = API_Guid;

// Menu position codes.
typedef enum {
    MenuCode_UserDef = 0,
    MenuCode_File = 1,
    MenuCode_Edit1 = 2,
    MenuCode_Edit2 = 3,
    MenuCode_Edit3 = 4,
    MenuCode_Tools = 5,
    MenuCode_Options1 = 6,
    MenuCode_Options2 = 7,
    MenuCode_Image = 8,
    MenuCode_Calculate = 9,
    MenuCode_TeamWork = 10,
    MenuCode_Display = 11,
    MenuCode_Palettes = 12,
    MenuCode_Extras = 13,
    MenuCode_Hotlink = 14,
    MenuCode_GDLObjects = 15,
    MenuCode_3DView = 16,
    MenuCode_DocExtras = 17,
    MenuCode_Interoperability = 18,
    MenuCode_ModelCheck = 19,
    MenuCode_Hidden = 20,
    MenuCode_RoofExtras = 21,
    MenuCode_Design = 22,
    MenuCode_Help = 23
} APIMenuCodeID;

#define MenuFlag_Default 0x0000
#define MenuFlag_SeparatorBefore 0x0001
#define MenuFlag_SeparatorAfter 0x0002
#define MenuFlag_InsertIntoSame 0x0004

struct API_MenuItemRef {
    short menuResID;
    short filler_1;
    Int32 itemIndex;
    Int32 filler_2[2];
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

struct API_Neig {
    API_Guid guid;
};

typedef enum {
    APINotify_New = 0x00000001,
    APINotify_NewAndReset = 0x00000002,
    APINotify_Open = 0x00000004,
    APINotify_PreSave = 0x00000008,
    APINotify_Save = 0x00000010,
    APINotify_Close = 0x00000020,
    APINotify_Quit = 0x00000040,
    APINotify_TempSave = 0x00000080,

    APINotify_SendChanges = 0x00008000,
    APINotify_ReceiveChanges = 0x00010000,

    APINotify_ChangeProjectDB = 0x00040000,
    APINotify_ChangeWindow = 0x00080000,
    APINotify_ChangeFloor = 0x00100000,
    APINotify_ChangeLibrary = 0x00200000,

    APINotify_AllInputFinished = 0x00400000,

    APINotify_UnitChanged = 0x00800000,

    APINotify_SideviewCreated = 0x01000000,
    APINotify_SideviewRebuilt = 0x02000000,

    APINotify_PropertyVisibilityChanged = 0x04000000,
    APINotify_ClassificationVisibilityChanged = 0x08000000,

    APINotify_ShowIn3DChanged = 0x10000000
} API_NotifyEventID;

#define API_AllProjectNotificationMask 0x00000FFF
#define API_AllTeamWorkNotificationMask 0x00018000
#define API_AllChangeNotificationMask 0x033C0000
#define API_AllNotificationMask 0xFFFFFFFF

#define API_PalEnabled_FloorPlan 0x00000001
#define API_PalEnabled_Section 0x00000002
#define API_PalEnabled_3D 0x00000004
#define API_PalEnabled_SelOnly 0x00000008
#define API_PalEnabled_Detail 0x00000010
#define API_PalEnabled_Layout 0x00000020
#define API_PalEnabled_Worksheet 0x00000040
#define API_PalEnabled_Elevation 0x00000080
#define API_PalEnabled_InteriorElevation 0x00000100
#define API_PalEnabled_DocumentFrom3D 0x00000200
#define API_PalEnabled_ModelCompare 0x00000400

typedef enum {
    APIPalMsg_ClosePalette = 1,
    APIPalMsg_HidePalette_Begin = 2,
    APIPalMsg_HidePalette_End = 3,
    APIPalMsg_DisableItems_Begin = 4,
    APIPalMsg_DisableItems_End = 5,
    APIPalMsg_OpenPalette = 6,
    // param is a bool* the palette answers its visibility in.
    APIPalMsg_IsPaletteVisible = 7,
    APIPalMsg_GetPaletteDeactivationMethod = 8
} API_PaletteMessageID;

typedef GSErrCode APIMenuCommandProc(const API_MenuParams* menuParams);
typedef GSErrCode APISelectionChangeHandlerProc(const API_Neig* selElemNeig);
typedef GSErrCode APIProjectEventHandlerProc(API_NotifyEventID notifID, Int32 param);
typedef GSErrCode APIPaletteControlCallBackProc(Int32 referenceID, API_PaletteMessageID messageID,
                                                GS::IntPtr param);

struct API_StoryType {
    short index;
    double level; // elevation, m
    double height;
    GS::uchar_t uName[API_UniLongNameLen];
};

// Story settings; the caller releases `data`, which holds lastStory - firstStory + 1 records.
struct API_StoryInfo {
    short firstStory;
    short lastStory;
    bool skipNullFloor;
    API_StoryType** data;
};

typedef enum {
    APIStory_GoTo,
    APIStory_Delete,
    APIStory_InsAbove,
    APIStory_InsBelow,
    APIStory_SetHeight,
    APIStory_Rename,
    APIStory_SetElevation,
    APIStory_SetDispOnSections
} API_StoryCmdID;

struct API_StoryCmdType {
    API_StoryCmdID action;
    short index;
    double height;
    GS::uchar_t uName[API_UniLongNameLen];
};

enum class API_LengthTypeID {
    Meter,
    Decimeter,
    Centimeter,
    Millimeter,
    FootFracInch,
    FootDecInch,
    DecFoot,
    FracInch,
    DecInch,
    KiloMeter,
    Yard
};

struct API_WorkingUnitPrefs {
    API_LengthTypeID lengthUnit;
    short lenDecimals;
    short roundInch;
};

typedef enum {
    APIPrefs_WorkingUnitsID,
    APIPrefs_ReferenceLevelsID,
    APIPrefs_DimensionsID,
    APIPrefs_CalcUnitsID,
    APIPrefs_CalcRulesID,
    APIPrefs_LegacyID,
    APIPrefs_ZonesID,
    APIPrefs_DataSafetyID,
    APIPrefs_ImagingAndCalcID,
    APIPrefs_FloorPlanCutPlaneDef,
    APIPrefs_LayoutsID
} API_PrefsTypeID;

// The project's geo-location: the survey point's place in the model (m).
struct API_GeoLocation {
    API_Coord3D surveyPointPosition;
};

HOST_API GSErrCode ACAPI_ProjectSetting_GetStorySettings(API_StoryInfo* storyInfo, UInt32 mask = 0);
HOST_API GSErrCode ACAPI_ProjectSetting_ChangeStorySettings(API_StoryCmdType* storyCmd);
HOST_API GSErrCode ACAPI_ProjectSetting_GetPreferences(void* prefs, API_PrefsTypeID prefsTypeID);
HOST_API GSErrCode ACAPI_GeoLocation_GetGeoLocation(API_GeoLocation* geoLocation);
HOST_API GSErrCode ACAPI_ProjectSetting_GetOffset(API_Coord* offset);
