#pragma once

#include "UniString.hpp"

#include <rapidjson/document.h>

namespace JSCommands {

// The project files the page hands to the zone import, by their exact names; a file not given, or
// given with empty content, is the empty text.
struct ZoneImportFiles {
    GS::UniString spaces;
    GS::UniString project;
    GS::UniString stories;
    GS::UniString units;
};

// Takes the "content" of each {"name", "content"} entry of the array whose name is "spaces.json",
// "project.json", "stories.json" or "units.json"; of a name given twice the last entry wins. Other
// names and malformed entries are ignored.
ZoneImportFiles CollectZoneImportFiles(const rapidjson::Value& files);

} // namespace JSCommands
