#include "ACAPinc.h"
#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Libraries.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/TypedHandles.hpp"
#include "StandIn/Zones.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace StandIn {

Model& TheModel() {
    static Model model;
    return model;
}

namespace {

// Positions of the elements by GUID. The element list is changed in many places (appended, erased,
// replaced by an undo), so an entry is trusted only when the element at its position still has
// that GUID; a miss indexes what was appended since, and a stale entry rebuilds the index.
struct ElementIndex {
    std::unordered_map<API_Guid, size_t, GuidHash> positions;
    size_t indexedCount = 0;

    StoredElement* Lookup(std::vector<StoredElement>& elements, const API_Guid& guid) const {
        auto found = positions.find(guid);
        if (found == positions.end() || found->second >= elements.size() ||
            !(elements[found->second].element.header.guid == guid)) {
            return nullptr;
        }
        return &elements[found->second];
    }

    void IndexFrom(const std::vector<StoredElement>& elements, size_t first) {
        for (size_t i = first; i < elements.size(); ++i) {
            positions.insert_or_assign(elements[i].element.header.guid, i);
        }
        indexedCount = elements.size();
    }

    void Rebuild(const std::vector<StoredElement>& elements) {
        positions.clear();
        IndexFrom(elements, 0);
    }
};

ElementIndex& TheElementIndex() {
    static ElementIndex index;
    return index;
}

} // namespace

StoredElement* FindElement(const API_Guid& guid) {
    auto& elements = TheModel().elements;
    ElementIndex& index = TheElementIndex();
    if (StoredElement* stored = index.Lookup(elements, guid)) {
        return stored;
    }
    if (index.indexedCount < elements.size()) {
        index.IndexFrom(elements, index.indexedCount);
        if (StoredElement* stored = index.Lookup(elements, guid)) {
            return stored;
        }
    }
    index.Rebuild(elements);
    return index.Lookup(elements, guid);
}

