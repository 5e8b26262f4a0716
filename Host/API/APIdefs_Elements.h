#pragma once

#include "API_Guid.hpp"
#include "APIdefs_Base.h"
#include "APIdefs_Environment.h"
#include "GSRoot.hpp"
#include "Model3D/MeshBody.hpp"

// Element records. Unlike the host's union, API_Element is a struct holding the header and every
// type's part side by side: the same field names, without aliasing between the parts.

enum API_ElemTypeID : Int32 {
    API_ZombieElemID = 0,
    API_WallID = 1,
    API_DoorID = 5,
    API_ObjectID = 6,
    API_SlabID = 8,
    API_MeshID = 10,
    API_LabelID = 16,
    API_ZoneID = 17,
    API_LineID = 19,
    API_PolyLineID = 20,
    API_MorphID = 45,
};

using API_ElemVariationID = UInt32;
constexpr API_ElemVariationID APIVarId_Generic = 0;
constexpr API_ElemVariationID APIVarId_GridElement = 0x4752454C; // 'GREL'

struct API_ElemType {
    API_ElemTypeID typeID = API_ZombieElemID;
    API_ElemVariationID variationID = APIVarId_Generic;

    API_ElemType() = default;
    API_ElemType(API_ElemTypeID typeID, API_ElemVariationID variationID = APIVarId_Generic)
        : typeID(typeID), variationID(variationID) {}
    bool operator==(const API_ElemType& other) const = default;
};

struct API_Elem_Head {
    API_ElemType type;
    API_Guid guid;
    short floorInd;
    API_AttributeIndex layer;
    API_Guid groupGuid;
};

enum API_ModelElemStructureType : Int32 {
    API_BasicStructure = 0,
    API_CompositeStructure = 1,
    API_ProfileStructure = 2
};

enum API_WallReferenceLineLocationID : Int32 {
    APIWallRefLine_Outside = 0,
    APIWallRefLine_Center = 1,
    APIWallRefLine_Inside = 2,
};

struct API_WallType {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    API_AttributeIndex profileAttr;
    API_Coord begC;
    API_Coord endC;
    double thickness;
    API_WallReferenceLineLocationID referenceLineLocation;
    double height;
    double bottomOffset;
    bool flipped;
    bool polyCanChange;
    double offset;
    double topOffset;
};

struct API_SlabType {
    API_ModelElemStructureType modelElemStructureType;
    API_AttributeIndex buildingMaterial;
    API_AttributeIndex composite;
    double thickness;
    double level;
    API_Polygon poly;
};

constexpr USize API_UniLongNameLen = 256;

struct API_ZoneType {
    API_AttributeIndex catInd;
    bool refLineFlag;
    bool manual;
    GS::uchar_t roomName[API_UniLongNameLen];
    API_Coord pos;
    API_Coord refPos;
    double roomHeight;
    API_Polygon poly;
};

struct API_LineType {
    API_Coord begC;
    API_Coord endC;
};

struct API_PolyLineType {
    API_Polygon poly;
};

enum API_LblClassID : Int32 { APILblClass_Text = 1, APILblClass_Symbol = 2 };

constexpr Int32 APIAnc_LT = 1;

struct API_LabelTextType {
    Int32 anchor;
    double angle;
    short font;
    double size;
    short pen;
};

struct API_LabelType {
    API_ElemTypeID parentType;
    API_Guid parent;
    API_LblClassID labelClass;
    API_Coord begC;
    API_Coord midC;
    API_Coord endC;
    bool createAtDefaultPosition;
    struct {
        API_LabelTextType text;
    } u;
};

struct API_OpeningBaseType {
    Int32 libInd; // 0: an opening without a library part
    double width;
    double height;
    bool reflected;
    bool oSide;
    bool refSide;
};

struct API_DoorType {
    API_OpeningBaseType openingBase;
    API_Guid owner; // the wall
    double objLoc;  // distance from the wall's begin point, m
};

struct API_ObjectType {
    Int32 libInd;
    API_Coord pos;
    double level;
    double angle;
    bool reflected;
};

// A mesh: a polygon whose points have their own heights (the memo's meshPolyZ, above level).
struct API_MeshType {
    double level;
    API_Polygon poly;
};

