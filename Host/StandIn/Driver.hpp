#pragma once

#include "StandIn/Host.hpp"

#include <optional>

// The driver's side of the host: what the user and Archicad do to the add-on.
namespace StandIn {

// Chooses a menu item; false when no handler is installed for the menu.
HOST_API bool SendMenuCommand(short menuResID, short itemIndex);
HOST_API void NotifySelectionChanged();
// Delivers an event code straight to the handlers subscribed to it.
HOST_API void DeliverProjectEvent(API_NotifyEventID event);
// The model, stories, settings and attributes of a new project; no event is fired.
HOST_API void ResetProjectContents();
HOST_API void NewProject();
// The untitled project Archicad starts with, open before any add-on is loaded, so no add-on is told.
HOST_API void StartUntitledProject();
HOST_API void QuitApplication();
// Sends a palette message; for message 7 the palette's answer is returned.
HOST_API std::optional<bool> SendPaletteMessage(Int32 referenceID, API_PaletteMessageID message);

HOST_API std::vector<ReportLine> Alerts();

} // namespace StandIn