namespace {

std::string TypeName(API_ElemTypeID type) {
    switch (type) {
    case API_WallID:
        return "Wall";
    case API_SlabID:
        return "Slab";
    case API_ZoneID:
        return "Zone";
    case API_LineID:
        return "Line";
    case API_PolyLineID:
        return "PolyLine";
    case API_LabelID:
        return "Label";
    case API_DoorID:
        return "Door";
    case API_ObjectID:
        return "Object";
    case API_MorphID:
        return "Morph";
    case API_MeshID:
        return "Mesh";
    default:
        return std::to_string(static_cast<Int32>(type));
    }
}

// A failure armed for the call, or for the call narrowed to the element type.
std::optional<GSErrCode> FaultFor(const char* call, API_ElemTypeID type) {
    if (auto code = Faults::Take(call)) {
        return code;
    }
    return Faults::Take(std::string(call) + ":" + TypeName(type));
}

bool IsSupported(API_ElemTypeID type) {
    return type == API_WallID || type == API_SlabID || type == API_ZoneID || type == API_LineID ||
           type == API_PolyLineID || type == API_LabelID || type == API_DoorID || type == API_ObjectID ||
           type == API_MorphID || type == API_MeshID;
}

bool HasPolygonMemo(API_ElemTypeID type) {
    return type == API_SlabID || type == API_ZoneID || type == API_PolyLineID || type == API_MeshID;
}

bool Finite(const API_Coord& c) {
    return std::isfinite(c.x) && std::isfinite(c.y);
}

// The host's polygon coding: coords 1..nCoords, pends[0] = 0, pends[k] the last index of contour
// k, every contour repeating its first point exactly at its end.
GSErrCode ValidatePolygon(const API_Polygon& poly, const StoredMemo& memo, bool closedContours) {
    if (poly.nCoords < 2 || poly.nSubPolys < 1 || poly.nArcs != 0 ||
        memo.coords.size() != static_cast<size_t>(poly.nCoords) + 1 ||
        memo.pends.size() != static_cast<size_t>(poly.nSubPolys) + 1 || memo.pends[0] != 0 ||
        memo.pends.back() != poly.nCoords) {
        return APIERR_BADPOLY;
    }
    for (size_t k = 1; k < memo.pends.size(); ++k) {
        Int32 first = memo.pends[k - 1] + 1;
        Int32 last = memo.pends[k];
        if (last - first < (closedContours ? 3 : 1)) {
            return APIERR_BADPOLY;
        }
        const API_Coord& a = memo.coords[static_cast<size_t>(first)];
        const API_Coord& b = memo.coords[static_cast<size_t>(last)];
        if (closedContours && (a.x != b.x || a.y != b.y)) {
            return APIERR_BADPOLY;
        }
    }
    bool finite = std::all_of(memo.coords.begin() + 1, memo.coords.end(), Finite);
    return finite ? NoError : GSErrCode(APIERR_BADPOLY);
}

template <typename T>
bool CopyFromHandle(T** handle, std::vector<T>* out) {
    if (handle == nullptr) {
        out->clear();
        return true;
    }
    GSSize size = BMGetHandleSize(handle);
    if (size % static_cast<GSSize>(sizeof(T)) != 0) {
        return false;
    }
    out->assign(*handle, *handle + size / static_cast<GSSize>(sizeof(T)));
    return true;
}

template <typename T>
GSErrCode CopyToHandle(const std::vector<T>& items, T*** handle) {
    *handle = reinterpret_cast<T**>(
        BMAllocateHandle(static_cast<GSSize>(items.size() * sizeof(T)), ALLOCATE_CLEAR, 0));
    if (*handle == nullptr) {
        return APIERR_MEMFULL;
    }
    if (!items.empty()) {
        std::memcpy(**handle, items.data(), items.size() * sizeof(T));
    }
    return NoError;
}

template <typename T>
void CopyOwned(const T* owned, std::optional<T>* out) {
    if (owned != nullptr) {
        *out = *owned;
    }
}

// A paragraph handle and its run pointers, as the caller gives them; false for a block whose size is
// not a whole number of records.
bool CopyParagraphs(API_ParagraphType** handle, std::vector<StoredParagraph>* out) {
    std::vector<API_ParagraphType> paragraphs;
    if (!CopyFromHandle(handle, &paragraphs)) {
        return false;
    }
    out->clear();
    for (const API_ParagraphType& paragraph : paragraphs) {
        StoredParagraph stored;
        stored.paragraph = paragraph;
        stored.paragraph.run = nullptr;
        if (paragraph.run != nullptr) {
            GSSize size = BMGetPtrSize(reinterpret_cast<GSConstPtr>(paragraph.run));
            if (size % static_cast<GSSize>(sizeof(API_RunType)) != 0) {
                return false;
            }
            stored.runs.assign(paragraph.run,
                               paragraph.run + size / static_cast<GSSize>(sizeof(API_RunType)));
        }
        out->push_back(stored);
    }
    return true;
}

// Releases a paragraph handle with its run pointers.
void DisposeParagraphs(API_ParagraphType*** handle) {
    if (*handle == nullptr) {
        return;
    }
    GSSize count = BMGetHandleSize(reinterpret_cast<GSConstHandle>(*handle)) /
                   static_cast<GSSize>(sizeof(API_ParagraphType));
    for (GSSize i = 0; i < count; ++i) {
        BMKillPtr(reinterpret_cast<GSPtr*>(&(**handle)[i].run));
    }
    BMKillHandle(reinterpret_cast<GSHandle*>(handle));
}

// The stored paragraphs as a handle whose paragraphs point to their own runs.
GSErrCode ParagraphsToHandle(const std::vector<StoredParagraph>& stored, API_ParagraphType*** handle) {
    std::vector<API_ParagraphType> paragraphs;
    for (const StoredParagraph& paragraph : stored) {
        paragraphs.push_back(paragraph.paragraph);
    }
    if (GSErrCode code = CopyToHandle(paragraphs, handle)) {
        return code;
    }
    for (size_t i = 0; i < stored.size(); ++i) {
        const std::vector<API_RunType>& runs = stored[i].runs;
        GSPtr block =
            BMAllocatePtr(static_cast<GSSize>(runs.size() * sizeof(API_RunType)), ALLOCATE_CLEAR, 0);
        if (block == nullptr) {
            DisposeParagraphs(handle);
            return APIERR_MEMFULL;
        }
        if (!runs.empty()) {
            std::memcpy(block, runs.data(), runs.size() * sizeof(API_RunType));
        }
        (**handle)[i].run = reinterpret_cast<API_RunType*>(block);
    }
    return NoError;
}

// Takes the memo members that the element's type keeps.
bool ReadMemo(API_ElemTypeID type, const API_ElementMemo& memo, StoredMemo* stored) {
    if (HasPolygonMemo(type) || type == API_ObjectID) {
        if (!CopyFromHandle(memo.coords, &stored->coords) || !CopyFromHandle(memo.pends, &stored->pends) ||
            !CopyFromHandle(memo.parcs, &stored->parcs)) {
            return false;
        }
    }
    if (type == API_ObjectID && memo.params != nullptr) {
        stored->params.emplace();
        if (!CopyFromHandle(memo.params, &*stored->params)) {
            return false;
        }
    }
    if (type == API_ObjectID) {
        CopyOwned(memo.elemInfoString, &stored->elemInfoString);
    }
    if (type == API_MorphID) {
        CopyOwned(memo.morphBody, &stored->morphBody);
    }
    if (type == API_MeshID && !CopyFromHandle(memo.meshPolyZ, &stored->meshPolyZ)) {
        return false;
    }
    if (type == API_LabelID) {
        CopyOwned(memo.textContent, &stored->textContent);
        if (memo.paragraphs != nullptr && !CopyParagraphs(memo.paragraphs, &stored->paragraphs.emplace())) {
            return false;
        }
    }
    return true;
}

// Copies the members the mask names from one memo to another; the others stay as they are.
void MoveMasked(UInt64 mask, const API_ElementMemo& from, API_ElementMemo* to) {
    if ((mask & APIMemoMask_Polygon) != 0) {
        to->coords = from.coords;
        to->pends = from.pends;
        to->parcs = from.parcs;
        to->meshPolyZ = from.meshPolyZ;
    }
    if ((mask & APIMemoMask_AddPars) != 0) {
        to->params = from.params;
    }
    if ((mask & APIMemoMask_TextContent) != 0) {
        to->textContent = from.textContent;
    }
    if ((mask & APIMemoMask_Paragraph) != 0) {
        to->paragraphs = from.paragraphs;
    }
    if ((mask & APIMemoMask_ElemInfoString) != 0) {
        to->elemInfoString = from.elemInfoString;
    }
    // No mask bit names a morph's body: every memo brings it.
    to->morphBody = from.morphBody;
}

// Writes the members the mask names, as the host does: the caller's other members are left alone, so
// a memo the caller did not clear keeps what it held.
GSErrCode WriteMemo(const StoredMemo& stored, UInt64 mask, API_ElementMemo* target) {
    API_ElementMemo filled = {};
    API_ElementMemo* memo = &filled;
    GSErrCode code = NoError;
    if ((mask & APIMemoMask_Polygon) != 0 && !stored.coords.empty()) {
        code = CopyToHandle(stored.coords, &memo->coords);
        if (code == NoError) {
            code = CopyToHandle(stored.pends, &memo->pends);
        }
        if (code == NoError) {
            code = CopyToHandle(stored.parcs, &memo->parcs);
        }
        if (code == NoError && !stored.meshPolyZ.empty()) {
            code = CopyToHandle(stored.meshPolyZ, &memo->meshPolyZ);
        }
    }
    if (code == NoError && (mask & APIMemoMask_AddPars) != 0 && stored.params) {
        code = CopyToHandle(*stored.params, &memo->params);
    }
    if ((mask & APIMemoMask_TextContent) != 0 && stored.textContent) {
        memo->textContent = new GS::UniString(*stored.textContent);
    }
    if (code == NoError && (mask & APIMemoMask_Paragraph) != 0 && stored.paragraphs) {
        code = ParagraphsToHandle(*stored.paragraphs, &memo->paragraphs);
    }
    if ((mask & APIMemoMask_ElemInfoString) != 0 && stored.elemInfoString) {
        memo->elemInfoString = new GS::UniString(*stored.elemInfoString);
    }
    if (stored.morphBody) {
        memo->morphBody = new Modeler::MeshBody(*stored.morphBody);
    }
    if (code != NoError) {
        ACAPI_DisposeElemMemoHdls(memo);
    }
    MoveMasked(mask, filled, target);
    return code;
}

double WallLength(const API_WallType& wall) {
    return std::hypot(wall.endC.x - wall.begC.x, wall.endC.y - wall.begC.y);
}

// A library index the element may be placed with: a registered placeable part of the type.
bool IsPlaceablePart(Int32 libInd, API_LibTypeID type) {
    const RegisteredPart* registered = FindPart(libInd);
    return registered != nullptr && registered->part.placeable && registered->part.type == type;
}

bool HasBuildingMaterial(API_AttributeIndex index) {
    return FindAttribute(API_BuildingMaterialID, index) != nullptr;
}

// The run of the label defaults' one paragraph: pen 1 and the defaults' font and size over "Label".
API_RunType DefaultLabelRun() {
    API_RunType run = {};
    run.range = 5;
    run.pen = 1;
    run.font = LabelDefaultFont;
    run.size = 2.5;
    return run;
}

StoredMemo SquareOfSide(double side) {
    StoredMemo memo;
    memo.coords = {{0, 0}, {0, 0}, {side, 0}, {side, side}, {0, side}, {0, 0}};
    memo.pends = {0, 5};
    return memo;
}

// The boundary of a zone whose "manual" is off comes from the walls; its given polygon is unused.
GSErrCode CreateAutomaticZone(API_Element* zone, StoredMemo* memo) {
    if (auto code = Faults::Take("ACAPI_Element_Create:Zone:Automatic")) {
        return *code;
    }
    if (!zone->zone.refLineFlag) {
        if (auto code = Faults::Take("ACAPI_Element_Create:Zone:InnerEdge")) {
            return *code;
        }
    }
    return DetectZonePolygon(zone, memo);
}

// Every edge joins existing vertices, every polygon edge names an existing edge or is 0.
GSErrCode ValidateMorph(const API_MorphType& morph, const StoredMemo& memo) {
    if (!std::all_of(std::begin(morph.tranmat.tmx), std::end(morph.tranmat.tmx),
                     [](double v) { return std::isfinite(v); })) {
        return APIERR_BADPARS;
    }
    if (!memo.morphBody) {
        return NoError; // a morph without a body, as a damaged project can hold
    }
    const Modeler::MeshBody& body = *memo.morphBody;
    for (UInt32 k = 0; k < body.GetEdgeCount(); ++k) {
        const EDGE& edge = body.GetConstEdge(k);
        if (static_cast<UInt32>(edge.vert1) >= body.GetVertexCount() ||
            static_cast<UInt32>(edge.vert2) >= body.GetVertexCount()) {
            return APIERR_BADPARS;
        }
    }
    for (UInt32 j = 0; j < body.GetPolyEdgeCount(); ++j) {
        if (static_cast<UInt32>(std::abs(body.GetConstPolyEdge(j))) > body.GetEdgeCount()) {
            return APIERR_BADPARS;
        }
    }
    for (UInt32 i = 0; i < body.GetVertexCount(); ++i) {
        const VERT& v = body.GetConstVertex(i);
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) {
            return APIERR_BADPARS;
        }
    }
    return NoError;
}

} // namespace

