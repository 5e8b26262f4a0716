#pragma once

#include "APIdefs_Elements.h"
#include "Location.hpp"

enum API_AttrTypeID : int {
    API_ZombieAttrID = 0,
    API_FirstAttributeID,
    API_LayerID = API_FirstAttributeID,
    API_LinetypeID,
    API_FilltypeID,
    API_CompWallID,
    API_MaterialID,
    API_LayerCombID,
    API_ZoneCatID,
    API_ProfileID,
    API_PenTableID,
    API_MEPSystemID,
    API_OperationProfileID,
    API_BuildingMaterialID,
    API_LastAttributeID = API_BuildingMaterialID
};

#define API_AttrNameLen 256

// An attribute is read by its index, or with index 0 by its name: uniStringNamePtr's when it is
// given, else name's (UTF-8). Reading fills both; creating takes the name the same way.
struct API_Attr_Head {
    API_AttrTypeID typeID;
    API_AttributeIndex index;
    short flags;
    char name[API_AttrNameLen];
    GS::UniString* uniStringNamePtr;
};

// Layer flags in the attribute header.
#define APILay_Hidden 0x0001

struct API_LayerType {
    API_Attr_Head head;
    Int32 conClassId; // intersection group number
};

typedef enum {
    APIFill_Vector,
    APIFill_Symbol,
    APIFill_Solid,
    APIFill_Empty,
    APIFill_LinearGradient,
    APIFill_RadialGradient,
    APIFill_Image
} API_FillSubtype;

struct API_FilltypeType {
    API_Attr_Head head;
    API_FillSubtype subType;
};

struct API_RGBColor {
    double f_red;
    double f_green;
    double f_blue;
};

typedef enum {
    APIMater_GeneralID,
    APIMater_SimpleID,
    APIMater_MatteID,
    APIMater_MetalID,
    APIMater_PlasticID,
    APIMater_GlassID,
    APIMater_GlowingID,
    APIMater_ConstID
} API_MaterTypeID;

struct API_Texture {
    IO::Location* fileLoc; // null: no texture
};

struct API_MaterialType {
    API_Attr_Head head;
    API_MaterTypeID mtype;
    short transpPc; // transparency per cent; 0 is opaque
    API_RGBColor surfaceRGB;
    API_Texture texture;
};

// The texts are the caller's: reading fills those it points to, creating and changing take them.
struct API_BuildingMaterialType {
    API_Attr_Head head;
    GS::UniString* id;
    GS::UniString* manufacturer;
    GS::UniString* description;
    Int32 connPriority; // intersection priority
    API_AttributeIndex cutFill;
    short cutFillPen;
    short cutFillBackgroundPen;
    API_AttributeIndex cutMaterial;
    double thermalConductivity;
    double density;
    double heatCapacity;
    bool showUncutLines;
};

// A zone category: the colour its zones are filled with in plan.
struct API_ZoneCatType {
    API_Attr_Head head;
    API_RGBColor rgb;
};

// As the host's: every part starts with the header, so header and the part's head are one.
union API_Attribute {
    API_Attr_Head header;
    API_LayerType layer;
    API_FilltypeType filltype;
    API_MaterialType material;
    API_ZoneCatType zoneCat;
    API_BuildingMaterialType buildingMaterial;
};

// The attributes' variable data; the stand-in's attributes have none, so it is not read.
struct API_AttributeDef {
    API_AddParType** zone_addParItems;
};

HOST_API GSErrCode ACAPI_Attribute_Get(API_Attribute* attribute);
HOST_API GSErrCode ACAPI_Attribute_Create(API_Attribute* attribute, API_AttributeDef* defs);
HOST_API GSErrCode ACAPI_Attribute_Modify(API_Attribute* attribute, API_AttributeDef* defs);
