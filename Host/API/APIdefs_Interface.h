#pragma once

#include "APIdefs_Elements.h"
#include "APIdefs_Environment.h"

#include <functional>

struct API_SelectionInfo {
    Int32 typeID = 0;
    Int32 sel_nElem = 0;
};

constexpr Int32 API_SelEmpty = 0;
constexpr Int32 API_SelElems = 1;

struct API_GetPointType {
    GS::UniString prompt;
    API_Coord3D pos;
};

HOST_API GSErrCode ACAPI_CallUndoableCommand(const GS::UniString& undoString,
                                             const std::function<GSErrCode()>& command);
HOST_API GSErrCode ACAPI_Selection_Get(API_SelectionInfo* selectionInfo, GS::Array<API_Neig>* selNeigs,
                                       bool onlyEditable);
HOST_API GSErrCode ACAPI_UserInput_GetPoint(API_GetPointType* pointInfo);
