#include "ACAPinc.h"
#include "StandIn/Faults.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/Project.hpp"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

namespace StandIn {

namespace {

// The step being recorded, and where each element it touched is in its list of changes.
struct OpenStep {
    UndoStep step;
    std::unordered_map<API_Guid, size_t, GuidHash> touched;
};

OpenStep& TheOpenStep() {
    static OpenStep open;
    return open;
}

bool Successful(const UndoStep& step) {
    return step.result == NoError && !step.threw;
}

bool BySequence(const StoredElement& a, const StoredElement& b) {
    return a.sequence < b.sequence;
}

// Leaves the state one side of the changes holds for the other's: the elements the step touched
// leave the list and come back as the other side has them, each at its place in creation order.
void PutElements(const std::vector<ElementChange>& changes, bool toBefore) {
    std::unordered_set<API_Guid, GuidHash> leaving;
    std::vector<StoredElement> arriving;
    for (const ElementChange& change : changes) {
        const std::optional<StoredElement>& from = toBefore ? change.after : change.before;
        const std::optional<StoredElement>& to = toBefore ? change.before : change.after;
        if (from) {
            leaving.insert(change.guid);
        }
        if (to) {
            arriving.push_back(*to);
        }
    }
    std::vector<StoredElement>& elements = TheModel().elements;
    std::erase_if(elements, [&](const StoredElement& stored) {
        return leaving.count(stored.element.header.guid) != 0;
    });
    std::sort(arriving.begin(), arriving.end(), BySequence);
    std::vector<StoredElement> merged;
    merged.reserve(elements.size() + arriving.size());
    std::merge(std::make_move_iterator(elements.begin()), std::make_move_iterator(elements.end()),
               std::make_move_iterator(arriving.begin()), std::make_move_iterator(arriving.end()),
               std::back_inserter(merged), BySequence);
    elements = std::move(merged);
}

void PutStep(const UndoStep& step, bool toBefore) {
    PutElements(step.elements, toBefore);
    RestoreStories(toBefore ? step.storiesBefore : step.storiesAfter);
    const std::optional<AttributeTables>& attributes =
        toBefore ? step.attributesBefore : step.attributesAfter;
    if (attributes) {
        Attributes() = *attributes;
    }
    const std::optional<LibraryContents>& libraries = toBefore ? step.librariesBefore : step.librariesAfter;
    if (libraries) {
        RestoreLibraryContents(*libraries);
    }
    Model3DChanged();
}

// What the touched elements, attributes and libraries are as the step leaves them.
void CloseStep(UndoStep& step) {
    for (ElementChange& change : step.elements) {
        if (const StoredElement* stored = FindElement(change.guid)) {
            change.after = *stored;
        }
    }
    // An element made and deleted inside the step left nothing to take back.
    std::erase_if(step.elements, [](const ElementChange& change) { return !change.before && !change.after; });
    step.storiesAfter = CurrentStories();
    if (step.attributesBefore) {
        step.attributesAfter = Attributes();
    }
    if (step.librariesBefore) {
        step.librariesAfter = CurrentLibraryContents();
    }
}

} // namespace

void BeforeElementChange(const API_Guid& guid) {
    OpenStep& open = TheOpenStep();
    if (!TheModel().undoStepOpen || open.touched.count(guid) != 0) {
        return;
    }
    ElementChange change;
    change.guid = guid;
    if (const StoredElement* stored = FindElement(guid)) {
        change.before = *stored;
    }
    open.touched.emplace(guid, open.step.elements.size());
    open.step.elements.push_back(std::move(change));
}

void BeforeAttributeChange() {
    UndoStep& step = TheOpenStep().step;
    if (TheModel().undoStepOpen && !step.attributesBefore) {
        step.attributesBefore = Attributes();
    }
}

void BeforeLibraryChange() {
    UndoStep& step = TheOpenStep().step;
    if (TheModel().undoStepOpen && !step.librariesBefore) {
        step.librariesBefore = CurrentLibraryContents();
    }
}

bool UndoLastStep() {
    // The newest successful step that is not undone yet.
    auto& steps = TheModel().steps;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (Successful(*step) && !step->undone) {
            PutStep(*step, true);
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
    PutStep(*next, false);
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
    OpenStep& open = TheOpenStep();
    open = OpenStep();
    open.step.name = undoString;
    open.step.storiesBefore = CurrentStories();
    model.undoStepOpen = true;
    try {
        open.step.result = command();
    } catch (...) {
        open.step.threw = true;
        open.step.result = APIERR_COMMANDFAILED;
    }
    model.undoStepOpen = false;
    UndoStep step = std::move(open.step);
    open = OpenStep();
    CloseStep(step);
    if (step.result != NoError && model.rollBackFailedSteps) {
        PutStep(step, true);
        step.rolledBack = true;
    }
    // A new step ends what could have been redone.
    std::erase_if(model.steps, [](const UndoStep& s) { return s.undone; });
    const GSErrCode result = step.result;
    model.steps.push_back(std::move(step));
    return result;
}
