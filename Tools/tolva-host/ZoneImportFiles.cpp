#include "ZoneImportFiles.hpp"

#include "GSException.hpp"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* FileNames[] = {"spaces.json", "project.json", "stories.json", "units.json"};

std::string TextOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw GS::Exception(GS::UniString(("Cannot read " + path.string()).c_str(), CC_UTF8));
    }
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

std::string ZoneImportArgument(const std::string& folder) {
    if (!std::filesystem::is_directory(folder)) {
        throw GS::Exception(GS::UniString(("No folder " + folder).c_str(), CC_UTF8));
    }
    rapidjson::StringBuffer files;
    rapidjson::Writer<rapidjson::StringBuffer> writer(files);
    writer.StartObject();
    writer.Key("files");
    writer.StartArray();
    for (const char* name : FileNames) {
        const std::filesystem::path path = std::filesystem::path(folder) / name;
        if (!std::filesystem::exists(path)) {
            continue;
        }
        const std::string content = TextOf(path);
        writer.StartObject();
        writer.Key("name");
        writer.String(name);
        writer.Key("content");
        writer.String(content.c_str(), static_cast<rapidjson::SizeType>(content.size()));
        writer.EndObject();
    }
    writer.EndArray();
    writer.EndObject();
    // The page passes the files as one text.
    rapidjson::StringBuffer argument;
    rapidjson::Writer<rapidjson::StringBuffer> text(argument);
    text.String(files.GetString(), static_cast<rapidjson::SizeType>(files.GetSize()));
    return argument.GetString();
}
