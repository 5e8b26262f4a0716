#pragma once

#include "ACAPinc.h"

// The add-on's one menu command, "Launch Tolva (Beta)".
GSErrCode MenuCommandHandler(const API_MenuParams* menuParams);
