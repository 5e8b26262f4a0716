#include "Builders/LibraryManagerAccess.hpp"

namespace Tolva::Builders {

ACAPI::Result<ACAPI::Library::LibraryManager> GetLibraryManager() {
    ACAPI::Library::LibraryManager manager(ACAPI_GetToken());
    if (!manager.IsValid()) {
        return ACAPI::Error{APIERR_NOPLAN, "Library Manager cannot be initialised without plan."};
    }
    return manager;
}

} // namespace Tolva::Builders
