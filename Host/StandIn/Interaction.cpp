#include "ACAPinc.h"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"

namespace StandIn {

void SelectElements(const std::vector<API_Guid>& guids) {
    TheModel().selection = guids;
    NotifySelectionChanged();
}

void AddToSelection(const API_Guid& guid) {
    TheModel().selection.push_back(guid);
    NotifySelectionChanged();
}

void ClearSelection() {
    TheModel().selection.clear();
    NotifySelectionChanged();
}

void QueuePointAnswer(const PointAnswer& answer) {
    TheModel().pointAnswers.push_back(answer);
}

const std::vector<GS::UniString>& PointPrompts() {
    return TheModel().pointPrompts;
}

Int32 UnansweredPointRequests() {
    return TheModel().unansweredPointRequests;
}

} // namespace StandIn

using namespace StandIn;

GSErrCode ACAPI_Selection_Get(API_SelectionInfo* selectionInfo, GS::Array<API_Neig>* selNeigs, bool) {
    if (auto code = Faults::Take("ACAPI_Selection_Get")) {
        return *code;
    }
    selNeigs->Clear();
    for (const API_Guid& guid : TheModel().selection) {
        API_Neig neig;
        neig.guid = guid;
        selNeigs->Push(neig);
    }
    selectionInfo->sel_nElem = static_cast<Int32>(selNeigs->GetSize());
    selectionInfo->typeID = selNeigs->IsEmpty() ? API_SelEmpty : API_SelElems;
    return NoError;
}

GSErrCode ACAPI_UserInput_GetPoint(API_GetPointType* pointInfo) {
    Model& model = TheModel();
    model.pointPrompts.push_back(pointInfo->prompt);
    if (model.pointAnswers.empty()) {
        // Nobody is there to click: answered like a cancelled input, and counted for the driver.
        ++model.unansweredPointRequests;
        return APIERR_CANCEL;
    }
    PointAnswer answer = model.pointAnswers.front();
    model.pointAnswers.erase(model.pointAnswers.begin());
    if (answer.code == NoError) {
        pointInfo->pos = answer.pos;
    }
    return answer.code;
}
