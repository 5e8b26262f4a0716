#pragma once

#include "API/APIdefs_Elements.h"

constexpr USize API_StoryNameLen = 256;

struct API_StoryType {
    short index = 0;
    double level = 0; // elevation, m
    double height = 0;
    GS::uchar_t uName[API_StoryNameLen] = {};
};

// Story settings; the caller releases `data`, which holds lastStory - firstStory + 1 records.
struct API_StoryInfo {
    short firstStory = 0;
    short lastStory = 0;
    bool skipNullFloor = false;
    API_StoryType** data = nullptr;
};

enum API_StoryCmdID : Int32 {
    APIStory_GoTo = 1,
    APIStory_InsAbove = 2,
    APIStory_InsBelow = 3,
    APIStory_SetHeight = 4,
};

struct API_StoryCmdType {
    API_StoryCmdID action = APIStory_GoTo;
    short index = 0;
    double height = 0;
    GS::uchar_t uName[API_StoryNameLen] = {};
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
    API_LengthTypeID lengthUnit = API_Millimeter;
    short lenDecimals = 0;
    short roundInch = 0;
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
