#include "ACAPinc.h"
#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"

#include <algorithm>

namespace {

// Elements with a solid body that solid operations act on and with.
bool IsSolid(const StandIn::StoredElement* stored) {
    if (stored == nullptr) {
        return false;
    }
    API_ElemTypeID type = stored->element.header.type.typeID;
    return type == API_WallID || type == API_SlabID || type == API_ObjectID || type == API_MorphID ||
           type == API_MeshID;
}

bool IsOperation(API_SolidOperationID oper) {
    return oper == APISolid_Substract || oper == APISolid_SubstUp || oper == APISolid_SubstDown ||
           oper == APISolid_Intersect || oper == APISolid_Add;
}

} // namespace

GSErrCode ACAPI_Element_SolidLink_Create(API_Guid guid_Target, API_Guid guid_Operator,
                                         API_SolidOperationID operation, GSFlags linkFlags) {
    if (auto code = StandIn::Faults::Take("ACAPI_Element_SolidLink_Create")) {
        return *code;
    }
    if (!StandIn::TheModel().undoStepOpen) {
        return APIERR_NEEDSUNDOSCOPE;
    }
    StandIn::StoredElement* target = StandIn::FindElement(guid_Target);
    if (!IsSolid(target) || !IsSolid(StandIn::FindElement(guid_Operator)) || guid_Target == guid_Operator ||
        !IsOperation(operation)) {
        return APIERR_BADPARS;
    }
    auto& links = target->solidLinks;
    if (std::any_of(links.begin(), links.end(),
                    [&](const StandIn::SolidLink& link) { return link.operatorGuid == guid_Operator; })) {
        return APIERR_LINKEXIST;
    }
    StandIn::BeforeElementChange(guid_Target);
    links.push_back({guid_Operator, operation, linkFlags});
    return NoError;
}
