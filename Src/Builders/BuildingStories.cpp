#include "Builders/BuildingStories.hpp"

#include "Logging/Logger.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";
// Elevations closer than this (mm) are one story.
constexpr double SameElevationTolerance = 1.0;
// Elevations (m) closer than this count as equal; a story height must exceed it.
constexpr double LevelTolerance = 0.001;
constexpr double DefaultStoryHeight = 3000.0;
constexpr GSErrCode StoryOutOfRange = APIERR_BADINDEX;

// The host's story settings, released when it goes out of scope.
class StorySettings {
public:
    GSErrCode Read() { return ACAPI_ProjectSetting_GetStorySettings(&info); }
    ~StorySettings() { BMKillHandle(reinterpret_cast<GSHandle*>(&info.data)); }
    StorySettings() = default;
    StorySettings(const StorySettings&) = delete;
    StorySettings& operator=(const StorySettings&) = delete;

    short First() const { return info.firstStory; }
    short Last() const { return info.lastStory; }
    bool SkipNullFloor() const { return info.skipNullFloor; }
    bool Has(short s) const { return s >= info.firstStory && s <= info.lastStory; }
    double LevelOf(short s) const { return (*info.data)[s - info.firstStory].level; }

private:
    API_StoryInfo info = {};
};

GSErrCode ReadSettingsOrLog(StorySettings& settings) {
    const GSErrCode err = settings.Read();
    if (err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to get story settings: error %d", err));
    }
    return err;
}

GSErrCode ChangeStory(API_StoryCmdID action, short index, double heightM, const GS::UniString& name) {
    API_StoryCmdType command = {};
    command.action = action;
    command.index = index;
    command.height = heightM;
    GS::ucsncpy(command.uName, name.ToUStr().Get(), API_UniLongNameLen);
    return ACAPI_ProjectSetting_ChangeStorySettings(&command);
}

// The height (mm) of a new story: up to the next required elevation, else the tallest building story
// at its elevation, never below the default. The table holds project levels, base at `base` (mm).
double NewStoryHeight(short s, const FloorElevationTable& table, const GS::Array<TolvaStory>& stories,
                      double lowest, double base) {
    const auto at = table.find(s);
    const auto above = table.find(static_cast<short>(s + 1));
    if (at != table.end() && above != table.end()) {
        return above->second - at->second;
    }
    double height = DefaultStoryHeight;
    if (at != table.end()) {
        for (const TolvaStory& story : stories) {
            if (std::abs((story.heightOffset - lowest) - (at->second - base)) <= SameElevationTolerance) {
                height = std::max(height, story.height);
            }
        }
    }
    return height;
}

} // namespace

GSErrCode ReadFloorOffset(short& floorOffset) {
    StorySettings settings;
    const GSErrCode err = settings.Read();
    if (err == NoError) {
        floorOffset = settings.SkipNullFloor() ? 1 : 0;
    }
    return err;
}

GS::Array<double> CollectRequiredElevations(const GS::Array<TolvaStory>& stories) {
    std::vector<double> taken;
    for (const TolvaStory& story : stories) {
        const double elevation = story.heightOffset;
        if (!std::isfinite(elevation)) {
            Logger::Warning(Category, "Story '" + story.id + "' has no finite elevation, skipping it");
            continue;
        }
        const bool alreadyTaken = std::any_of(taken.begin(), taken.end(), [&](double e) {
            return std::abs(e - elevation) < SameElevationTolerance;
        });
        if (!alreadyTaken) {
            taken.push_back(elevation);
        }
    }
    std::sort(taken.begin(), taken.end());
    GS::Array<double> elevations;
    for (const double elevation : taken) {
        Logger::Debug(Category, GS::UniString::Printf("Elevation %.0f mm → Archicad floor %d", elevation,
                                                      static_cast<Int32>(elevations.GetSize())));
        elevations.Push(elevation);
    }
    return elevations;
}

GSErrCode GetStoryElevation(short s, double& elevation) {
    StorySettings settings;
    if (const GSErrCode err = ReadSettingsOrLog(settings); err != NoError) {
        return err;
    }
    if (!settings.Has(s)) {
        Logger::Error(Category, GS::UniString::Printf("Story index %d out of range [%d, %d]", s,
                                                      settings.First(), settings.Last()));
        return StoryOutOfRange;
    }
    elevation = settings.LevelOf(s);
    return NoError;
}

GSErrCode SetStoryElevation(short s, double elevation) {
    if (s <= 0) {
        Logger::Warning(Category,
                        GS::UniString::Printf(
                            "Cannot adjust elevation of story %d - ground story has no story below", s));
        return APIERR_BADPARS;
    }
    StorySettings settings;
    if (const GSErrCode err = ReadSettingsOrLog(settings); err != NoError) {
        return err;
    }
    const short below = static_cast<short>(s - 1);
    if (!settings.Has(s) || !settings.Has(below)) {
        Logger::Error(Category, GS::UniString::Printf("Story index %d out of range [%d, %d]", s,
                                                      settings.First(), settings.Last()));
        return StoryOutOfRange;
    }
    const double belowLevel = settings.LevelOf(below);
    const double height = elevation - belowLevel;
    if (!(height > LevelTolerance)) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Cannot set story %d to %.3f m - would result in invalid "
                                              "height %.3f m (story below is at %.3f m)",
                                              s, elevation, height, belowLevel));
        return APIERR_BADPARS;
    }
    const GSErrCode err = ChangeStory(APIStory_SetHeight, below, height, GS::UniString());
    if (err != NoError) {
        Logger::Warning(
            Category, GS::UniString::Printf("Failed to set height %.3f m on story %d (to adjust story %d to "
                                            "%.3f m): error %d",
                                            height, below, s, elevation, err));
    } else {
        Logger::Debug(Category, GS::UniString::Printf(
                                    "Set height of story %d to %.3f m (adjusts story %d to elevation %.3f m)",
                                    below, height, s, elevation));
    }
    return err;
}

