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

FileSystem fileSystem;

GSErrCode Location::AppendToLocal(const Name& name) {
    if (name.ToString().IsEmpty()) {
        return FileSystemFailed;
    }
    if (!path.IsEmpty() && !path.EndsWith("/")) {
        path.Append(u'/');
    }
    path.Append(name.ToString());
    return NoError;
}

GSErrCode Location::DeleteLastLocalName() {
    USize slash = path.FindLast("/");
    if (slash == GS::UniString::MaxIndex) {
        return FileSystemNotFound;
    }
    path.Truncate(slash == 0 ? 1 : slash);
    return NoError;
}

GSErrCode Location::GetLastLocalName(Name* name) const {
    USize slash = path.FindLast("/");
    *name = Name(slash == GS::UniString::MaxIndex ? path : path.GetSubstring(slash + 1, path.GetLength()));
    return NoError;
}

GSErrCode Location::ToPath(GS::UniString* text) const {
    *text = path;
    return NoError;
}

GSErrCode FileSystem::CreateFolder(const Location& folder) const {
    std::error_code error;
    std::filesystem::path path = PathOf(folder);
    if (std::filesystem::exists(path, error)) {
        return TargetExists;
    }
    return std::filesystem::create_directory(path, error) ? NoError : FileSystemFailed;
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
