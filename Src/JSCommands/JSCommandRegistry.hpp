#pragma once

#include "DGBrowser.hpp"

namespace JSCommandRegistry {

// Registers the script object "ACAPI" with every command the page may call, each run inside
// JSCommandWrapper.
void RegisterAllCommands(DG::Browser& browser);

} // namespace JSCommandRegistry
