#pragma once

#include "APIdefs_Elements.h"
#include "APIdefs_Environment.h"

#include <functional>

// Point input: the prompt goes in, the clicked point and what lies there come out.
struct API_GetPointType {
    char prompt[256];
    API_Coord3D pos;
    API_Neig neig;
    API_Guid guid;
};

HOST_API GSErrCode ACAPI_CallUndoableCommand(const GS::UniString& undoString,
                                             const std::function<GSErrCode()>& command);
HOST_API GSErrCode ACAPI_UserInput_GetPoint(API_GetPointType* pointInfo);