ElementDefaults DefaultsOf(API_ElemTypeID type) {
    ElementDefaults defaults;
    API_Element& element = defaults.element;
    element.header.type = API_ElemType(type);
    element.header.layer = ACAPI_CreateAttributeIndex(1);
    element.header.floorInd = TheModel().activeStory;
    switch (type) {
    case API_WallID:
        element.wall.buildingMaterial = ACAPI_CreateAttributeIndex(1);
        element.wall.thickness = 0.3;
        element.wall.height = 3.0;
        element.wall.endC = {1.0, 0.0};
        element.wall.referenceLineLocation = APIWallRefLine_Center;
        break;
    case API_SlabID:
        element.slab.buildingMaterial = ACAPI_CreateAttributeIndex(1);
        element.slab.thickness = 0.2;
        // The defaults carry a polygon, so callers that replace it must release it.
        defaults.memo = SquareOfSide(1.0);
        element.slab.poly = {5, 1, 0};
        break;
    case API_ZoneID:
        element.zone.catInd = ACAPI_CreateAttributeIndex(1);
        element.zone.manual = true;
        element.zone.roomHeight = 2.7;
        defaults.memo = SquareOfSide(1.0);
        element.zone.poly = {5, 1, 0};
        break;
    case API_LabelID:
        element.label.labelClass = APILblClass_Text;
        element.label.createAtDefaultPosition = true;
        element.label.u.text.anchor = APIAnc_LT;
        element.label.u.text.angle = 0.0;
        element.label.u.text.font = LabelDefaultFont;
        element.label.u.text.size = 2.5;
        element.label.u.text.pen = 1;
        // Label defaults already hold a text, so callers that set their own must release it.
        defaults.memo.textContent = GS::UniString("Label");
        defaults.memo.paragraphs = std::vector<StoredParagraph>(1);
        defaults.memo.paragraphs->front().paragraph.range = 5;
        defaults.memo.paragraphs->front().paragraph.just = APIJust_Left;
        defaults.memo.paragraphs->front().runs.push_back(DefaultLabelRun());
        break;
    case API_DoorID:
        element.door.openingBase.libInd = TheModel().defaultDoorLibInd;
        element.door.openingBase.width = 0.9;
        element.door.openingBase.height = 2.1;
        break;
    case API_ObjectID:
        element.object.libInd = 1;
        defaults.memo.params = TheModel().defaultObjectParams;
        break;
    case API_MeshID:
        defaults.memo = SquareOfSide(1.0);
        defaults.memo.meshPolyZ.assign(defaults.memo.coords.size(), 0.0);
        element.mesh.poly = {5, 1, 0};
        break;
    case API_MorphID:
        element.morph.tranmat = IdentityTranmat();
        // A cube of 1 m, as a morph drawn by default.
        defaults.memo.morphBody = MeshBodyOf(Prism({{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}}, 0, 1, 1));
        break;
    default:
        break;
    }
    return defaults;
}

