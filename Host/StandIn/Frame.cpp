#include "ACAPinc.h"
#include "RS.hpp"
#include "StandIn/CodePage.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Host.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace StandIn {

HostState& Host() {
    static HostState state;
    return state;
}

void ResetHost() {
    Host() = HostState();
    WinHttpLedger::Reset();
    ResetProjectContents();
    Faults::Clear();
    SetDefaultCodePage(CodePage::Utf8);
}

namespace {

GSErrCode FaultOr(const char* call, GSErrCode otherwise = NoError) {
    return Faults::Take(call).value_or(otherwise);
}

const std::vector<GS::UniString>* CurrentStringList(short resID) {
    auto module = Host().resources.find(Host().currentModule);
    if (module == Host().resources.end()) {
        return nullptr;
    }
    auto list = module->second.stringLists.find(resID);
    return list == module->second.stringLists.end() ? nullptr : &list->second;
}

} // namespace

} // namespace StandIn

using namespace StandIn;

GSErrCode ACAPI_MenuItem_RegisterMenu(short menuStrResID, short promptStrResID, APIMenuCodeID menuPosCode,
                                      GSFlags menuFlags) {
    Faults::ThrowIfArmed("ACAPI_MenuItem_RegisterMenu:throw");
    if (GSErrCode code = FaultOr("ACAPI_MenuItem_RegisterMenu")) {
        return code;
    }
    const std::vector<GS::UniString>* strings = CurrentStringList(menuStrResID);
    if (strings == nullptr || strings->empty()) {
        return APIERR_GENERAL;
    }
    MenuRegistration menu;
    menu.resID = menuStrResID;
    menu.promptResID = promptStrResID;
    menu.positionCode = menuPosCode;
    menu.flags = menuFlags;
    menu.title = strings->front();
    menu.items.assign(strings->begin() + 1, strings->end());
    Host().menus.push_back(menu);
    return NoError;
}

GSErrCode ACAPI_MenuItem_InstallMenuHandler(short menuStrResID, APIMenuCommandProc* handlerProc) {
    Faults::ThrowIfArmed("ACAPI_MenuItem_InstallMenuHandler:throw");
    if (GSErrCode code = FaultOr("ACAPI_MenuItem_InstallMenuHandler")) {
        return code;
    }
    auto& menus = Host().menus;
    auto menu =
        std::find_if(menus.begin(), menus.end(), [&](const auto& m) { return m.resID == menuStrResID; });
    if (menu == menus.end()) {
        return APIERR_GENERAL;
    }
    menu->handler = handlerProc;
    return NoError;
}

GSErrCode ACAPI_Notification_CatchSelectionChange(APISelectionChangeHandlerProc* handlerProc) {
    if (GSErrCode code = FaultOr("ACAPI_Notification_CatchSelectionChange")) {
        return code;
    }
    Host().selectionHandler = handlerProc;
    return NoError;
}

GSErrCode ACAPI_ProjectOperation_CatchProjectEvent(GSFlags eventTypes,
                                                   APIProjectEventHandlerProc* handlerProc) {
    if (GSErrCode code = FaultOr("ACAPI_ProjectOperation_CatchProjectEvent")) {
        return code;
    }
    Host().eventSubscriptions.push_back({eventTypes, handlerProc});
    return NoError;
}

GSErrCode ACAPI_RegisterModelessWindow(Int32 referenceID, APIPaletteControlCallBackProc* callBackProc,
                                       GSFlags controlFlags, const API_Guid& paletteGuid) {
    if (GSErrCode code = FaultOr("ACAPI_RegisterModelessWindow")) {
        return code;
    }
    auto& palettes = Host().palettes;
    if (callBackProc == nullptr || std::any_of(palettes.begin(), palettes.end(),
                                               [&](const auto& p) { return p.referenceID == referenceID; })) {
        return APIERR_GENERAL;
    }
    palettes.push_back({referenceID, callBackProc, controlFlags, paletteGuid});
    return NoError;
}

GSErrCode ACAPI_UnregisterModelessWindow(Int32 referenceID) {
    auto& palettes = Host().palettes;
    auto found = std::find_if(palettes.begin(), palettes.end(),
                              [&](const auto& p) { return p.referenceID == referenceID; });
    if (found == palettes.end()) {
        return APIERR_GENERAL;
    }
    palettes.erase(found);
    return NoError;
}

void ACAPI_KeepInMemory(bool keepIn) {
    Host().keepInMemory = keepIn;
}

GSErrCode ACAPI_GetOwnLocation(IO::Location* ownFileLoc) {
    if (GSErrCode code = FaultOr("ACAPI_GetOwnLocation")) {
        return code;
    }
    *ownFileLoc = IO::Location(Host().ownLocation);
    return NoError;
}

GSResModule ACAPI_GetOwnResModule() {
    return Host().currentModule;
}

// The call has no result: failed with a code, it leaves the record as it was.
void ACAPI_GetReleaseNumber(API_ServerApplicationInfo* serverApplicationInfo) {
    if (FaultOr("ACAPI_GetReleaseNumber") != NoError) {
        return;
    }
    if (Faults::Take("ACAPI_GetReleaseNumber:throw")) {
        throw GS::GeneralException("Application information is not available.");
    }
    serverApplicationInfo->mainVersion = Host().mainVersion;
    serverApplicationInfo->releaseVersion = 0;
}

void ACAPI_WriteReport(const GS::UniString& format, bool withDial, ...) {
    Faults::Count("ACAPI_WriteReport");
    Faults::ThrowIfArmed("ACAPI_WriteReport:throw");
    // printf over the format's narrow form, as GS::UniString::Printf formats.
    const auto narrow = format.ToCStr();
    va_list args;
    va_start(args, withDial);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, narrow.Get(), copy);
    va_end(copy);
    std::vector<char> buffer(needed > 0 ? static_cast<size_t>(needed) + 1 : 1, '\0');
    if (needed > 0) {
        std::vsnprintf(buffer.data(), buffer.size(), narrow.Get(), args);
    }
    va_end(args);
    ReportLine line{GS::UniString(buffer.data()), withDial};
    Host().report.push_back(line);
    if (Host().reportEcho != nullptr) {
        Host().reportEcho(line);
    }
}

bool RSGetIndString_ParamAdapter(const char*, UInt32, GS::UniString* string, GSResID resID, Int32 index,
                                 GSResModule resModule, ResStringType) {
    Faults::ThrowIfArmed("RSGetIndString:throw");
    auto module = Host().resources.find(resModule);
    if (module == Host().resources.end()) {
        return false;
    }
    auto list = module->second.stringLists.find(resID);
    if (list == module->second.stringLists.end() || index < 1 ||
        static_cast<size_t>(index) > list->second.size()) {
        return false;
    }
    *string = list->second[static_cast<size_t>(index) - 1];
    return true;
}
