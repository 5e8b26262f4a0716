#pragma once

#include <string>
#include <vector>

// What the page passes to the imports for the examples (examples/plans, buildings, spaces).

// {"reference": ..., "planTemplate": the example bedroom plan}, the reference being the example
// apartment's bedroom (8 m, 6 m) when `withReference`.
std::string ExamplePlanArgument(bool withReference);
// The texts of stories, units, transitions, furniture instances and furniture templates of the
// building in the folder.
std::vector<std::string> ExampleBuildingTexts(const std::string& folder = "examples/buildings/");
// {"files": [...]} with spaces.json, project.json, stories.json and units.json.
std::string ExampleFilesArgument();
