#pragma once

#include "API_Guid.hpp"
#include "APIdefs_Base.h"
#include "APIdefs_Environment.h"
#include "GSRoot.hpp"
#include "Model3D/MeshBody.hpp"

// Element records: the fields of the host's records that the stand-in keeps, in the host's order.

typedef enum {
    API_ZombieElemID = 0,
    API_WallID = 1,
    API_ColumnID = 2,
    API_BeamID = 3,
    API_WindowID = 4,
    API_DoorID = 5,
    API_ObjectID = 6,
    API_LampID = 7,
    API_SlabID = 8,
    API_RoofID = 9,
    API_MeshID = 10,
    API_DimensionID = 11,
    API_RadialDimensionID = 12,
    API_LevelDimensionID = 13,
    API_AngleDimensionID = 14,
    API_TextID = 15,
    API_LabelID = 16,
    API_ZoneID = 17,
    API_HatchID = 18,
    API_LineID = 19,
    API_PolyLineID = 20,
    API_ArcID = 21,
    API_CircleID = 22,
    API_SplineID = 23,
    API_HotspotID = 24,
    API_CutPlaneID = 25,
    API_CameraID = 26,
    API_CamSetID = 27,
    API_GroupID = 28,
    API_SectElemID = 29,
    API_DrawingID = 30,
    API_PictureID = 31,
    API_DetailID = 32,
    API_ElevationID = 33,
    API_InteriorElevationID = 34,
    API_WorksheetID = 35,
    API_HotlinkID = 36,
    API_CurtainWallID = 37,
    API_CurtainWallSegmentID = 38,
    API_CurtainWallFrameID = 39,
    API_CurtainWallPanelID = 40,
    API_CurtainWallJunctionID = 41,
    API_CurtainWallAccessoryID = 42,
    API_ShellID = 43,
    API_SkylightID = 44,
    API_MorphID = 45,
    API_ChangeMarkerID = 46,
    API_StairID = 47,
    API_RiserID = 48,
    API_TreadID = 49,
    API_StairStructureID = 50,
    API_RailingID = 51,
    API_OpeningID = 72,
    API_ExternalElemID = 150
} API_ElemTypeID;

typedef enum {
    APIVarId_Generic = 0,
    APIVarId_WallEnd = 'WAEN',
    APIVarId_Door = 'DOOR',
    APIVarId_Skylight = 'SKYL',
    APIVarId_Object = 'SYMB',
    APIVarId_GridElement = 'GREL',
    APIVarId_Light = 'LIGH',
    APIVarId_CornerWindow = 'CRWD',
} API_ElemVariationID;

// A type, its variation and, for external elements, their class. Like the other records, it starts
// uninitialised; "= {}" clears it.
struct API_ElemType {
    API_ElemTypeID typeID;
    API_ElemVariationID variationID;
    API_Guid classID;

    API_ElemType() = default;
    API_ElemType(API_ElemTypeID typeID)
        : typeID(typeID), variationID(APIVarId_Generic), classID(APINULLGuid) {}
    API_ElemType(API_ElemTypeID typeID, API_ElemVariationID variationID)
        : typeID(typeID), variationID(variationID), classID(APINULLGuid) {}
    API_ElemType(const API_Guid& classID)
        : typeID(API_ExternalElemID), variationID(APIVarId_Generic), classID(classID) {}

    API_ElemType& operator=(API_ElemTypeID newTypeID) {
        typeID = newTypeID;
        variationID = APIVarId_Generic;
        classID = APINULLGuid;
        return *this;
    }
    API_ElemType& operator=(const API_Guid& newClassID) {
        typeID = API_ExternalElemID;
        variationID = APIVarId_Generic;
        classID = newClassID;
        return *this;
    }