GSErrCode ValidateElement(const API_Element& element, const StoredMemo* memo) {
    static const StoredMemo noMemo;
    const StoredMemo& given = memo != nullptr ? *memo : noMemo;
    switch (element.header.type.typeID) {
    case API_WallID: {
        const API_WallType& wall = element.wall;
        bool sound = HasBuildingMaterial(wall.buildingMaterial) && wall.thickness > 0 && wall.height > 0 &&
                     std::isfinite(wall.thickness) && std::isfinite(wall.height) && Finite(wall.begC) &&
                     Finite(wall.endC) && (wall.begC.x != wall.endC.x || wall.begC.y != wall.endC.y);
        return sound ? NoError : GSErrCode(APIERR_BADPARS);
    }
    case API_SlabID:
        if (!HasBuildingMaterial(element.slab.buildingMaterial) || !(element.slab.thickness > 0)) {
            return APIERR_BADPARS;
        }
        return ValidatePolygon(element.slab.poly, given, true);
    case API_ZoneID:
        return ValidatePolygon(element.zone.poly, given, true);
    case API_LineID:
        return Finite(element.line.begC) && Finite(element.line.endC) ? NoError : GSErrCode(APIERR_BADPARS);
    case API_PolyLineID:
        return ValidatePolygon(element.polyLine.poly, given, false);
    case API_LabelID: {
        const StoredElement* parent = FindElement(element.label.parent);
        bool zoneParent = parent != nullptr && parent->element.header.type.typeID == API_ZoneID &&
                          element.label.parentType == API_ZoneID;
        return zoneParent && Finite(element.label.begC) ? NoError : GSErrCode(APIERR_BADPARS);
    }
    case API_DoorID: {
        const StoredElement* owner = FindElement(element.door.owner);
        if (owner == nullptr || owner->element.header.type.typeID != API_WallID) {
            return APIERR_BADPARS;
        }
        const API_OpeningBaseType& base = element.door.openingBase;
        bool sound = (base.libInd == 0 || IsPlaceablePart(base.libInd, APILib_DoorID)) && base.width > 0 &&
                     base.height > 0 && element.door.objLoc >= 0 &&
                     element.door.objLoc <= WallLength(owner->element.wall) &&
                     element.header.floorInd == owner->element.header.floorInd;
        return sound ? NoError : GSErrCode(APIERR_BADPARS);
    }
    case API_ObjectID:
        return IsPlaceablePart(element.object.libInd, APILib_ObjectID) && Finite(element.object.pos) &&
                       std::isfinite(element.object.angle)
                   ? NoError
                   : GSErrCode(APIERR_BADPARS);
    case API_MorphID:
        return ValidateMorph(element.morph, given);
    case API_MeshID: {
        bool heights = given.meshPolyZ.size() == given.coords.size() &&
                       std::all_of(given.meshPolyZ.begin(), given.meshPolyZ.end(),
                                   [](double z) { return std::isfinite(z); });
        return heights && std::isfinite(element.mesh.level) ? ValidatePolygon(element.mesh.poly, given, true)
                                                            : APIERR_BADPOLY;
    }
    default:
        return APIERR_BADPARS;
    }
}

