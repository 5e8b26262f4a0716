#pragma once

#include "API/APIdefs_Base.h"
#include "API/APIdefs_Guid.h"
#include "GSRoot/GSRoot.hpp"

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

struct API_Coord {
    double x = 0;
    double y = 0;
};

struct API_Coord3D {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct API_PolyArc {
    Int32 begIndex = 0;
    Int32 endIndex = 0;
    double arcAngle = 0;
};

struct API_Polygon {
    Int32 nCoords = 0;
    Int32 nSubPolys = 0;
    Int32 nArcs = 0;
};

using API_AttributeIndex = Int32;

struct API_Elem_Head {
    API_ElemType type;
    API_Guid guid;
    short floorInd = 0;
    API_AttributeIndex layer = 0;
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
    API_ModelElemStructureType modelElemStructureType = API_BasicStructure;
    API_AttributeIndex buildingMaterial = 0;
    API_AttributeIndex composite = 0;
    API_AttributeIndex profileAttr = 0;
    API_Coord begC;
    API_Coord endC;
    double thickness = 0;
    API_WallReferenceLineLocationID referenceLineLocation = APIWallRefLine_Center;
    double height = 0;
    double bottomOffset = 0;
    bool flipped = false;
    bool polyCanChange = false;
    double offset = 0;
    double topOffset = 0;
};

struct API_SlabType {
    API_ModelElemStructureType modelElemStructureType = API_BasicStructure;
    API_AttributeIndex buildingMaterial = 0;
    API_AttributeIndex composite = 0;
    double thickness = 0;
    double level = 0;
    API_Polygon poly;
};

constexpr USize API_UniLongNameLen = 256;

struct API_ZoneType {
    API_AttributeIndex catInd = 0;
    bool refLineFlag = false;
    bool manual = true;
    GS::uchar_t roomName[API_UniLongNameLen] = {};
    API_Coord pos;
    API_Coord refPos;
    double roomHeight = 0;
    API_Polygon poly;
};

struct API_LineType {
    API_Coord begC;
    API_Coord endC;
};

struct API_PolyLineType {
    API_Polygon poly;
};

struct API_Element {
    API_Elem_Head header;
    API_WallType wall;
    API_SlabType slab;
    API_ZoneType zone;
    API_LineType line;
    API_PolyLineType polyLine;
};

// Memo members the caller asks for, and which the host fills or takes.
using API_MemoMask = UInt64;
constexpr API_MemoMask APIMemoMask_Polygon = 0x0001;
constexpr API_MemoMask APIMemoMask_All = ~API_MemoMask(0);

struct API_ElementMemo {
    API_Coord** coords = nullptr;
    Int32** pends = nullptr;
    API_PolyArc** parcs = nullptr;
};

HOST_API GSErrCode ACAPI_Element_GetDefaults(API_Element* element, API_ElementMemo* memo);
HOST_API GSErrCode ACAPI_Element_Create(API_Element* element, API_ElementMemo* memo);
HOST_API GSErrCode ACAPI_Element_Get(API_Element* element);
HOST_API GSErrCode ACAPI_Element_GetHeader(API_Elem_Head* header);
HOST_API GSErrCode ACAPI_Element_GetMemo(const API_Guid& guid, API_ElementMemo* memo,
                                         API_MemoMask mask = APIMemoMask_All);
HOST_API GSErrCode ACAPI_DisposeElemMemoHdls(API_ElementMemo* memo);
HOST_API GSErrCode ACAPI_Element_Delete(const GS::Array<API_Guid>& guids);
HOST_API GSErrCode ACAPI_Element_GetElemList(const API_ElemType& type, GS::Array<API_Guid>* guids);