    bool operator==(const API_ElemType& other) const {
        return typeID == other.typeID && variationID == other.variationID && classID == other.classID;
    }
    bool operator!=(const API_ElemType& other) const { return !operator==(other); }
    bool operator==(API_ElemTypeID otherTypeID) const { return typeID == otherTypeID; }
    bool operator!=(API_ElemTypeID otherTypeID) const { return !operator==(otherTypeID); }
    bool operator==(const API_Guid& otherClassID) const { return classID == otherClassID; }
    bool operator!=(const API_Guid& otherClassID) const { return !operator==(otherClassID); }
};

inline bool operator==(API_ElemTypeID typeID, const API_ElemType& elemType) {
    return elemType == typeID;
}
inline bool operator!=(API_ElemTypeID typeID, const API_ElemType& elemType) {
    return elemType != typeID;
}
inline bool operator==(const API_Guid& classID, const API_ElemType& elemType) {
    return elemType == classID;
}
inline bool operator!=(const API_Guid& classID, const API_ElemType& elemType) {
    return elemType != classID;
}

// The header every element's record starts with, so that API_Element::header and each part's head
// are the same bytes.
struct API_Elem_Head {
    API_ElemType type;
    API_Guid guid;
    API_Guid groupGuid;
    short floorInd;
    API_AttributeIndex layer;
};

typedef enum { API_BasicStructure, API_CompositeStructure, API_ProfileStructure } API_ModelElemStructureType;

typedef enum {
    APIWallRefLine_Outside = 0,
    APIWallRefLine_Center,
    APIWallRefLine_Inside,
    APIWallRefLine_CoreOutside,
    APIWallRefLine_CoreCenter,
    APIWallRefLine_CoreInside
} API_WallReferenceLineLocationID;

struct API_WallType {
    API_Elem_Head head;
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    API_AttributeIndex profileAttr;
    bool polyCanChange;
    bool flipped;
    API_WallReferenceLineLocationID referenceLineLocation;
    double height;
    double bottomOffset;
    double topOffset;
    double thickness;
    double offset;
    API_Coord begC;
    API_Coord endC;
};

struct API_SlabType {
    API_Elem_Head head;
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    double thickness;
    double level;
    API_Polygon poly;
};

struct API_ZoneType {
    API_Elem_Head head;
    API_AttributeIndex catInd;
    bool manual;
    bool refLineFlag;
    GS::uchar_t roomName[API_UniLongNameLen];
    double roomHeight;
    API_Polygon poly;
    API_Coord pos;
    API_Coord refPos;
};

struct API_LineType {
    API_Elem_Head head;
    API_Coord begC;
    API_Coord endC;
};

struct API_PolyLineType {
    API_Elem_Head head;
    API_Polygon poly;
};

typedef enum {
    APIAnc_LT,
    APIAnc_MT,
    APIAnc_RT,
    APIAnc_LM,
    APIAnc_MM,
    APIAnc_RM,
    APIAnc_LB,
    APIAnc_MB,
    APIAnc_RB
} API_AnchorID;

typedef enum { APIJust_Left = 0, APIJust_Center, APIJust_Right, APIJust_Full } API_JustID;

struct API_TextType {
    API_Elem_Head head;
    short pen;
    short font;
    API_AnchorID anchor;
    API_JustID just;
    double size;
    double spacing;
    double angle;
};

struct API_OpeningBaseType {
    double width;
    double height;
    Int32 libInd; // 0: an opening without a library part
    bool reflected;
    bool oSide;
    bool refSide;
};

// Windows and doors share the record.
struct API_WindowType {
    API_Elem_Head head;
    API_OpeningBaseType openingBase;
    API_Guid owner; // the wall
    double objLoc;  // distance from the wall's begin point, m
};

using API_DoorType = API_WindowType;

struct API_ObjectType {
    API_Elem_Head head;
    bool reflected;
    double angle;
    double level;
    Int32 libInd;
    API_Coord pos;
};

typedef enum { APILblClass_Text = 'TEXT', APILblClass_Symbol = 'SYMB' } API_LblClassID;

