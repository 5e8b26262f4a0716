#pragma once

#include "ACAPinc.h"

// Project events: quitting destroys the palettes; a new or opened project empties every
// per-project cache. Other codes do nothing.
GSErrCode ProjectEventHandler(API_NotifyEventID notifID, Int32 param);
