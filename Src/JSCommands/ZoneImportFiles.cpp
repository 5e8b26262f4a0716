#include "JSCommands/ZoneImportFiles.hpp"

#include "Logging/Logger.hpp"
#include "Parsers/JsonText.hpp"

#include <string>

namespace JSCommands {

namespace {

constexpr const char* Category = "PlanImportCommands";

const rapidjson::Value* StringMember(const rapidjson::Value& entry, const char* name) {
    const auto member = entry.FindMember(name);
    return member != entry.MemberEnd() && member->value.IsString() ? &member->value : nullptr;
}

// The file of that name, or null for a name the import does not read.
GS::UniString* FileNamed(ZoneImportFiles& files, const rapidjson::Value& name) {
    const std::string text(name.GetString(), name.GetStringLength());
    if (text == "spaces.json") {
        return &files.spaces;
    }
    if (text == "project.json") {
        return &files.project;
    }
    if (text == "stories.json") {
        Logger::Info(Category, "stories.json provided - will use accurate elevation mapping");
        return &files.stories;
    }
    if (text == "units.json") {
        Logger::Info(Category, "units.json provided - will import unit zones");
        return &files.units;
    }
    return nullptr;
}

} // namespace

ZoneImportFiles CollectZoneImportFiles(const rapidjson::Value& files) {
    ZoneImportFiles collected;
    for (const rapidjson::Value& entry : files.GetArray()) {
        if (!entry.IsObject()) {
            continue;
        }
        const rapidjson::Value* name = StringMember(entry, "name");
        const rapidjson::Value* content = StringMember(entry, "content");
        if (name == nullptr || content == nullptr) {
            continue;
        }
        if (GS::UniString* file = FileNamed(collected, *name)) {
            *file = Tolva::Parsers::ToUniString(*content);
        }
    }
    return collected;
}

} // namespace JSCommands
