#pragma once

#include "ACAPI/Library/LibPart.hpp"
#include "ACAPI/Library/Library.hpp"
#include "ACAPI/Object.hpp"
#include "ACAPI/Result.hpp"
#include "APIdefs_Base.h"

// The host's library objects: the library manager of the open project, its libraries and parts.
namespace ACAPI::Library {

class HOST_API LibraryManager {
    friend Result<LibraryManager> GetLibraryManager();
    explicit LibraryManager(const API_Token& token);
    // False when no project is open, or for another add-on's token.
    bool IsValid() const;

public:
    Result<Library> GetEmbeddedLibrary() const;
    // A part by its file name ("x.gsm") or its document name; an error when none is registered.
    Result<LibPart> GetLibPartByName(const GS::UniString& name) const;
    Result<Int32> GetLibIndOfLibPart(const LibPart& libPart) const;

private:
    API_Token token;
};

// The library manager of the open project; APIERR_NOPLAN when no project is open.
inline Result<LibraryManager> GetLibraryManager() {
    LibraryManager lm(ACAPI_GetToken());
    if (lm.IsValid()) {
        return Ok(lm);
    }
    return Error{APIERR_NOPLAN, "Library Manager cannot be initialised without plan."};
}

} // namespace ACAPI::Library
