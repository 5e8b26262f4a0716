#pragma once

#include "IOBase.hpp"
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
    enum {
        ResolveError = LocationErrors + 0,   // the path could not be resolved
        InvalidOperand = LocationErrors + 1, // an operand of the operation is invalid
        NoScheme = LocationErrors + 2
    };

    Location();
    explicit Location(const GS::UniString& targetPath);
    explicit Location(const char* targetPath);

    Location(const Location& source);
    Location(Location&& source);
    Location(const Location& parent, const Name& name);

    Location& operator=(const Location& source);
    Location& operator=(Location&& source);

    ~Location();

    GSErrCode AppendToLocal(const Name& name);
    GSErrCode DeleteLastLocalName();
    GSErrCode GetLastLocalName(Name* name) const;
    GSErrCode ToPath(GS::UniString* text) const;
    GS::UniString ToDisplayText() const { return path; }
    bool IsEmpty() const { return path.IsEmpty(); }

    bool operator==(const Location& other) const { return path == other.path; }
    bool operator!=(const Location& other) const { return !(*this == other); }

private:
    GS::UniString path;
};

} // namespace IO
