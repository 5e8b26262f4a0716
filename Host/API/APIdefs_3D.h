#pragma once

#include "APIdefs_Attributes.h"
#include "APIdefs_Base.h"
#include "APIdefs_Elements.h"

// The 3D model: bodies numbered from 1 over the whole model, each element owning a range of them.
// Vertices, edges, polygons and polygon edges are numbered from 1 within the body read last.

typedef enum {
    API_Zombie3DID = 0,
    API_BodyID,
    API_PgonID,
    API_PedgID,
    API_EdgeID,
    API_VertID,
    API_VectID,
    API_UmatID,
    API_LghtID
} API_3DTypeID;

// The element's bodies are fbody to lbody; the host tells no lights (flight, llight stay 0).
struct API_ElemInfo3D {
    UInt32 fElemIdx;
    UInt32 fBodyIdx;
    UInt32 lElemIdx;
    UInt32 lBodyIdx;
    Int32 fbody;
    Int32 lbody;
    Int32 flight;
    Int32 llight;
    Int32 filler_1[2];
};

struct API_3D_Head {
    API_3DTypeID typeID;
    Int32 index;
    Int32 elemIndex;
    Int32 bodyIndex;
};

#define APIBody_MulRtxt 0x0100
#define APIBody_MulColor 0x0200
#define APIBody_MulMater 0x0400
#define APIBody_Closed 0x0001
#define APIBody_Curved 0x0002

struct API_BodyType {
    API_3D_Head head;
    API_Elem_Head parent;
    Int32 status;
    short color;
    short filler_0[3];
    Int32 iumat; // the surface of the body
    float xmin;
    float ymin;
    float zmin;
    float xmax;
    float ymax;
    float zmax;
    Int32 nPgon;
    Int32 nPedg;
    Int32 nEdge;
    Int32 nVert;
    Int32 nVect;
    Int32 filler_1;
    API_Tranmat tranmat;
};

// Polygon status bits: an invisible polygon is not to be drawn.
#define APIPgon_Invis 0x0001
#define APIPgon_Curved 0x0002
#define APIPgon_Concav 0x0010
#define APIPgon_PHole 0x0020
#define APIPgon_HolesCnv 0x0040
#define APIPgon_Complex 0x0030

typedef struct {
    API_3D_Head head;
    Int32 status;
    Int32 iumat;
    Int32 irtxt;
    Int32 ivect;
    Int32 fpedg;
    Int32 lpedg;
} API_PgonType;

// A signed edge reference (negative: the edge run backwards); 0 closes a contour.
struct API_PedgType {
    API_3D_Head head;
    Int32 pedg;
    Int32 filler_1;
};

#define APIEdge_Invis 0x0001
#define APIEdge_Curved 0x0002

struct API_EdgeType {
    API_3D_Head head;
    Int32 status;
    short filler_1;
    short color;
    Int32 vert1;
    Int32 vert2;
    Int32 pgon1;
    Int32 pgon2;
};

struct API_VertType {
    API_3D_Head head;
    double x;
    double y;
    double z;
};

struct API_VectType {
    API_3D_Head head;
    double x;
    double y;
    double z;
};

typedef enum {
    APILght_DistantID,
    APILght_DirectionID,
    APILght_SpotID,
    APILght_PointID,
    APILght_SunID,
    APILght_EyeID
} API_LghtSouID;

#define APILight_CastShadow 0x0001

struct API_LghtType {
    API_3D_Head head;
    API_LghtSouID type;
    Int32 status;
    Int32 filler_1[2];
    API_RGBColor lightRGB;
    double posx;
    double posy;
    double posz;
    double dirx;
    double diry;
    double dirz;
    double radius;
    double cosa;
    double cosb;
    double afall;
    double dist1;
    double dist2;
    double dfall;
};

struct API_UmatType {
    API_3D_Head head;
    API_MaterialType mater;
};

// Every kind starts with the header, which names the kind read.
union API_Component3D {
    API_3D_Head header;
    API_BodyType body;
    API_PgonType pgon;
    API_PedgType pedg;
    API_EdgeType edge;
    API_VertType vert;
    API_VectType vect;
    API_LghtType lght;
    API_UmatType umat;
};

HOST_API GSErrCode ACAPI_ModelAccess_Get3DInfo(const API_Elem_Head& elemHead, API_ElemInfo3D* info3D);
HOST_API GSErrCode ACAPI_ModelAccess_GetComponent(API_Component3D* component);