void AdjustStoryElevations(const FloorElevationTable& table, short first, short last, const char* title) {
    Logger::Info(Category,
                 GS::UniString::Printf("%s: Adjusting elevations for stories %d to %d", title, first, last));
    for (short s = first; s <= last; ++s) {
        const auto entry = table.find(s);
        if (entry == table.end()) {
            Logger::Warning(Category,
                            GS::UniString::Printf("No elevation mapping for story %d (skipping)", s));
            continue;
        }
        const double required = entry->second / 1000.0;
        if (s == 0) {
            double current = 0.0;
            if (GetStoryElevation(0, current) == NoError && std::abs(current - required) > LevelTolerance) {
                Logger::Warning(Category, GS::UniString::Printf("Ground floor elevation %.3f m doesn't match "
                                                                "required %.3f m (cannot adjust)",
                                                                current, required));
            }
            continue;
        }
        if (const GSErrCode err = SetStoryElevation(s, required); err != NoError) {
            double current = 0.0;
            GetStoryElevation(s, current);
            Logger::Warning(Category,
                            GS::UniString::Printf("Failed to adjust story %d elevation (error %d, 0x%08X) "
                                                  "- story remains at %.3f m instead of required %.3f m",
                                                  s, err, static_cast<UInt32>(err), current, required));
        } else {
            Logger::Info(Category,
                         GS::UniString::Printf("Adjusted story %d to elevation %.3f m", s, required));
        }
    }
}

GSErrCode CreateRequiredStories(const BuildingData& building, Int32& storiesCreated, short floorOffset,
                                ElevationFloorMap& map) {
    storiesCreated = 0;
    short last = 0;
    double ground = 0.0;
    {
        StorySettings settings;
        if (const GSErrCode err = settings.Read(); err != NoError) {
            Logger::Error(Category, GS::UniString::Printf("Error getting story settings: %d", err));
            return err;
        }
        last = settings.Last();
        ground = settings.Has(0) ? settings.LevelOf(0) : 0.0;
    }
    if (building.stories.IsEmpty()) {
        Logger::Error(Category, "No stories found in building data");
        return APIERR_BADPARS;
    }
    const GS::Array<double> elevations = CollectRequiredElevations(building.stories);
    if (elevations.IsEmpty()) {
        Logger::Error(Category, "Failed to create elevation-to-floor mapping");
        return APIERR_BADPARS;
    }
    // The building's base sits on the ground story, which is never moved; skipNullFloor only
    // renumbers the stories, so the lowest elevation is story 0 either way.
    const double lowest = elevations[0];
    const double base = ground * 1000.0;
    const auto count = static_cast<short>(elevations.GetSize());
    const auto highest = static_cast<short>(count - 1);
    Logger::Info(Category, GS::UniString::Printf(
                               "Mapping %d required elevations to sequential floor indices (%d to %d)", count,
                               0, highest));

    ElevationFloorMap required;
    FloorElevationTable table;
    Int32 missing = 0;
    for (short i = 0; i < count; ++i) {
        const double level = base + (elevations[i] - lowest);
        required.Add(elevations[i], i);
        table[i] = level;
        if (i > last) {
            Logger::Debug(Category,
                          GS::UniString::Printf("Story %d does not exist - will create at elevation %.3f m",
                                                i, level / 1000.0));
            ++missing;
        }
    }
    if (last >= 0) {
        AdjustStoryElevations(table, 0, std::min(last, highest), "Existing stories");
    }
    const Int32 toCreate = highest - last;
    if (toCreate <= 0) {
        Logger::Info(Category, "All required stories already exist");
        map = required;
        return NoError;
    }
    Logger::Info(Category,
                 GS::UniString::Printf("Creating %d new stories (Story %d to Story %d) to accommodate %d "
                                       "required elevations",
                                       toCreate, last + 1, highest, missing));
    for (short s = static_cast<short>(last + 1); s <= highest; ++s) {
        const double height = NewStoryHeight(s, table, building.stories, lowest, base);
        const GS::UniString name = GS::UniString::Printf("Floor %d", s + floorOffset);
        if (const GSErrCode err =
                ChangeStory(APIStory_InsAbove, static_cast<short>(s - 1), height / 1000.0, name);
            err != NoError) {
            Logger::Error(Category, GS::UniString::Printf("Failed to create story %d: error %d", s, err));
            return err;
        }
        ++storiesCreated;
    }
    AdjustStoryElevations(table, static_cast<short>(last + 1), highest, "Newly created stories");
    map = required;
    return NoError;
}

} // namespace Tolva::Builders::BuildingOrchestrator
