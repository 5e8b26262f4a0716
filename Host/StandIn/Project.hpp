#pragma once

#include "ACAPinc.h"
#include "StandIn/Attributes.hpp"
#include "StandIn/Body3D.hpp"
#include "StandIn/Libraries.hpp"
#include "StandIn/Stories.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The in-memory model: elements in creation order with their memos, and the undo history.
namespace StandIn {

struct GuidHash {
    size_t operator()(const API_Guid& guid) const {
        return std::hash<std::string_view>{}(
            std::string_view(reinterpret_cast<const char*>(&guid), sizeof(API_Guid)));
    }
};

// A paragraph of a text memo with its runs; the record's run pointer stays null here.
struct StoredParagraph {
    API_ParagraphType paragraph = {};
    std::vector<API_RunType> runs;
};

struct StoredMemo {
    std::vector<API_Coord> coords; // entry 0 unused, as the host codes polygons
    std::vector<Int32> pends;
    std::vector<API_PolyArc> parcs;
    std::optional<std::vector<API_AddParType>> params;
    std::optional<GS::UniString> textContent;
    std::optional<std::vector<StoredParagraph>> paragraphs;
    std::optional<GS::UniString> elemInfoString;
    std::optional<Modeler::MeshBody> morphBody;
    std::vector<double> meshPolyZ; // entry 0 unused, as the coordinates
};

struct StoredPropertyValue {
    API_Guid definition = {};
    API_PropertyValue value;
};

// A solid element operation on the element that holds it, the target.
struct SolidLink {
    API_Guid operatorGuid = {};
    Int32 operation = 0;
    GSFlags flags = 0;
};

struct StoredElement {
    API_Element element = {};
    std::optional<StoredMemo> memo;
    // Values written to the element; a property without one has its default.
    std::vector<StoredPropertyValue> propertyValues;
    // Bodies a project file or a test gives; without them the host generates them.
    std::optional<std::vector<Body3D>> bodies;
    std::vector<SolidLink> solidLinks;
    // Creation order: the element list stays sorted by it, so an undo puts an element back where it was.
    std::uint64_t sequence = 0;
};

// An element an undoable step touched: as the step found it and as it left it.
struct ElementChange {
    API_Guid guid = {};
    std::optional<StoredElement> before; // none: the step made it
    std::optional<StoredElement> after;  // none: the step deleted it
};

struct UndoStep {
    GS::UniString name;
    GSErrCode result = 0;
    bool threw = false;
    bool rolledBack = false;
    bool undone = false;
    // What the step changed, and nothing else, so that a step costs what it did.
    std::vector<ElementChange> elements;
    StoryStructure storiesBefore;
    StoryStructure storiesAfter;
    std::optional<AttributeTables> attributesBefore; // only when the step changed attributes
    std::optional<AttributeTables> attributesAfter;
    std::optional<LibraryContents> librariesBefore; // only when the step changed the libraries
    std::optional<LibraryContents> librariesAfter;
};

// An answer to point input: a point (code 0), a cancel (APIERR_CANCEL) or another error.
struct PointAnswer {
    GSErrCode code = 0;
    API_Coord3D pos = {};
};

// The font of label defaults (text and paragraph run), not 1, so that a caller that takes another
// font instead of the defaults' shows.
constexpr short LabelDefaultFont = 7;

struct ElementDefaults {
    API_Element element = {};
    StoredMemo memo;
};

HOST_API API_AddParType LengthParameter(const char* name, double value);
// A, B and ZZYZX as length parameters (1 m each), as object defaults hold them.
HOST_API std::vector<API_AddParType> StandardObjectParameters();

struct Model {
    std::vector<StoredElement> elements;
    std::vector<API_Guid> selection;
    // The marquee's corners; empty when there is no marquee.
    std::vector<API_Coord> marquee;
    short activeStory = 0;
    std::vector<UndoStep> steps;
    bool undoStepOpen = false;
    std::uint64_t lastSequence = 0;
    // Off: a failed step keeps its changes (it is still recorded as failed).
    bool rollBackFailedSteps = true;
    // What the door and object defaults hold; tests change them.
    Int32 defaultDoorLibInd = 0;
    std::optional<std::vector<API_AddParType>> defaultObjectParams = StandardObjectParameters();
    std::vector<PointAnswer> pointAnswers;
    std::vector<GS::UniString> pointPrompts;
    Int32 unansweredPointRequests = 0;
};

HOST_API Model& TheModel();
HOST_API StoredElement* FindElement(const API_Guid& guid);

// The type's default record and memo, as a new project has them.
HOST_API ElementDefaults DefaultsOf(API_ElemTypeID type);

// Checks a record and memo the way creation does; 0 when they may be stored.
HOST_API GSErrCode ValidateElement(const API_Element& element, const StoredMemo* memo);

// Puts an element into the model without an undo step, as tests and project files plant them.
// A null GUID gets a fresh one. Returns the validation code; nothing is stored on failure.
HOST_API GSErrCode PlantElement(API_Element* element, const StoredMemo* memo);

// Puts the elements into one new group and returns its GUID.
HOST_API API_Guid GroupElements(const std::vector<API_Guid>& members);

// Inside an undoable step, each change tells the step first what it is about to change, so that the
// step can be taken back; outside one they do nothing.
HOST_API void BeforeElementChange(const API_Guid& guid);
HOST_API void BeforeAttributeChange();
HOST_API void BeforeLibraryChange();

// The driver's undo and redo of successful steps; false when there is none to undo or redo.
HOST_API bool UndoLastStep();
HOST_API bool RedoStep();

// Selection in the order the driver selected; each change notifies the add-on.
HOST_API void SelectElements(const std::vector<API_Guid>& guids);
HOST_API void AddToSelection(const API_Guid& guid);
HOST_API void ClearSelection();
// A polygonal marquee through the corners (not repeated at the end); none for no corners. It does not
// change which elements are selected.
HOST_API void SetMarquee(const std::vector<API_Coord>& corners);

HOST_API void QueuePointAnswer(const PointAnswer& answer);
HOST_API const std::vector<GS::UniString>& PointPrompts();
HOST_API Int32 UnansweredPointRequests();

} // namespace StandIn
