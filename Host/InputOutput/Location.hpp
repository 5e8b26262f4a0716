#pragma once

#include "UniString.hpp"

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

} // namespace IO