GSErrCode PlantElement(API_Element* element, const StoredMemo* memo) {
    if (GSErrCode code = ValidateElement(*element, memo)) {
        return code;
    }
    if (element->header.guid == APINULLGuid || FindElement(element->header.guid) != nullptr) {
        element->header.guid = GSGuid2APIGuid(GS::Guid(GS::Guid::GenerateGuid));
    }
    BeforeElementChange(element->header.guid);
    StoredElement stored;
    stored.element = *element;
    if (memo != nullptr) {
        stored.memo = *memo;
    }
    stored.sequence = ++TheModel().lastSequence;
    TheModel().elements.push_back(stored);
    Model3DChanged();
    return NoError;
}

API_AddParType LengthParameter(const char* name, double value) {
    API_AddParType parameter = {};
    parameter.typeID = APIParT_Length;
    std::strncpy(parameter.name, name, API_NameLen - 1);
    parameter.value.real = value;
    return parameter;
}

std::vector<API_AddParType> StandardObjectParameters() {
    return {LengthParameter("A", 1.0), LengthParameter("B", 1.0), LengthParameter("ZZYZX", 1.0)};
}

API_Guid GroupElements(const std::vector<API_Guid>& members) {
    API_Guid group = GSGuid2APIGuid(GS::Guid(GS::Guid::GenerateGuid));
    for (const API_Guid& member : members) {
        if (StoredElement* stored = FindElement(member)) {
            stored->element.header.groupGuid = group;
        }
    }
    return group;
}

} // namespace StandIn

