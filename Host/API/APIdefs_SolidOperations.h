#pragma once

#include "API/APIdefs_Elements.h"

// Solid element operations: an operator element acting on a target element.
using API_SolidOperationID = Int32;
constexpr API_SolidOperationID APISolid_Substract = 0x53535542;  // 'SSUB'
constexpr API_SolidOperationID APISolid_SubstrUp = 0x53535550;   // 'SSUP'
constexpr API_SolidOperationID APISolid_SubstrDown = 0x53534457; // 'SSDW'
constexpr API_SolidOperationID APISolid_Intersect = 0x53494E54;  // 'SINT'
constexpr API_SolidOperationID APISolid_Add = 0x53414444;        // 'SADD'

// Links an operator to a target; APIERR_LINKEXIST when the two are linked already.
HOST_API GSErrCode ACAPI_Element_SolidLink_Create(API_Guid guid_Target, API_Guid guid_Operator,
                                                  API_SolidOperationID oper, GSFlags linkFlags);
