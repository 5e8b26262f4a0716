#include "Builders/ImportStep.hpp"

#include "Builders/DoorLibraryManager.hpp"
#include "Builders/FurnitureLibraryManager.hpp"
#include "Builders/LayerManager.hpp"
#include "Builders/MaterialManager.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "Logging/HostBoundary.hpp"

namespace Tolva::Builders {

GSErrCode RunImportStep(const char* category, const char* undoName,
                        const std::function<GSErrCode()>& import) {
    LayerManager::ForgetIndices();
    MaterialManager::ForgetIndices();
    ZoneBuilder::ForgetCategoryIndices();
    DoorLibraryManager::ForgetIndices();
    FurnitureLibraryManager::ForgetIndices();
    return ACAPI_CallUndoableCommand(undoName, [&]() -> GSErrCode {
        return HostBoundary::Guard(category, undoName, GSErrCode(APIERR_GENERAL), import);
    });
}

} // namespace Tolva::Builders
