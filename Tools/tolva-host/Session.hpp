#pragma once

#include "HostProgram.hpp"

#include <string>

// Runs a session file: a JSON object whose "steps" array lists host actions in order (see
// docs/tolva-host.md). Throws GS::Exception naming the step that is malformed.
void RunSession(HostProgram& host, const std::string& sessionText);
