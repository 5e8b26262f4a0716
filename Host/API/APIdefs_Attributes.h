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
    API_AttrTypeID typeID = API_ZombieAttrID;
    API_AttributeIndex index = {}; // 0 with a name: read by name
    GS::UniString name;
    GSFlags flags = 0;
};

// Layer flags in the attribute header.
constexpr GSFlags APILay_Hidden = 0x0004;

struct API_LayerType {
    Int32 conClassId = 0; // intersection group number
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
    API_FillSubtype subType = APIFill_Vector;
};

struct API_RGBColor {
    double f_red = 0;
    double f_green = 0;
    double f_blue = 0;
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
    IO::Location* fileLoc = nullptr; // null: no texture
};

struct API_MaterialType {
    API_MaterTypeID mtype = APIMater_GeneralID;
    API_RGBColor surfaceRGB;
    short transpPc = 0; // transparency per cent; 0 is opaque
    API_Texture texture;
};

struct API_BuildingMaterialType {
    API_AttributeIndex cutFill = {};
    short cutFillPen = 0;
    short cutFillBackgroundPen = 0;
    API_AttributeIndex cutSurface = {};
    short connPriority = 0; // intersection priority
    bool showUncutLines = false;
    GS::UniString id;
    GS::UniString manufacturer;
    GS::UniString description;
    double thermalConductivity = 0;
    double density = 0;
    double heatCapacity = 0;
};

struct API_Attribute {
    API_Attr_Head header;
    API_LayerType layer;
    API_FillType filltype;
    API_MaterialType material;
    API_BuildingMaterialType buildingMaterial;
};

constexpr GSErrCode APIERR_BADINDEX = static_cast<GSErrCode>(0x81060067);

HOST_API GSErrCode ACAPI_Attribute_Get(API_Attribute* attribute);
HOST_API GSErrCode ACAPI_Attribute_Create(API_Attribute* attribute, void* defs);
HOST_API GSErrCode ACAPI_Attribute_Modify(API_Attribute* attribute, void* defs);
