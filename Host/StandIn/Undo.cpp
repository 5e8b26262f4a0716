#include "ACAPinc.h"
#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"

namespace StandIn {

namespace {

bool Successful(const UndoStep& step) {
    return step.result == NoError && !step.threw;
}

} // namespace

bool UndoLastStep() {
    // The newest successful step that is not undone yet.
    auto& steps = TheModel().steps;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (Successful(*step) && !step->undone) {
            TheModel().elements = step->before;
            RestoreStories(step->storiesBefore);
            step->undone = true;
            return true;
        }
    }
    return false;
}

bool RedoStep() {
    // The earliest undone step after the last one still done.
    auto& steps = TheModel().steps;
    UndoStep* next = nullptr;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (!Successful(*step)) {
            continue;
        }
        if (!step->undone) {
            break;
        }
        next = &*step;
    }
    if (next == nullptr) {
        return false;
    }
    TheModel().elements = next->after;
    RestoreStories(next->storiesAfter);
    next->undone = false;
    return true;
}

} // namespace StandIn

using namespace StandIn;

GSErrCode ACAPI_CallUndoableCommand(const GS::UniString& undoString,
                                    const std::function<GSErrCode()>& command) {
    if (auto code = Faults::Take("ACAPI_CallUndoableCommand")) {
        return *code;
    }
    Model& model = TheModel();
    if (model.undoStepOpen) {
        return APIERR_NESTING;
    }
    UndoStep step;
    step.name = undoString;
    step.before = model.elements;
    step.storiesBefore = CurrentStories();
    model.undoStepOpen = true;
    try {
        step.result = command();
    } catch (...) {
        step.threw = true;
        step.result = APIERR_COMMANDFAILED;
    }
    model.undoStepOpen = false;
    if (step.result != NoError && model.rollBackFailedSteps) {
        model.elements = step.before;
        RestoreStories(step.storiesBefore);
        step.rolledBack = true;
    }
    step.after = model.elements;
    step.storiesAfter = CurrentStories();
    // A new step ends what could have been redone.
    std::erase_if(model.steps, [](const UndoStep& s) { return s.undone; });
    model.steps.push_back(step);
    return step.result;
}