struct API_LabelType {
    union {
        API_Elem_Head head;
        API_TextType text;
        API_ObjectType symbol;
    } u;
    API_LblClassID labelClass;
    API_ElemType parentType;
    API_Guid parent;
    API_Coord begC;
    API_Coord midC;
    API_Coord endC;
    bool createAtDefaultPosition;
};

// A mesh: a polygon whose points have their own heights (the memo's meshPolyZ, above level).
struct API_MeshType {
    API_Elem_Head head;
    double level;
    API_Polygon poly;
};

// A morph's geometry is the body in its memo, placed by the element's matrix.
struct API_MorphType {
    API_Elem_Head head;
    API_Tranmat tranmat;
};

// As the host's: every part starts with the header, so header and the part's head are one.
union API_Element {
    API_Elem_Head header;
    API_WallType wall;
    API_WindowType window;
    API_DoorType door;
    API_ObjectType object;
    API_SlabType slab;
    API_MeshType mesh;
    API_TextType text;
    API_LabelType label;
    API_ZoneType zone;
    API_LineType line;
    API_PolyLineType polyLine;
    API_MorphType morph;
};

enum API_AddParID : Int32 {
    APIParT_Integer = 1,
    APIParT_Length = 2,
    APIParT_Angle = 3,
    APIParT_RealNum = 4,
    APIParT_Boolean = 5,
    APIParT_CString = 6,
};

#define API_UAddParStrLen 256

struct API_AddParType {
    API_AddParID typeID;
    char name[API_NameLen];
    union {
        double real;
        GS::uchar_t uStr[API_UAddParStrLen];
        GSHandle array;
    } value;
};

struct API_RunType {
    Int32 from;
    Int32 range;
    short pen;
    unsigned short faceBits;
    short font;
    unsigned short effectBits;
    double size;
};

// A paragraph's runs are a pointer block (BMAllocatePtr) holding as many runs as its size takes.
struct API_ParagraphType {
    Int32 from;
    Int32 range;
    API_JustID just;
    double spacing;
    API_RunType* run;
};

// Memo members the caller asks for, and which the host fills or takes. The stand-in gives a mesh's
// heights with the polygon; no bit names a morph's body, which every memo brings.
#define APIMemoMask_Polygon 0x0000000000000001
#define APIMemoMask_AddPars 0x0000000000000004
#define APIMemoMask_TextContent 0x0000000000000080
#define APIMemoMask_Paragraph 0x0000000000000100
#define APIMemoMask_FromFloorplan 0x0000000040000000
#define APIMemoMask_ElemInfoString 0x0000000400000000
#define APIMemoMask_All (0x3FFFFFFFFFFFFFFF & ~APIMemoMask_FromFloorplan)

// Every member is owned by the memo and released by ACAPI_DisposeElemMemoHdls: handles (BMAllocateHandle)
// and, in each paragraph, its run pointer (BMAllocatePtr).
struct API_ElementMemo {
    API_Coord** coords;
    Int32** pends;
    API_PolyArc** parcs;
    API_AddParType** params;
    double** meshPolyZ; // a height per polygon point, entry 0 unused
    GS::UniString* textContent;
    API_ParagraphType** paragraphs;
    Modeler::MeshBody* morphBody;
    GS::UniString* elemInfoString;
};

// Solid element operations: an operator element acting on a target element.
typedef enum {
    APISolid_Substract = 'SSUB',
    APISolid_SubstUp = 'SSUU',
    APISolid_SubstDown = 'SSUD',
    APISolid_Intersect = 'SINT',
    APISolid_Add = 'SADD'
} API_SolidOperationID;

// Links an operator to a target; APIERR_LINKEXIST when the two are linked already.
HOST_API GSErrCode ACAPI_Element_SolidLink_Create(API_Guid guid_Target, API_Guid guid_Operator,
                                                  API_SolidOperationID operation, GSFlags linkFlags);

