#pragma once

#include "APIdefs_Attributes.h"
#include "APIdefs_Elements.h"

// The 3D model: bodies numbered from 1 over the whole model, each element owning a range of them.
// Vertices, edges, polygons and polygon edges are numbered from 1 within the body read last.

enum API_3DTypeID : Int32 {
    API_3DZombieID = 0,
    API_BodyID = 1,
    API_PgonID = 2,
    API_PedgID = 3,
    API_EdgeID = 4,
    API_VertID = 5,
    API_UmatID = 6,
};

// Polygon status bits: a polygon with this bit is not to be drawn.
constexpr GSFlags APIPgon_Hidden = 0x0001;

struct API_ElemInfo3D {
    Int32 fbody;
    Int32 lbody;
};

struct API_Component3DHeader {
    API_3DTypeID typeID;
    Int32 index;
};

struct API_BodyType {
    Int32 nVert;
    Int32 nEdge;
    Int32 nPgon;
    API_Tranmat tranmat;
    Int32 iumat; // the surface of the body
};

struct API_VertType {
    double x;
    double y;
    double z;
};

struct API_EdgeType {
    Int32 vert1;
    Int32 vert2;
};

struct API_PgonType {
    Int32 fpedg;
    Int32 lpedg;
    GSFlags status;
    Int32 iumat;
};

// A signed edge reference (negative: the edge run backwards); 0 closes a contour.
struct API_PedgType {
    Int32 pedg;
};

struct API_UmatType {
    API_MaterialType mater;
};

// As API_Element, a struct with each kind's part side by side rather than the host's union.
struct API_Component3D {
    API_Component3DHeader header;
    API_BodyType body;
    API_VertType vert;
    API_EdgeType edge;
    API_PgonType pgon;
    API_PedgType pedg;
    API_UmatType umat;
};

HOST_API GSErrCode ACAPI_Element_Get3DInfo(const API_Elem_Head& elemHead, API_ElemInfo3D* info3D);
HOST_API GSErrCode ACAPI_ModelAccess_GetComponent(API_Component3D* component);
