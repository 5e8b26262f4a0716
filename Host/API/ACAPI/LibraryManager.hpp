#pragma once

#include "ACAPI/Result.hpp"
#include "Location.hpp"

#include <memory>

// The host's library objects: the library manager of the open project, its libraries and parts.
struct API_TokenTag;
using API_Token = const API_TokenTag*;

// The token every add-on passes to the host's object API.
HOST_API API_Token ACAPI_GetToken();

namespace ACAPI::Library {

class HOST_API Library {
public:
    explicit Library(IO::Location location) : location(std::move(location)) {}
    Result<IO::Location> GetLocation() const;

private:
    IO::Location location;
};

class HOST_API LibPart {
public:
    explicit LibPart(Int32 index) : index(index) {}
    Int32 GetIndex() const { return index; }

private:
    Int32 index;
};

class HOST_API LibraryManager {
public:
    explicit LibraryManager(API_Token token);
    // False when no project is open.
    bool IsValid() const;
    Result<Library> GetEmbeddedLibrary() const;
    // A part by its file name ("x.gsm") or its document name; an error when none is registered.
    Result<LibPart> GetLibPartByName(const GS::UniString& name) const;
    Result<Int32> GetLibIndOfLibPart(const LibPart& libPart) const;

private:
    API_Token token;
};

} // namespace ACAPI::Library
