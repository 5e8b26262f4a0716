#include "Main/ProjectEvents.hpp"

#include "ZoneBoundary/ReferencePointCache.hpp"

namespace {

// In the order the caches depend on each other; each logs its own line.
void EmptyPerProjectCaches() {
    ReferencePointCache::Instance().Invalidate();
}

} // namespace

GSErrCode ProjectEventHandler(API_NotifyEventID notifID, Int32) {
    switch (notifID) {
    case APINotify_Quit:
    case APINotify_New:
    case APINotify_Open:
        EmptyPerProjectCaches();
        break;
    default:
        break;
    }
    return NoError;
}
