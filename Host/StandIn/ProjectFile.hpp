#pragma once

#include "Definitions.hpp"

#include <string>

// Whole projects as JSON text (docs/project-format.md): stories, preferences, attributes,
// properties and elements with their memos.
namespace StandIn {

// Replaces the open project with the one in the text; throws GS::Exception naming the place of the
// first problem, and then leaves the open project as it was.
HOST_API void LoadProject(const std::string& text);
HOST_API std::string SaveProject();

// Loads a project file and fires the open-project event.
HOST_API void OpenProjectFile(const std::string& path);
HOST_API void SaveProjectFile(const std::string& path);

} // namespace StandIn
