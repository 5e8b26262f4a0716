#pragma once

#include <string>

// The page hands the zone import the project's files by name. These read them from a folder.

// The argument of importZonesFromSpaces (a script string, written as JSON) holding
// {"files": [{"name", "content"}, ...]} with each of spaces.json, project.json, stories.json and
// units.json that the folder holds. Throws GS::Exception for a folder that does not exist.
std::string ZoneImportArgument(const std::string& folder);
