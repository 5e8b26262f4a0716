#include "ACAPinc.h"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"

#include <cstring>
#include <string>

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

void SetMarquee(const std::vector<API_Coord>& corners) {
    TheModel().marquee = corners;
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

namespace {

// The marquee as the host hands it over: a closed polygon in a fresh handle, entry 0 unused.
GSErrCode FillMarquee(API_Region& region) {
    const std::vector<API_Coord>& corners = TheModel().marquee;
    region = {};
    if (corners.empty()) {
        return NoError;
    }
    region.nCoords = static_cast<Int32>(corners.size()) + 1;
    region.coords = reinterpret_cast<API_Coord**>(
        BMAllocateHandle((region.nCoords + 1) * static_cast<GSSize>(sizeof(API_Coord)), ALLOCATE_CLEAR, 0));
    if (region.coords == nullptr) {
        return APIERR_MEMFULL;
    }
    for (size_t i = 0; i < corners.size(); ++i) {
        (*region.coords)[i + 1] = corners[i];
    }
    (*region.coords)[region.nCoords] = corners.front();
    return NoError;
}

} // namespace

GSErrCode ACAPI_Selection_Get(API_SelectionInfo* selectionInfo, GS::Array<API_Neig>* selNeigs, bool, bool,
                              API_SelRelativePosID) {
    if (auto code = Faults::Take("ACAPI_Selection_Get")) {
        return *code;
    }
    *selectionInfo = {};
    if (const GSErrCode err = FillMarquee(selectionInfo->marquee); err != NoError) {
        return err;
    }
    if (selNeigs != nullptr) {
        selNeigs->Clear();
        for (const API_Guid& guid : TheModel().selection) {
            API_Neig neig = {};
            neig.guid = guid;
            selNeigs->Push(neig);
        }
    }
    const auto count = static_cast<Int32>(TheModel().selection.size());
    selectionInfo->sel_nElem = count;
    selectionInfo->sel_nElemEdit = count;
    if (selectionInfo->marquee.coords != nullptr) {
        selectionInfo->typeID = API_MarqueePoly;
    } else {
        selectionInfo->typeID = count == 0 ? API_SelEmpty : API_SelElems;
    }
    return NoError;
}

// No rubber lines or 3D components are shown: the callbacks are not called.
GSErrCode ACAPI_UserInput_GetPoint(API_GetPointType* pointInfo, RubberLineInfoProc*, Get3DComponentProc*) {
    Model& model = TheModel();
    // The prompt is a fixed field: read no further than its end, terminated or not.
    model.pointPrompts.push_back(
        GS::UniString(std::string(pointInfo->prompt, strnlen(pointInfo->prompt, sizeof(pointInfo->prompt)))));
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
