#include "Location.hpp"

#include "FileSystem.hpp"

#include <filesystem>
#include <system_error>

namespace IO {

namespace {

std::filesystem::path PathOf(const Location& location) {
    GS::UniString text;
    location.ToPath(&text);
    return std::filesystem::path(text.ToCStr().Get());
}

} // namespace

FileSystem FileSystem::singleton;
FileSystem& fileSystem = FileSystem::singleton;

Location::Location() = default;
Location::Location(const GS::UniString& targetPath) : path(targetPath) {}
Location::Location(const char* targetPath) : path(targetPath) {}
Location::Location(const Location& source) = default;
Location::Location(Location&& source) = default;
Location::Location(const Location& parent, const Name& name) : path(parent.path) {
    AppendToLocal(name);
}
Location& Location::operator=(const Location& source) = default;
Location& Location::operator=(Location&& source) = default;
Location::~Location() = default;

GSErrCode Location::AppendToLocal(const Name& name) {
    if (name.ToString().IsEmpty()) {
        return InvalidOperand;
    }
    if (!path.IsEmpty() && !path.EndsWith("/")) {
        path.Append(u'/');
    }
    path.Append(name.ToString());
    return NoError;
}

GSErrCode Location::DeleteLastLocalName() {
    USize slash = path.FindLast("/");
    if (slash == MaxUIndex) {
        return InvalidOperand;
    }
    path.Truncate(slash == 0 ? 1 : slash);
    return NoError;
}

GSErrCode Location::GetLastLocalName(Name* name) const {
    USize slash = path.FindLast("/");
    *name = Name(slash == MaxUIndex ? path : path.GetSubstring(slash + 1, path.GetLength()));
    return NoError;
}

GSErrCode Location::ToPath(GS::UniString* text) const {
    *text = path;
    return NoError;
}

GSErrCode FileSystem::CreateFolder(const Location& folder, AccessDeniedTreatment) {
    std::error_code error;
    std::filesystem::path path = PathOf(folder);
    if (std::filesystem::exists(path, error)) {
        return TargetExists;
    }
    if (std::filesystem::create_directory(path, error)) {
        return NoError;
    }
    return std::filesystem::is_directory(path.parent_path(), error) ? AccessDenied : FolderNotFound;
}

bool FileSystem::Contains(const Location& location) const {
    std::error_code error;
    return std::filesystem::exists(PathOf(location), error);
}

bool FileSystem::IsFolder(const Location& location) const {
    std::error_code error;
    return std::filesystem::is_directory(PathOf(location), error);
}

} // namespace IO