HOST_API GSErrCode ACAPI_Element_GetDefaults(API_Element* element, API_ElementMemo* memo);
HOST_API GSErrCode ACAPI_Element_Create(API_Element* element, API_ElementMemo* memo);
// The mask is 0 or APIElemMask_FromFloorplan; the stand-in has one database, so both read the same.
HOST_API GSErrCode ACAPI_Element_Get(API_Element* element, UInt32 mask = 0);
HOST_API GSErrCode ACAPI_Element_GetHeader(API_Elem_Head* elementHead, UInt32 mask = 0);
HOST_API GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo,
                                         UInt64 mask = APIMemoMask_All);
HOST_API GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo);
HOST_API GSErrCode ACAPI_Element_Delete(const GS::Array<API_Guid>& elemGuids);

// Filters of the element list and of the search at a point.
#define APIFilt_None 0x00000000
#define APIFilt_IsEditable 0x00000001
#define APIFilt_OnVisLayer 0x00000002
#define APIFilt_OnActFloor 0x00000004
#define APIFilt_In3D 0x00000008
#define APIFilt_IsOfVariation 0x00000100

typedef GSFlags API_ElemFilterFlags;

#define APIElemMask_FromFloorplan 0x10000000

// Elements of the type in host order; a variation other than the generic one narrows the list to it.
// The stand-in applies no filter bits and no renovation filter.
HOST_API GSErrCode ACAPI_Element_GetElemList(const API_ElemType& type, GS::Array<API_Guid>* elemList,
                                             API_ElemFilterFlags filterBits = APIFilt_None,
                                             const API_Guid& renovationFilterGuid = APINULLGuid);
// The two points of an element as the host reports them (for objects: the placement point twice).
HOST_API GSErrCode ACAPI_Element_NeigToCoord(API_Neig* neig, API_Coord3D* coord3D,
                                             API_Coord3D* coord3DDocument = nullptr);
enum API_SelTypeID : Int32 {
    API_SelEmpty = 0,
    API_SelElems = 1,
    API_MarqueePoly = 2,
    API_MarqueeHorBox = 3,
    API_MarqueeRotBox = 4,
};

enum API_SelRelativePosID : Int32 {
    API_InsidePartially = 0,
    API_InsideEntirely = 1,
    API_OutsidePartially = 2,
    API_OutsideEntirely = 3,
};

// The selection and the marquee; the caller releases marquee.coords.
struct API_SelectionInfo {
    API_SelTypeID typeID;
    Int32 sel_nElem;
    Int32 sel_nElemEdit;
    bool multiStory;
    API_Region marquee;
};

HOST_API GSErrCode ACAPI_Selection_Get(API_SelectionInfo* selectionInfo, GS::Array<API_Neig>* selNeigs,
                                       bool onlyEditable, bool ignorePartialSelection = true,
                                       API_SelRelativePosID relativePosToMarquee = API_InsidePartially);

// Searching an element at a point: the filter bits narrow the candidates.
struct API_ElemSearchPars {
    API_ElemType type;
    API_ElemFilterFlags filterBits;
    API_Coord loc;
    double z;
};

// The first element of the type in host order whose polygon holds the point (zones only);
// APIERR_BADPARS when there is none.
HOST_API GSErrCode ACAPI_Element_SearchElementByCoord(const API_ElemSearchPars* pars, API_Guid* guid);
// Groups are flat: an element's root group is its group (null when ungrouped), a group's own root
// the group itself; all of a group's elements are its members in host order.
HOST_API GSErrCode ACAPI_Grouping_GetRootGroup(const API_Guid& elemGuid, API_Guid* rootGroupGuid);
HOST_API GSErrCode ACAPI_Grouping_GetAllGroupedElems(const API_Guid& groupGuid,
                                                     GS::Array<API_Guid>* elemGuids);