using namespace StandIn;

GSErrCode ACAPI_Element_GetDefaults(API_Element* element, API_ElementMemo* memo) {
    API_ElemTypeID type = element->header.type.typeID;
    if (auto code = FaultFor("ACAPI_Element_GetDefaults", type)) {
        return *code;
    }
    if (!IsSupported(type)) {
        return APIERR_BADID;
    }
    ElementDefaults defaults = DefaultsOf(type);
    defaults.element.header.type = element->header.type;
    *element = defaults.element;
    return memo != nullptr ? WriteMemo(defaults.memo, APIMemoMask_All, memo) : NoError;
}

GSErrCode ACAPI_Element_Create(API_Element* element, API_ElementMemo* memo) {
    API_ElemTypeID type = element->header.type.typeID;
    if (auto code = FaultFor("ACAPI_Element_Create", type)) {
        return *code;
    }
    if (!TheModel().undoStepOpen) {
        return APIERR_NEEDSUNDOSCOPE;
    }
    StoredMemo stored;
    bool withMemo = memo != nullptr && (HasPolygonMemo(type) || type == API_ObjectID || type == API_LabelID ||
                                        type == API_MorphID);
    if (withMemo && !ReadMemo(type, *memo, &stored)) {
        return APIERR_BADPOLY;
    }
    API_Element created = *element;
    created.header.guid = APINULLGuid;
    if (type == API_ZoneID && !created.zone.manual) {
        withMemo = true;
        if (GSErrCode code = CreateAutomaticZone(&created, &stored)) {
            return code;
        }
    }
    if (GSErrCode code = PlantElement(&created, withMemo ? &stored : nullptr)) {
        return code;
    }
    element->header.guid = created.header.guid;
    return NoError;
}

