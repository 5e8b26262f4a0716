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
// What the host tells the input's callbacks; the stand-in's point input calls neither.
struct API_RubberLineInfo;
struct API_Get3DComponentType;
typedef void RubberLineInfoProc(const API_RubberLineInfo* info);
typedef void Get3DComponentProc(const API_Get3DComponentType* info);

HOST_API GSErrCode ACAPI_UserInput_GetPoint(API_GetPointType* pointInfo,
                                            RubberLineInfoProc* rubberLineInfoProc = nullptr,
                                            Get3DComponentProc* get3DComponentProc = nullptr);