// A morph's geometry is the body in its memo, placed by the element's matrix.
struct API_MorphType {
    API_Tranmat tranmat;
};

struct API_Element {
    API_Elem_Head header;
    API_WallType wall;
    API_SlabType slab;
    API_ZoneType zone;
    API_LineType line;
    API_PolyLineType polyLine;
    API_LabelType label;
    API_DoorType door;
    API_ObjectType object;
    API_MorphType morph;
    API_MeshType mesh;
};

enum API_AddParID : Int32 {
    APIParT_Integer = 1,
    APIParT_Length = 2,
    APIParT_Angle = 3,
    APIParT_RealNum = 4,
    APIParT_Boolean = 5,
    APIParT_CString = 6,
};

constexpr USize API_NameLen = 32;

struct API_AddParType {
    API_AddParID typeID;
    char name[API_NameLen];
    struct {
        double real;
        GS::uchar_t uStr[256];
    } value;
};

enum API_JustID : Int32 { APIJust_Left = 1, APIJust_Center = 2, APIJust_Right = 3 };

struct API_RunType {
    Int32 from;
    Int32 range;
    short pen;
    short font;
    double size;
};

struct API_ParagraphType {
    Int32 from;
    Int32 range;
    API_JustID just;
    double spac;
    GS::Array<API_RunType> run;
};

// Memo members the caller asks for, and which the host fills or takes.
using API_MemoMask = UInt64;
constexpr API_MemoMask APIMemoMask_Polygon = 0x0001;
constexpr API_MemoMask APIMemoMask_AddPars = 0x0002;
constexpr API_MemoMask APIMemoMask_TextContent = 0x0004;
constexpr API_MemoMask APIMemoMask_Paragraph = 0x0008;
constexpr API_MemoMask APIMemoMask_ElemInfoString = 0x0010;
constexpr API_MemoMask APIMemoMask_MorphBody = 0x0020;
constexpr API_MemoMask APIMemoMask_All = ~API_MemoMask(0);

// Every member is owned by the memo and released by ACAPI_DisposeElemMemoHdls.
struct API_ElementMemo {
    API_Coord** coords;
    Int32** pends;
    API_PolyArc** parcs;
    API_AddParType** params;
    GS::UniString* textContent;
    GS::Array<API_ParagraphType>* paragraphs;
    GS::UniString* elemInfoString;
    Modeler::MeshBody* morphBody;
    double** meshPolyZ; // a height per polygon point, entry 0 unused
};

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

HOST_API GSErrCode ACAPI_Element_GetDefaults(API_Element* element, API_ElementMemo* memo);
HOST_API GSErrCode ACAPI_Element_Create(API_Element* element, API_ElementMemo* memo);
HOST_API GSErrCode ACAPI_Element_Get(API_Element* element);
HOST_API GSErrCode ACAPI_Element_GetHeader(API_Elem_Head* header);
HOST_API GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo,
                                         API_MemoMask mask = APIMemoMask_All);
HOST_API GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo);
HOST_API GSErrCode ACAPI_Element_Delete(const GS::Array<API_Guid>& guids);
HOST_API GSErrCode ACAPI_Element_GetElemList(const API_ElemType& type, GS::Array<API_Guid>* guids);
// The two points of an element as the host reports them (for objects: the placement point twice).
HOST_API GSErrCode ACAPI_Element_NeigToCoord(const API_Neig* neig, API_Coord3D* c1, API_Coord3D* c2);
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
constexpr GSFlags APIFilt_OnVisLayer = 0x00000002;
constexpr GSFlags APIFilt_OnActFloor = 0x00000004;

struct API_ElemSearchPars {
    API_ElemType type;
    GSFlags filterBits;
    API_Coord loc;
    double z;
};

// The first element of the type in host order whose polygon holds the point (zones only);
// APIERR_NOTFOUND when there is none.
HOST_API GSErrCode ACAPI_Element_SearchElementByCoord(const API_ElemSearchPars* pars, API_Guid* guid);
HOST_API GSErrCode ACAPI_Grouping_GetElementGroup(const API_Guid& elemGuid, API_Guid* groupGuid);
HOST_API GSErrCode ACAPI_Grouping_GetGroupElements(const API_Guid& groupGuid, GS::Array<API_Guid>* members);
