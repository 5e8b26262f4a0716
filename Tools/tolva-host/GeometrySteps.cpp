#include "GeometrySteps.hpp"

#include "ACAPinc.h"
#include "StandIn/Project.hpp"

namespace {

std::string GuidText(const API_Guid& guid) {
    return APIGuidToString(guid).ToCStr().Get();
}

std::string CodeText(GSErrCode code) {
    return GS::UniString::Printf("0x%08X", static_cast<UInt32>(code)).ToCStr().Get();
}

std::string PointText(double x, double y) {
    return GS::UniString::Printf("(%g, %g)", x, y).ToCStr().Get();
}

GSErrCode ReadComponent(API_3DTypeID type, Int32 index, API_Component3D* component) {
    component->header = {type, index, 0, 0};
    return ACAPI_ModelAccess_GetComponent(component);
}

void PrintBody(std::ostream& out, Int32 index) {
    API_Component3D c = {};
    if (GSErrCode code = ReadComponent(API_BodyID, index, &c)) {
        out << "Body " << index << ": " << CodeText(code) << "\n";
        return;
    }
    API_BodyType body = c.body;
    out << "Body " << index << ": " << body.nVert << " vertices, " << body.nEdge << " edges, " << body.nPgon
        << " polygons, material " << body.iumat << "\n";
    const double* m = body.tranmat.tmx;
    const bool identity = m[0] == 1 && m[1] == 0 && m[2] == 0 && m[3] == 0 && m[4] == 0 && m[5] == 1 &&
                          m[6] == 0 && m[7] == 0 && m[8] == 0 && m[9] == 0 && m[10] == 1 && m[11] == 0;
    if (!identity) {
        out << "  matrix:";
        for (int i = 0; i < 12; ++i) {
            out << " " << m[i];
        }
        out << "\n";
    }
    for (Int32 v = 1; v <= body.nVert && ReadComponent(API_VertID, v, &c) == NoError; ++v) {
        out << "  vertex " << v << ": " << c.vert.x << " " << c.vert.y << " " << c.vert.z << "\n";
    }
    for (Int32 e = 1; e <= body.nEdge && ReadComponent(API_EdgeID, e, &c) == NoError; ++e) {
        out << "  edge " << e << ": " << c.edge.vert1 << " " << c.edge.vert2 << "\n";
    }
    for (Int32 p = 1; p <= body.nPgon && ReadComponent(API_PgonID, p, &c) == NoError; ++p) {
        API_PgonType pgon = c.pgon;
        out << "  polygon " << p << " (status " << pgon.status << "):";
        for (Int32 j = pgon.fpedg; j <= pgon.lpedg && ReadComponent(API_PedgID, j, &c) == NoError; ++j) {
            out << " " << c.pedg.pedg;
        }
        out << "\n";
    }
}

} // namespace

void CreateAutomaticZone(std::ostream& out, API_Coord at, bool referenceLine, const GS::UniString& name) {
    API_Element zone = {};
    zone.header.type = API_ZoneID;
    API_ElementMemo memo = {};
    GSErrCode code = ACAPI_Element_GetDefaults(&zone, &memo);
    if (code == NoError) {
        zone.zone.manual = false;
        zone.zone.refLineFlag = referenceLine;
        zone.zone.pos = zone.zone.refPos = at;
        GS::ucsncpy(zone.zone.roomName, name.ToUStr().Get(), API_UniLongNameLen - 1);
        code = ACAPI_CallUndoableCommand("Create Zone", [&] { return ACAPI_Element_Create(&zone, &memo); });
    }
    ACAPI_DisposeElemMemoHdls(&memo);
    if (code != NoError) {
        out << "No zone at " << PointText(at.x, at.y) << ": " << CodeText(code) << "\n";
        return;
    }
    // Creation writes back only the GUID; the detected polygon is the stored zone's.
    API_Element created = {};
    created.header.guid = zone.header.guid;
    ACAPI_Element_Get(&created);
    out << "Zone " << GuidText(created.header.guid) << " at " << PointText(at.x, at.y) << ": "
        << created.zone.poly.nCoords << " coordinates in " << created.zone.poly.nSubPolys << " contours\n";
}

void SearchZone(std::ostream& out, API_Coord at) {
    API_ElemSearchPars pars = {};
    pars.type = API_ZoneID;
    pars.filterBits = APIFilt_OnVisLayer | APIFilt_OnActFloor;
    pars.loc = at;
    API_Guid found = {};
    GSErrCode code = ACAPI_Element_SearchElementByCoord(&pars, &found);
    out << "Zone search at " << PointText(at.x, at.y) << ": "
        << (code == NoError ? GuidText(found) : "none, " + CodeText(code)) << "\n";
}

void PrintBodies(std::ostream& out, const API_Guid& guid) {
    API_Elem_Head head = {};
    head.guid = guid;
    API_ElemInfo3D info = {};
    if (GSErrCode code = ACAPI_ModelAccess_Get3DInfo(head, &info)) {
        out << "Element " << GuidText(guid) << " has no 3D bodies: " << CodeText(code) << "\n";
        return;
    }
    out << "Element " << GuidText(guid) << ": bodies " << info.fbody << " to " << info.lbody << "\n";
    for (Int32 body = info.fbody; body <= info.lbody; ++body) {
        PrintBody(out, body);
    }
    if (const StandIn::StoredElement* stored = StandIn::FindElement(guid)) {
        for (const StandIn::SolidLink& link : stored->solidLinks) {
            out << "Trimmed by " << GuidText(link.operatorGuid) << " (SSUB)\n";
        }
    }
}
