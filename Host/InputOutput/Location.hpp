#pragma once

#include "GSRoot/UniString.hpp"

namespace IO {

class HOST_API Name {
public:
    Name() = default;
    Name(const GS::UniString& text) : text(text) {}
    Name(const char* text) : text(text) {}
    const GS::UniString& ToString() const { return text; }

private:
    GS::UniString text;
};

// A file-system location, over a POSIX path.
class HOST_API Location {
public:
    Location() = default;
    explicit Location(const GS::UniString& path) : path(path) {}

    GSErrCode AppendToLocal(const Name& name);
    GSErrCode DeleteLastLocalName();
    GSErrCode GetLastLocalName(Name* name) const;
    GSErrCode ToPath(GS::UniString* text) const;
    GS::UniString ToDisplayText() const { return path; }
    bool IsEmpty() const { return path.IsEmpty(); }

    bool operator==(const Location& other) const { return path == other.path; }

private:
    GS::UniString path;
};

// File-system error codes (our choice of values; the add-on only tells "exists" apart).
constexpr GSErrCode FileSystemFailed = -5000;
constexpr GSErrCode FileSystemNotFound = -5001;
constexpr GSErrCode FileSystemTargetExists = -5006;

class HOST_API FileSystem {
public:
    static constexpr GSErrCode TargetExists = FileSystemTargetExists;

    GSErrCode CreateFolder(const Location& folder) const;
    bool Contains(const Location& location) const;
    bool IsFolder(const Location& location) const;
};

HOST_API extern FileSystem fileSystem;

} // namespace IO
