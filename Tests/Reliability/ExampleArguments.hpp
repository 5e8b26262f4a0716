#pragma once

#include <string>
#include <vector>

// What the page passes to the imports for the examples (examples/plans, buildings, spaces).

// {"reference": ..., "planTemplate": the example plan}, the reference being the living room of the
// example apartment (3 m, 4 m) when `withReference`.
std::string ExamplePlanArgument(bool withReference);
// The texts of stories, units, transitions, furniture instances and furniture templates.
std::vector<std::string> ExampleBuildingTexts();
// {"files": [...]} with spaces.json, project.json, stories.json and units.json.
std::string ExampleFilesArgument();
