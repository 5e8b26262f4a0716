#include "StandIn/Stories.hpp"

#include "StandIn/Faults.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/Project.hpp"

#include <cmath>
#include <cstring>

namespace StandIn {

ProjectSettings& Settings() {
    static ProjectSettings settings;
    return settings;
}

StoryStructure CurrentStories() {
    return {Settings().firstStory, Settings().lowestLevel, Settings().stories};
}

void RestoreStories(const StoryStructure& structure) {
    Settings().firstStory = structure.firstStory;
    Settings().lowestLevel = structure.lowestLevel;
    Settings().stories = structure.stories;
    // Undo and redo restore the elements with the stories.
    Model3DChanged();
}

short LastStory() {
    return static_cast<short>(Settings().firstStory + Settings().stories.size() - 1);
}

double LevelOf(short storyIndex) {
    const ProjectSettings& settings = Settings();
    double level = settings.lowestLevel;
    for (short s = settings.firstStory; s < storyIndex && s <= LastStory(); ++s) {
        level += settings.stories[static_cast<size_t>(s - settings.firstStory)].height;
    }
    return level;
}

namespace {

bool ValidIndex(short index) {
    return index >= Settings().firstStory && index <= LastStory();
}

GSErrCode InsertAbove(const API_StoryCmdType& cmd) {
    ProjectSettings& settings = Settings();
    if (!ValidIndex(cmd.index) || !(cmd.height > 0) || !std::isfinite(cmd.height)) {
        return APIERR_BADPARS;
    }
    auto at = settings.stories.begin() + (cmd.index - settings.firstStory + 1);
    settings.stories.insert(at, Story{GS::UniString(cmd.uName), cmd.height});
    // Elements above the new story move up with their stories, as in the host.
    for (StoredElement& stored : TheModel().elements) {
        if (stored.element.header.floorInd > cmd.index) {
            BeforeElementChange(stored.element.header.guid);
            ++stored.element.header.floorInd;
        }
    }
    Model3DChanged();
    return NoError;
}

GSErrCode SetHeight(const API_StoryCmdType& cmd) {
    if (!ValidIndex(cmd.index) || !(cmd.height > 0) || !std::isfinite(cmd.height)) {
        return APIERR_BADPARS;
    }
    Settings().stories[static_cast<size_t>(cmd.index - Settings().firstStory)].height = cmd.height;
    Model3DChanged();
    return NoError;
}

} // namespace

} // namespace StandIn

using namespace StandIn;

// The mask is not read: the stand-in has one set of stories, whatever asks for them.
GSErrCode ACAPI_ProjectSetting_GetStorySettings(API_StoryInfo* storyInfo, UInt32) {
    if (auto code = Faults::Take("ACAPI_ProjectSetting_GetStorySettings")) {
        return *code;
    }
    const ProjectSettings& settings = Settings();
    auto count = static_cast<GSSize>(settings.stories.size());
    auto** data =
        reinterpret_cast<API_StoryType**>(BMAllocateHandle(count * sizeof(API_StoryType), ALLOCATE_CLEAR, 0));
    if (data == nullptr) {
        return APIERR_MEMFULL;
    }
    for (short i = 0; i < count; ++i) {
        API_StoryType& story = (*data)[i];
        story.index = static_cast<short>(settings.firstStory + i);
        story.level = LevelOf(story.index);
        story.height = settings.stories[static_cast<size_t>(i)].height;
        GS::ucsncpy(story.uName, settings.stories[static_cast<size_t>(i)].name.ToUStr().Get(),
                    API_UniLongNameLen);
    }
    storyInfo->firstStory = settings.firstStory;
    storyInfo->lastStory = LastStory();
    storyInfo->skipNullFloor = settings.skipNullFloor;
    storyInfo->data = data;
    return NoError;
}

GSErrCode ACAPI_ProjectSetting_ChangeStorySettings(API_StoryCmdType* storyCmd) {
    if (auto code = Faults::Take("ACAPI_ProjectSetting_ChangeStorySettings")) {
        return *code;
    }
    if (auto code =
            Faults::Take("ACAPI_ProjectSetting_ChangeStorySettings:" + std::to_string(storyCmd->action))) {
        return *code;
    }
    GSErrCode code = APIERR_BADPARS;
    if (storyCmd->action == APIStory_InsAbove) {
        code = InsertAbove(*storyCmd);
    } else if (storyCmd->action == APIStory_SetHeight) {
        code = SetHeight(*storyCmd);
    }
    if (code == NoError) {
        Settings().storyCommands.push_back(*storyCmd);
    }
    return code;
}

GSErrCode ACAPI_ProjectSetting_GetPreferences(void* prefs, API_PrefsTypeID prefsTypeID) {
    if (auto code = Faults::Take("ACAPI_ProjectSetting_GetPreferences")) {
        return *code;
    }
    if (prefsTypeID != APIPrefs_WorkingUnitsID || prefs == nullptr) {
        return APIERR_BADPARS;
    }
    *static_cast<API_WorkingUnitPrefs*>(prefs) = Settings().workingUnits;
    return NoError;
}

GSErrCode ACAPI_GeoLocation_GetGeoLocation(API_GeoLocation* geoLocation) {
    if (auto code = Faults::Take("ACAPI_GeoLocation_GetGeoLocation")) {
        return *code;
    }
    *geoLocation = Settings().geoLocation;
    return NoError;
}

GSErrCode ACAPI_ProjectSetting_GetOffset(API_Coord* offset) {
    if (auto code = Faults::Take("ACAPI_ProjectSetting_GetOffset")) {
        return *code;
    }
    *offset = {Settings().modelOffset.x, Settings().modelOffset.y};
    return NoError;
}
