#pragma once

#include "ACAPinc.h"
#include "StandIn/ErrorReportingRecord.hpp"
#include "StandIn/GrcResources.hpp"
#include "StandIn/HttpRecord.hpp"
#include "StandIn/ShellRecord.hpp"
#include "StandIn/SystemRecord.hpp"

#include <map>
#include <string>
#include <vector>

// The stand-in's frame state: what the add-on registered and what the host recorded. The driver
// (tests and tolva-host) reads it and plays Archicad through StandIn/Driver.hpp.
namespace StandIn {

struct ReportLine {
    GS::UniString text;
    bool alert = false;
};

struct MenuRegistration {
    short resID = 0;
    short promptResID = 0;
    APIMenuCodeID positionCode = MenuCode_UserDef;
    GSFlags flags = 0;
    GS::UniString title;
    std::vector<GS::UniString> items;
    APIMenuCommandProc* handler = nullptr;
};

struct EventSubscription {
    GSFlags eventTypes = 0;
    APIProjectEventHandlerProc* handler = nullptr;
};

struct PaletteRegistration {
    Int32 referenceID = 0;
    APIPaletteControlCallBackProc* callback = nullptr;
    GSFlags flags = 0;
    API_Guid guid = {};
};

enum class ProjectState { None, New, Opened };

struct HostState {
    std::vector<ReportLine> report;
    std::vector<MenuRegistration> menus;
    APISelectionChangeHandlerProc* selectionHandler = nullptr;
    std::vector<EventSubscription> eventSubscriptions;
    std::vector<PaletteRegistration> palettes;
    bool keepInMemory = false;
    GS::UniString ownLocation;
    UInt16 mainVersion = 29;
    ProjectState project = ProjectState::None;
    // Resources of the loaded modules, by module number.
    std::map<GSResModule, ResourceTable> resources;
    GSResModule currentModule = 0;
    // Lines also go here as they are written (tolva-host prints them without --report).
    void (*reportEcho)(const ReportLine& line) = nullptr;
    ShellState shell;
    SystemState system;
    ErrorReportingState errorReporting;
    HttpState http;
};

HOST_API HostState& Host();
// Forgets every registration and recording, as a freshly started host.
HOST_API void ResetHost();

} // namespace StandIn
