#pragma once

#include "APIdefs_Elements.h"
#include "Location.hpp"

enum API_AttrTypeID : Int32 {
    API_ZombieAttrID = 0,
    API_LayerID = 5,
    API_FilltypeID = 3,
    API_MaterialID = 7,
    API_ZoneCatID = 9,
    API_BuildingMaterialID = 12,
};

struct API_Attr_Head {
    API_AttrTypeID typeID;
    API_AttributeIndex index; // 0 with a name: read by name
    GS::UniString name;
    GSFlags flags;
};

// Layer flags in the attribute header.
constexpr GSFlags APILay_Hidden = 0x0004;

struct API_LayerType {
    Int32 conClassId; // intersection group number
};

enum API_FillSubtype : Int32 {
    APIFill_Vector = 0,
    APIFill_Symbol = 1,
    APIFill_Solid = 2,
    APIFill_Empty = 3,
    APIFill_LinearGradient = 4,
    APIFill_RadialGradient = 5,
    APIFill_Image = 6,
};

struct API_FillType {
    API_FillSubtype subType;
};

struct API_RGBColor {
    double f_red;
    double f_green;
    double f_blue;
};

enum API_MaterTypeID : Int32 {
    APIMater_GeneralID = 0,
    APIMater_SimpleID = 1,
    APIMater_MatteID = 2,
    APIMater_MetalID = 3,
    APIMater_PlasticID = 4,
    APIMater_GlassID = 5,
};

struct API_Texture {
    IO::Location* fileLoc; // null: no texture
};

struct API_MaterialType {
    API_MaterTypeID mtype;
    API_RGBColor surfaceRGB;
    short transpPc; // transparency per cent; 0 is opaque
    API_Texture texture;
};

struct API_BuildingMaterialType {
    API_AttributeIndex cutFill;
    short cutFillPen;
    short cutFillBackgroundPen;
    API_AttributeIndex cutSurface;
    short connPriority; // intersection priority
    bool showUncutLines;
    GS::UniString id;
    GS::UniString manufacturer;
    GS::UniString description;
    double thermalConductivity;
    double density;
    double heatCapacity;
};

// A zone category: the colour its zones are filled with in plan.
struct API_ZoneCatType {
    API_RGBColor rgb;
};

struct API_Attribute {
    API_Attr_Head header;
    API_LayerType layer;
    API_FillType filltype;
    API_MaterialType material;
    API_BuildingMaterialType buildingMaterial;
    API_ZoneCatType zoneCat;
};

constexpr GSErrCode APIERR_BADINDEX = static_cast<GSErrCode>(0x81060067);

HOST_API GSErrCode ACAPI_Attribute_Get(API_Attribute* attribute);
HOST_API GSErrCode ACAPI_Attribute_Create(API_Attribute* attribute, void* defs);
HOST_API GSErrCode ACAPI_Attribute_Modify(API_Attribute* attribute, void* defs);
