#include "Main/ProjectEvents.hpp"

#include "Builders/DoorLibraryManager.hpp"
#include "Builders/FurnitureLibraryManager.hpp"
#include "Builders/LayerManager.hpp"
#include "Builders/MaterialManager.hpp"
#include "Builders/PropertySetter.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "Logging/HostBoundary.hpp"
#include "Palettes/BrowserPalette.hpp"
#include "Palettes/GeneratePlanPalette.hpp"
#include "ZoneBoundary/ReferencePointCache.hpp"
#include "ZoneBoundary/StoredZoneData.hpp"
#include "ZoneBoundary/WallPropertyAnalyzer.hpp"

namespace {

// Each cache logs its own line.
void EmptyPerProjectCaches() {
    Tolva::Builders::LayerManager::InvalidateCache();
    Tolva::Builders::MaterialManager::InvalidateCache();
    Tolva::Builders::PropertySetter::InvalidateCache();
    Tolva::Builders::DoorLibraryManager::InvalidateCache();
    Tolva::Builders::FurnitureLibraryManager::InvalidateCache();
    // Category indices belong to one project's attributes.
    Tolva::Builders::ZoneBuilder::InvalidateCategoryCache();
    ReferencePointCache::Instance().Invalidate();
    StoredZoneData::Instance().Clear();
    WallPropertyAnalyzer::ForgetPositionProperty();
}

void HandleProjectEvent(API_NotifyEventID notifID) {
    switch (notifID) {
    case APINotify_Quit:
        GeneratePlanPalette::Destroy();
        BrowserPalette::Destroy();
        EmptyPerProjectCaches();
        break;
    case APINotify_New:
    case APINotify_Open:
        EmptyPerProjectCaches();
        break;
    default:
        break;
    }
}

} // namespace

GSErrCode ProjectEventHandler(API_NotifyEventID notifID, Int32) {
    return HostBoundary::Guard("ProjectEvents", "ProjectEventHandler", GSErrCode(NoError), [&] {
        HandleProjectEvent(notifID);
        return NoError;
    });
}