GSErrCode ACAPI_Element_Get(API_Element* element, UInt32 /*mask*/) {
    StoredElement* stored = FindElement(element->header.guid);
    if (auto code = FaultFor("ACAPI_Element_Get",
                             stored != nullptr ? stored->element.header.type.typeID : API_ZombieElemID)) {
        return *code;
    }
    if (stored == nullptr) {
        return APIERR_BADID;
    }
    *element = stored->element;
    return NoError;
}

GSErrCode ACAPI_Element_GetHeader(API_Elem_Head* header, UInt32 /*mask*/) {
    if (auto code = Faults::Take("ACAPI_Element_GetHeader")) {
        return *code;
    }
    StoredElement* stored = FindElement(header->guid);
    if (stored == nullptr) {
        return APIERR_BADID;
    }
    *header = stored->element.header;
    return NoError;
}

GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask) {
    StoredElement* stored = FindElement(guid);
    if (auto code = FaultFor("ACAPI_Element_GetMemo",
                             stored != nullptr ? stored->element.header.type.typeID : API_ZombieElemID)) {
        return *code;
    }
    if (stored == nullptr) {
        return APIERR_BADID;
    }
    return WriteMemo(stored->memo ? *stored->memo : StoredMemo(), mask, memo);
}

GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo) {
    Faults::Count("ACAPI_DisposeElemMemoHdls");
    if (memo == nullptr) {
        return NoError;
    }
    BMKillHandle(&memo->coords);
    BMKillHandle(&memo->pends);
    BMKillHandle(&memo->parcs);
    BMKillHandle(&memo->params);
    BMKillHandle(&memo->meshPolyZ);
    DisposeParagraphs(&memo->paragraphs);
    delete memo->textContent;
    delete memo->elemInfoString;
    delete memo->morphBody;
    memo->morphBody = nullptr;
    memo->textContent = nullptr;
    memo->elemInfoString = nullptr;
    return NoError;
}

