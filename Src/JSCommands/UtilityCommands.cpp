#include "JSCommands/UtilityCommands.hpp"

#include "ACAPinc.h"
#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/Logger.hpp"
#include "Update/PluginVersion.hpp"
#include "ZoneBoundary/StoredZoneData.hpp"

namespace JSCommands::UtilityCommands {

GS::Ref<JS::Base> GetSelection(GS::Ref<JS::Base>) {
    if (StoredZoneData::Instance().Has()) {
        return GS::NewRef<JS::Value>(StoredZoneData::Instance().Get());
    }
    API_SelectionInfo info = {};
    GS::Array<API_Neig> selection;
    ACAPI_Selection_Get(&info, &selection, false);
    // A marquee comes with a coordinate handle that is ours to release.
    BMKillHandle(reinterpret_cast<GSHandle*>(&info.marquee.coords));
    GS::UniString zones = "[";
    for (const API_Neig& neig : selection) {
        API_Elem_Head header = {};
        header.guid = neig.guid;
        if (ACAPI_Element_GetHeader(&header) != NoError || header.type.typeID != API_ZoneID) {
            continue;
        }
        if (zones.GetLength() > 1) {
            zones += ",";
        }
        zones += "\"" + EscapeJsonString(APIGuid2GSGuid(neig.guid).ToUniString()) + "\"";
    }
    return GS::NewRef<JS::Value>(zones + "]");
}

GS::Ref<JS::Base> GetPluginVersion(GS::Ref<JS::Base>) {
    auto version = GS::NewRef<JS::Object>();
    version->AddItem("major", GS::NewRef<JS::Value>(Int32(PluginVersion::Major)));
    version->AddItem("minor", GS::NewRef<JS::Value>(Int32(PluginVersion::Minor)));
    version->AddItem("patch", GS::NewRef<JS::Value>(Int32(PluginVersion::Patch)));
    version->AddItem("string", GS::NewRef<JS::Value>(PluginVersion::Text));
    return version;
}

namespace {

struct LengthUnitName {
    Int32 code;
    const char* name;
};

constexpr LengthUnitName LengthUnitNames[] = {
    {API_Millimeter, "millimeter"},
    {API_Centimeter, "centimeter"},
    {API_Meter, "meter"},
    {API_Decimeter, "decimeter"},
    {API_DecInch, "decimal inch"},
    {API_FractInch, "fractional inch"},
    {API_DecFoot, "decimal foot"},
    {API_FootFracInch, "feet & fractional inch"},
    {API_FootDecInch, "feet & decimal inch"},
};

const char* LengthUnitNameOf(Int32 code) {
    for (const LengthUnitName& unit : LengthUnitNames) {
        if (unit.code == code) {
            return unit.name;
        }
    }
    return "unknown";
}

} // namespace

GS::Ref<JS::Base> GetWorkingUnits(GS::Ref<JS::Base>) {
    constexpr const char* Category = "PreferencesCommands";
    Logger::Debug(Category, "GetWorkingUnits called");
    API_WorkingUnitPrefs prefs = {};
    if (const GSErrCode err = ACAPI_ProjectSetting_GetPreferences(&prefs, APIPrefs_WorkingUnitsID);
        err != NoError) {
        Logger::Error(Category,
                      GS::UniString::Printf("Failed to get working unit preferences. Error code: %d", err));
        return MakeErrorObject("Failed to retrieve working unit preferences");
    }
    const Int32 code = prefs.lengthUnit;
    const bool isMetric = code <= API_Decimeter;
    Logger::Debug(Category,
                  GS::UniString::Printf("Working units: %s (isMetric: %s, lengthDecimals: %d, roundInch: %d)",
                                        LengthUnitNameOf(code), isMetric ? "true" : "false",
                                        prefs.lenDecimals, prefs.roundInch));
    auto units = GS::NewRef<JS::Object>();
    units->AddItem("isMetric", GS::NewRef<JS::Value>(Int32(isMetric ? 1 : 0)));
    units->AddItem("lengthUnit", GS::NewRef<JS::Value>(LengthUnitNameOf(code)));
    units->AddItem("lengthUnitCode", GS::NewRef<JS::Value>(code));
    units->AddItem("lengthDecimals", GS::NewRef<JS::Value>(Int32(prefs.lenDecimals)));
    units->AddItem("roundInch", GS::NewRef<JS::Value>(Int32(prefs.roundInch)));
    return units;
}

} // namespace JSCommands::UtilityCommands
