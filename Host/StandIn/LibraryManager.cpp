#include "ACAPI/Library/LibraryManager.hpp"

#include "BuiltInLibrary.hpp"
#include "GSException.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Host.hpp"
#include "StandIn/Libraries.hpp"

// The host's library objects over the stand-in's libraries. Every call can be failed by its name
// ("LibraryManager::GetEmbeddedLibrary"); IsValid is failed by arming "LibraryManager::IsValid".
using namespace StandIn;

namespace {

ACAPI::Error Failure(GSErrCode code, const char* text) {
    return ACAPI::Error{code, GS::UniString(text)};
}

} // namespace

// The one definition of the token call, which the add-on reaches as the tests do; the glue keeps none.
API_Token ACAPI_GetToken() {
    static const API_Token token = APIGuidFromString("544F4C56-0000-4000-8000-000000000001");
    return token;
}

void ACAPI::ResultBase::HandleUnwrapFailure(const char* text) {
    throw GS::Exception(GS::UniString(text));
}

namespace ACAPI::Library {

Result<IO::Location> Library::GetLocation() const {
    if (auto code = Faults::Take("Library::GetLocation")) {
        return Failure(*code, "The library's location cannot be read.");
    }
    return location;
}

LibraryManager::LibraryManager(const API_Token& token) : token(token) {}

bool LibraryManager::IsValid() const {
    return token == ACAPI_GetToken() && Host().project != ProjectState::None &&
           !Faults::Take("LibraryManager::IsValid").has_value();
}

Result<Library> LibraryManager::GetEmbeddedLibrary() const {
    if (auto code = Faults::Take("LibraryManager::GetEmbeddedLibrary")) {
        return Failure(*code, "The embedded library cannot be read.");
    }
    if (Host().project == ProjectState::None || !Libraries().embeddedLibrary) {
        return Failure(APIERR_GENERAL, "The project has no embedded library.");
    }
    return Library(IO::Location(GS::UniString(EmbeddedLibraryFolder())));
}

Result<LibPart> LibraryManager::GetLibPartByName(const GS::UniString& name) const {
    if (auto code = Faults::Take("LibraryManager::GetLibPartByName")) {
        return Failure(*code, "The library parts cannot be searched.");
    }
    const RegisteredPart* found = FindPartByName(name);
    if (found == nullptr) {
        return Failure(APIERR_BADNAME, "No library part has that name.");
    }
    return LibPart(found->index);
}

Result<Int32> LibraryManager::GetLibIndOfLibPart(const LibPart& libPart) const {
    if (auto code = Faults::Take("LibraryManager::GetLibIndOfLibPart")) {
        return Failure(*code, "The library part's index cannot be read.");
    }
    if (FindPart(libPart.index) == nullptr) {
        return Failure(APIERR_BADID, "The library part is not registered.");
    }
    return libPart.index;
}

} // namespace ACAPI::Library

namespace BL {

const BuiltInLibraryMainGuidContainer& BuiltInLibraryMainGuidContainer::GetInstance() {
    static const BuiltInLibraryMainGuidContainer container;
    return container;
}

GS::Guid BuiltInLibraryMainGuidContainer::GetMainGuid(const BuiltInLibPartID& libPartID) const {
    return libPartID == BuiltInLibPartID::ModelElementLibPartID
               ? GS::Guid("103E8D2C-8230-42E1-9597-46F84CCE28C0")
               : GS::Guid();
}

} // namespace BL
