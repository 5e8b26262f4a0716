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

// The units the answer names, with the codes it has always given them (the host's enumeration orders
// them otherwise) and whether they are metric. A unit not listed answers its host value as its code.
struct LengthUnitName {
    API_LengthTypeID unit;
    Int32 code;
    const char* name;
    bool metric;
};

constexpr LengthUnitName LengthUnitNames[] = {
    {API_LengthTypeID::Millimeter, 0, "millimeter", true},
    {API_LengthTypeID::Centimeter, 1, "centimeter", true},
    {API_LengthTypeID::Meter, 2, "meter", true},
    {API_LengthTypeID::Decimeter, 3, "decimeter", true},
    {API_LengthTypeID::DecInch, 4, "decimal inch", false},
    {API_LengthTypeID::FracInch, 5, "fractional inch", false},
    {API_LengthTypeID::DecFoot, 6, "decimal foot", false},
    {API_LengthTypeID::FootFracInch, 7, "feet & fractional inch", false},
    {API_LengthTypeID::FootDecInch, 8, "feet & decimal inch", false},
    {API_LengthTypeID::KiloMeter, 9, "kilometer", true},
    {API_LengthTypeID::Yard, 10, "yard", false},
};

const LengthUnitName* LengthUnitNameOf(API_LengthTypeID unit) {
    for (const LengthUnitName& entry : LengthUnitNames) {
        if (entry.unit == unit) {
            return &entry;
        }
    }
    return nullptr;
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
    const LengthUnitName* known = LengthUnitNameOf(prefs.lengthUnit);
    const Int32 code = known != nullptr ? known->code : static_cast<Int32>(prefs.lengthUnit);
    const char* name = known != nullptr ? known->name : "unknown";
    const bool isMetric = known != nullptr && known->metric;
    Logger::Debug(Category, GS::UniString::Printf(
                                "Working units: %s (isMetric: %s, lengthDecimals: %d, roundInch: %d)", name,
                                isMetric ? "true" : "false", prefs.lenDecimals, prefs.roundInch));
    auto units = GS::NewRef<JS::Object>();
    units->AddItem("isMetric", GS::NewRef<JS::Value>(Int32(isMetric ? 1 : 0)));
    units->AddItem("lengthUnit", GS::NewRef<JS::Value>(name));
    units->AddItem("lengthUnitCode", GS::NewRef<JS::Value>(code));
    units->AddItem("lengthDecimals", GS::NewRef<JS::Value>(Int32(prefs.lenDecimals)));
    units->AddItem("roundInch", GS::NewRef<JS::Value>(Int32(prefs.roundInch)));
    return units;
}

} // namespace JSCommands::UtilityCommands
