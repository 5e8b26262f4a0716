#pragma once

#include "ACAPinc.h"

#include <vector>

// The project's stories and preferences. Levels chain upwards from the lowest story: the level of
// story s is the level of story s - 1 plus that story's height.
namespace StandIn {

struct Story {
    GS::UniString name;
    double height = 3.0;
};

struct ProjectSettings {
    short firstStory = 0;
    double lowestLevel = 0;
    std::vector<Story> stories{{"Ground Floor", 3.0}}; // from firstStory upwards
    bool skipNullFloor = false;
    API_WorkingUnitPrefs workingUnits = {API_LengthTypeID::Millimeter, 0, 0};
    API_GeoLocation geoLocation = {};
    API_Coord3D modelOffset = {}; // the project file keeps a z; the host's offset is in plan only
    std::vector<API_StoryCmdType> storyCommands; // every command applied, in order
};

// The stories alone, as an undo step keeps them: Archicad's undo covers story changes.
struct StoryStructure {
    short firstStory = 0;
    double lowestLevel = 0;
    std::vector<Story> stories;
};

HOST_API ProjectSettings& Settings();
HOST_API StoryStructure CurrentStories();
HOST_API void RestoreStories(const StoryStructure& structure);
HOST_API short LastStory();
HOST_API double LevelOf(short storyIndex);

} // namespace StandIn
