#include "Main/ProjectEvents.hpp"

GSErrCode ProjectEventHandler(API_NotifyEventID notifID, Int32) {
    switch (notifID) {
    case APINotify_Quit:
    case APINotify_New:
    case APINotify_Open:
        // The palettes and the per-project caches are emptied here as each of them is built.
        break;
    default:
        break;
    }
    return NoError;
}