GSErrCode ACAPI_Element_Delete(const GS::Array<API_Guid>& guids) {
    if (auto code = Faults::Take("ACAPI_Element_Delete")) {
        return *code;
    }
    if (!TheModel().undoStepOpen) {
        return APIERR_NEEDSUNDOSCOPE;
    }
    for (const API_Guid& guid : guids) {
        if (FindElement(guid) == nullptr) {
            return APIERR_BADID;
        }
    }
    auto& elements = TheModel().elements;
    for (const API_Guid& guid : guids) {
        BeforeElementChange(guid);
    }
    for (const StoredElement& stored : elements) {
        if (std::any_of(stored.solidLinks.begin(), stored.solidLinks.end(),
                        [&](const SolidLink& link) { return guids.Contains(link.operatorGuid); })) {
            BeforeElementChange(stored.element.header.guid);
        }
    }
    std::erase_if(elements,
                  [&](const StoredElement& stored) { return guids.Contains(stored.element.header.guid); });
    std::erase_if(TheModel().selection, [&](const API_Guid& guid) { return guids.Contains(guid); });
    for (StoredElement& stored : elements) {
        std::erase_if(stored.solidLinks,
                      [&](const SolidLink& link) { return guids.Contains(link.operatorGuid); });
    }
    Model3DChanged();
    return NoError;
}

GSErrCode ACAPI_Element_GetElemList(const API_ElemType& type, GS::Array<API_Guid>* guids,
                                    API_ElemFilterFlags /*filterBits*/,
                                    const API_Guid& /*renovationFilterGuid*/) {
    if (auto code = FaultFor("ACAPI_Element_GetElemList", type.typeID)) {
        return *code;
    }
    guids->Clear();
    for (const StoredElement& stored : TheModel().elements) {
        const API_ElemType& own = stored.element.header.type;
        if (own.typeID == type.typeID &&
            (type.variationID == APIVarId_Generic || own.variationID == type.variationID)) {
            guids->Push(stored.element.header.guid);
        }
    }
    return NoError;
}

GSErrCode ACAPI_Element_NeigToCoord(API_Neig* neig, API_Coord3D* c1, API_Coord3D* c2) {
    if (auto code = Faults::Take("ACAPI_Element_NeigToCoord")) {
        return *code;
    }
    const StoredElement* stored = FindElement(neig->guid);
    if (stored == nullptr || stored->element.header.type.typeID != API_ObjectID) {
        return APIERR_BADPARS;
    }
    const API_ObjectType& object = stored->element.object;
    *c1 = {object.pos.x, object.pos.y, object.level};
    if (c2 != nullptr) {
        *c2 = *c1;
    }
    return NoError;
}

GSErrCode ACAPI_Grouping_GetRootGroup(const API_Guid& elemGuid, API_Guid* rootGroupGuid) {
    if (auto code = Faults::Take("ACAPI_Grouping_GetRootGroup")) {
        return *code;
    }
    if (rootGroupGuid == nullptr) {
        return APIERR_BADPARS;
    }
    if (const StoredElement* stored = FindElement(elemGuid)) {
        *rootGroupGuid = stored->element.header.groupGuid;
        return NoError;
    }
    const bool isGroup =
        elemGuid != APINULLGuid &&
        std::any_of(TheModel().elements.begin(), TheModel().elements.end(),
                    [&](const StoredElement& stored) { return stored.element.header.groupGuid == elemGuid; });
    if (!isGroup) {
        return APIERR_BADID;
    }
    *rootGroupGuid = elemGuid;
    return NoError;
}

GSErrCode ACAPI_Grouping_GetAllGroupedElems(const API_Guid& groupGuid, GS::Array<API_Guid>* members) {
    if (auto code = Faults::Take("ACAPI_Grouping_GetAllGroupedElems")) {
        return *code;
    }
    if (members == nullptr) {
        return APIERR_BADPARS;
    }
    members->Clear();
    if (groupGuid == APINULLGuid) {
        return APIERR_BADID;
    }
    for (const StoredElement& stored : TheModel().elements) {
        if (stored.element.header.groupGuid == groupGuid) {
            members->Push(stored.element.header.guid);
        }
    }
    return members->IsEmpty() ? GSErrCode(APIERR_BADID) : NoError;
}
