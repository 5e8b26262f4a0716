#pragma once

#include "Page/PageEngine.hpp"

#include <string>
#include <vector>

// The web page's side of a session: scripts and ACAPI calls made from the browser palette's page.
// The palette is opened first, as the host's open message would, when it does not exist yet.

// Each argument: a JSON value, or "@FILE" for the file's text as a script string. None passes
// nothing, one passes it, several pass one array of them. Throws GS::Exception when the page has no
// such command. Mesh answers also go to the OBJ file when one was asked for (ObjExport.hpp).
StandIn::PageCallResult CallCommand(const std::string& command, const std::vector<std::string>& arguments);
// Throws GS::Exception with the page's error text.
void RunPageScript(const std::string& script);
// What the page passed to host.report, in order.
const std::vector<GS::UniString>& PageReports();
// "name=file" makes the page of the address name the script in file.
void AddPageOption(const std::string& option);
