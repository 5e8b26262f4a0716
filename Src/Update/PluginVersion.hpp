#pragma once

#include "TolvaResourceIDs.h"

// The plugin version, from the one build constant.
namespace PluginVersion {

constexpr int Major = TOLVA_VERSION_MAJOR;
constexpr int Minor = TOLVA_VERSION_MINOR;
constexpr int Patch = TOLVA_VERSION_PATCH;
constexpr const char* Text = TOLVA_VERSION_STRING;

} // namespace PluginVersion
