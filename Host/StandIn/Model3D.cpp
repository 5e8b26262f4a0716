#include "StandIn/Model3D.hpp"
#include "ACAPinc.h"
#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Libraries.hpp"
#include "StandIn/Stories.hpp"
#include "StandIn/ZoneGeometry.hpp"
#include "StandIn/Zones.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>

namespace StandIn {

Body3D Prism(const std::vector<std::vector<API_Coord>>& contours, double bottom, double top, Int32 material,
             const std::vector<double>* pointTops) {
    size_t point = 0;
    Body3D body;
    body.material = material;
    Polygon3D bottomFace{0, material, {}};
    Polygon3D topFace{0, material, {}};
    std::vector<Polygon3D> sides;
    for (const std::vector<API_Coord>& contour : contours) {
        Int32 n = static_cast<Int32>(contour.size()) - 1;
        Int32 firstVertex = static_cast<Int32>(body.vertices.size()) + 1; // bottom i: first + i, top: + n
        for (Int32 i = 0; i < n; ++i) {
            body.vertices.push_back(
                {contour[static_cast<size_t>(i)].x, contour[static_cast<size_t>(i)].y, bottom});
        }
        for (Int32 i = 0; i < n; ++i) {
            double z = pointTops != nullptr ? (*pointTops)[point + static_cast<size_t>(i)] : top;
            body.vertices.push_back(
                {contour[static_cast<size_t>(i)].x, contour[static_cast<size_t>(i)].y, z});
        }
        point += contour.size();
        // Edges of this contour: bottom ring, top ring, then the verticals, n each.
        Int32 firstEdge = static_cast<Int32>(body.edges.size()) + 1;
        for (Int32 ring = 0; ring < 2; ++ring) {
            for (Int32 i = 0; i < n; ++i) {
                body.edges.emplace_back(firstVertex + ring * n + i, firstVertex + ring * n + (i + 1) % n);
            }
        }
        for (Int32 i = 0; i < n; ++i) {
            body.edges.emplace_back(firstVertex + i, firstVertex + n + i);
        }
        auto bottomEdge = [&](Int32 i) { return firstEdge + i % n; };
        auto topEdge = [&](Int32 i) { return firstEdge + n + i % n; };
        auto vertical = [&](Int32 i) { return firstEdge + 2 * n + i % n; };
        if (!bottomFace.edges.empty()) {
            bottomFace.edges.push_back(0);
            topFace.edges.push_back(0);
        }
        for (Int32 i = n - 1; i >= 0; --i) {
            bottomFace.edges.push_back(-bottomEdge(i));
        }
        for (Int32 i = 0; i < n; ++i) {
            topFace.edges.push_back(topEdge(i));
            sides.push_back({0, material, {bottomEdge(i), vertical(i + 1), -topEdge(i), -vertical(i)}});
        }
    }
    body.polygons.push_back(bottomFace);
    body.polygons.push_back(topFace);
    body.polygons.insert(body.polygons.end(), sides.begin(), sides.end());
    return body;
}

Modeler::MeshBody MeshBodyOf(const Body3D& body) {
    Modeler::MeshBody mesh;
    for (const API_Coord3D& v : body.vertices) {
        mesh.AddVertex({v.x, v.y, v.z});
    }
    for (auto [first, second] : body.edges) {
        mesh.AddEdge(first - 1, second - 1);
    }
    for (const Polygon3D& polygon : body.polygons) {
        mesh.AddPolygon(polygon.edges);
    }
    return mesh;
}

Body3D BodyOf(const Modeler::MeshBody& mesh, const API_Tranmat& placement, Int32 material) {
    Body3D body;
    body.material = material;
    body.transform = placement;
    for (UInt32 i = 0; i < mesh.GetVertexCount(); ++i) {
        const VERT& v = mesh.GetConstVertex(i);
        body.vertices.push_back({v.x, v.y, v.z});
    }
    for (UInt32 k = 0; k < mesh.GetEdgeCount(); ++k) {
        const EDGE& edge = mesh.GetConstEdge(k);
        body.edges.emplace_back(edge.vert1 + 1, edge.vert2 + 1);
    }
    for (UInt32 p = 0; p < mesh.GetPolygonCount(); ++p) {
        const Modeler::PGON& polygon = mesh.GetConstPolygon(p);
        Polygon3D face{0, material, {}};
        for (UInt32 j = static_cast<UInt32>(polygon.fpedg);
             j <= static_cast<UInt32>(polygon.lpedg) && j < mesh.GetPolyEdgeCount(); ++j) {
            face.edges.push_back(mesh.GetConstPolyEdge(j));
        }
        body.polygons.push_back(face);
    }
    return body;
}

namespace {

// The surface a building material shows, or the first surface.
Int32 SurfaceOf(API_AttributeIndex buildingMaterial) {
    const StoredAttribute* material = FindAttribute(API_BuildingMaterialID, buildingMaterial);
    if (material == nullptr) {
        return 1;
    }
    const Int32 surface = material->attribute.buildingMaterial.cutMaterial.ToInt32_Deprecated();
    return surface > 0 ? surface : 1;
}

std::vector<API_Coord> Closed(std::vector<API_Coord> points) {
    points.push_back(points.front());
    return points;
}

double ParameterOr(const StoredMemo* memo, const char* name, double fallback) {
    if (memo == nullptr || !memo->params) {
        return fallback;
    }
    for (const API_AddParType& parameter : *memo->params) {
        if (std::strcmp(parameter.name, name) == 0 &&
            (parameter.typeID == APIParT_Length || parameter.typeID == APIParT_RealNum)) {
            return parameter.value.real;
        }
    }
    return fallback;
}

// A box of a x b x height in the object's own coordinates, placed by its matrix: turned by its angle
// about its placement point, which the matrix moves to.
Body3D ObjectBox(const StoredElement& stored, double level, double a, double b, double height) {
    const API_ObjectType& object = stored.element.object;
    std::vector<API_Coord> corners;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {a, 0.0}, {a, b}, {0.0, b}}) {
        corners.push_back({object.reflected ? -x : x, y});
    }
    if (object.reflected) {
        std::swap(corners[1], corners[3]);
    }
    Body3D box = Prism({Closed(corners)}, 0, height, 1);
    const double c = std::cos(object.angle);
    const double s = std::sin(object.angle);
    box.transform = {{c, -s, 0, object.pos.x, s, c, 0, object.pos.y, 0, 0, 1, level + object.level}};
    return box;
}

// The blocks of the object's part's 3D script; a part without one gives the A by B by ZZYZX box.
std::vector<Body3D> ObjectBodies(const StoredElement& stored, double level) {
    const StoredMemo* memo = stored.memo ? &*stored.memo : nullptr;
    const std::vector<API_AddParType>* params = memo != nullptr && memo->params ? &*memo->params : nullptr;
    std::optional<PartModel> model = ModelOfPlacedPart(stored.element.object.libInd, params);
    if (!model) {
        return {ObjectBox(stored, level, ParameterOr(memo, "A", 1.0), ParameterOr(memo, "B", 1.0),
                          ParameterOr(memo, "ZZYZX", 1.0))};
    }
    std::vector<Body3D> bodies;
    for (const Block3D& block : model->blocks) {
        bodies.push_back(ObjectBox(stored, level, block.a, block.b, block.height));
    }
    return bodies;
}

std::vector<Body3D> Generated(const StoredElement& stored) {
    const API_Element& e = stored.element;
    double level = LevelOf(e.header.floorInd);
    switch (e.header.type.typeID) {
    case API_WallID: {
        ZoneGeometry::WallFootprint footprint{e.wall.begC, e.wall.endC, e.wall.thickness,
                                              e.wall.referenceLineLocation};
        double bottom = level + e.wall.bottomOffset;
        return {Prism({Closed(ZoneGeometry::FootprintCorners(footprint))}, bottom, bottom + e.wall.height,
                      SurfaceOf(e.wall.buildingMaterial))};
    }
    case API_SlabID:
        return {Prism(MemoContours(*stored.memo), level + e.slab.level - e.slab.thickness,
                      level + e.slab.level, SurfaceOf(e.slab.buildingMaterial))};
    case API_ZoneID:
        return {Prism(MemoContours(*stored.memo), level, level + e.zone.roomHeight, 1)};
    case API_ObjectID:
        return ObjectBodies(stored, level);
    case API_MeshID: {
        // The surface over the polygon, its points at their heights, with sides down to the level.
        std::vector<double> tops(stored.memo->meshPolyZ.begin() + 1, stored.memo->meshPolyZ.end());
        for (double& z : tops) {
            z += level + e.mesh.level;
        }
        return {Prism(MemoContours(*stored.memo), level + e.mesh.level, 0, 1, &tops)};
    }
    case API_MorphID: {
        if (!stored.memo || !stored.memo->morphBody) {
            return {};
        }
        API_Tranmat placement = e.morph.tranmat;
        placement.tmx[11] += level;
        return {BodyOf(*stored.memo->morphBody, placement, 1)};
    }
    default:
        return {};
    }
}

struct GuidOrder {
    bool operator()(const API_Guid& a, const API_Guid& b) const { return std::memcmp(&a, &b, sizeof a) < 0; }
};

// Every element's bodies, numbered on from 1 in element order, made once per change of the model.
struct Kept3DModel {
    std::uint64_t revision = 0;
    const StoredElement* elements = nullptr;
    size_t elementCount = 0;
    std::vector<std::vector<Body3D>> bodies; // per element
    std::vector<Int32> bodiesBefore;         // per element, then the total
    std::map<API_Guid, size_t, GuidOrder> elementAt;
};

std::uint64_t& ModelRevision() {
    static std::uint64_t revision = 1;
    return revision;
}

// Made again when told of a change, or when the element list itself moved or changed its length.
const Kept3DModel& The3DModel() {
    static Kept3DModel kept;
    const std::vector<StoredElement>& elements = TheModel().elements;
    if (kept.revision == ModelRevision() && kept.elements == elements.data() &&
        kept.elementCount == elements.size()) {
        return kept;
    }
    kept = Kept3DModel();
    kept.revision = ModelRevision();
    kept.elements = elements.data();
    kept.elementCount = elements.size();
    kept.bodies.reserve(elements.size());
    kept.bodiesBefore.reserve(elements.size() + 1);
    Int32 before = 0;
    for (size_t i = 0; i < elements.size(); ++i) {
        kept.bodies.push_back(BodiesOf(elements[i]));
        kept.bodiesBefore.push_back(before);
        before += static_cast<Int32>(kept.bodies.back().size());
        kept.elementAt.emplace(elements[i].element.header.guid, i);
    }
    kept.bodiesBefore.push_back(before);
    return kept;
}

// The body read last, with its polygon edges in one list as the host numbers them.
struct Current {
    Body3D body;
    std::vector<Int32> polygonEdges;
    std::vector<Int32> firstPolygonEdge; // per polygon, from 1
    bool valid = false;
};

Current& CurrentBody() {
    static Current current;
    return current;
}

void MakeCurrent(const Body3D& body) {
    Current& current = CurrentBody();
    current.body = body;
    current.polygonEdges.clear();
    current.firstPolygonEdge.clear();
    for (const Polygon3D& polygon : body.polygons) {
        current.firstPolygonEdge.push_back(static_cast<Int32>(current.polygonEdges.size()) + 1);
        current.polygonEdges.insert(current.polygonEdges.end(), polygon.edges.begin(), polygon.edges.end());
    }
    current.valid = true;
}

// The part about to be read, cleared but for the header that asked for it.
template <typename Part>
Part& Fresh(Part& part) {
    const API_3D_Head head = part.head;
    part = {};
    part.head = head;
    return part;
}

GSErrCode ReadBody(API_Component3D* component) {
    const Int32 index = component->header.index;
    const Kept3DModel& model = The3DModel();
    if (index >= 1 && index <= model.bodiesBefore.back()) {
        // The last element whose bodies start before the index.
        const auto after =
            std::upper_bound(model.bodiesBefore.begin(), model.bodiesBefore.end() - 1, index - 1);
        const size_t owner = static_cast<size_t>(after - model.bodiesBefore.begin()) - 1;
        const StoredElement& stored = TheModel().elements[owner];
        {
            const Body3D& body =
                model.bodies[owner][static_cast<size_t>(index - model.bodiesBefore[owner]) - 1];
            MakeCurrent(body);
            // The 3D model lies the model offset away from the project's coordinates.
            API_Tranmat placement = body.transform;
            placement.tmx[3] -= Settings().modelOffset.x;
            placement.tmx[7] -= Settings().modelOffset.y;
            API_BodyType& read = Fresh(component->body);
            read.parent = stored.element.header;
            read.iumat = body.material;
            read.nPgon = static_cast<Int32>(body.polygons.size());
            read.nPedg = static_cast<Int32>(CurrentBody().polygonEdges.size());
            read.nEdge = static_cast<Int32>(body.edges.size());
            read.nVert = static_cast<Int32>(body.vertices.size());
            read.tranmat = placement;
            return NoError;
        }
    }
    CurrentBody().valid = false;
    return APIERR_BADINDEX;
}

GSErrCode ReadPart(API_Component3D* component) {
    if (!CurrentBody().valid) {
        return APIERR_BADINDEX;
    }
    const Body3D& body = CurrentBody().body;
    size_t at = static_cast<size_t>(component->header.index) - 1;
    auto inRange = [&](size_t count) { return component->header.index >= 1 && at < count; };
    switch (component->header.typeID) {
    case API_VertID: {
        if (!inRange(body.vertices.size())) {
            return APIERR_BADINDEX;
        }
        API_VertType& vert = Fresh(component->vert);
        vert.x = body.vertices[at].x;
        vert.y = body.vertices[at].y;
        vert.z = body.vertices[at].z;
        return NoError;
    }
    case API_EdgeID: {
        if (!inRange(body.edges.size())) {
            return APIERR_BADINDEX;
        }
        API_EdgeType& edge = Fresh(component->edge);
        edge.vert1 = body.edges[at].first;
        edge.vert2 = body.edges[at].second;
        return NoError;
    }
    case API_PgonID: {
        if (!inRange(body.polygons.size())) {
            return APIERR_BADINDEX;
        }
        const Polygon3D& polygon = body.polygons[at];
        Int32 first = CurrentBody().firstPolygonEdge[at];
        API_PgonType& pgon = Fresh(component->pgon);
        pgon.status = polygon.status;
        pgon.iumat = polygon.material;
        pgon.fpedg = first;
        pgon.lpedg = first + static_cast<Int32>(polygon.edges.size()) - 1;
        return NoError;
    }
    default:
        if (!inRange(CurrentBody().polygonEdges.size())) {
            return APIERR_BADINDEX;
        }
        Fresh(component->pedg).pedg = CurrentBody().polygonEdges[at];
        return NoError;
    }
}

GSErrCode ReadMaterial(API_Component3D* component) {
    const auto& surfaces = Attributes().byType[API_MaterialID];
    Int32 index = component->header.index;
    if (index < 1 || static_cast<size_t>(index) > surfaces.size()) {
        return APIERR_BADINDEX;
    }
    Fresh(component->umat).mater = surfaces[static_cast<size_t>(index) - 1].attribute.material;
    return NoError;
}

const char* PartName(API_3DTypeID type) {
    switch (type) {
    case API_BodyID:
        return "Body";
    case API_VertID:
        return "Vertex";
    case API_EdgeID:
        return "Edge";
    case API_PgonID:
        return "Polygon";
    case API_PedgID:
        return "PolygonEdge";
    case API_UmatID:
        return "Material";
    default:
        return "Unknown";
    }
}

} // namespace

std::vector<Body3D> BodiesOf(const StoredElement& stored) {
    return stored.bodies ? *stored.bodies : Generated(stored);
}

void Model3DChanged() {
    ++ModelRevision();
}

} // namespace StandIn

using namespace StandIn;

GSErrCode ACAPI_ModelAccess_Get3DInfo(const API_Elem_Head& elemHead, API_ElemInfo3D* info3D) {
    if (auto code = Faults::Take("ACAPI_ModelAccess_Get3DInfo")) {
        return *code;
    }
    const Kept3DModel& model = The3DModel();
    const auto found = model.elementAt.find(elemHead.guid);
    if (found == model.elementAt.end()) {
        return APIERR_BADID;
    }
    const size_t at = found->second;
    if (model.bodies[at].empty()) {
        return APIERR_BADID;
    }
    *info3D = {};
    info3D->fbody = model.bodiesBefore[at] + 1;
    info3D->lbody = model.bodiesBefore[at + 1];
    return NoError;
}

GSErrCode ACAPI_ModelAccess_GetComponent(API_Component3D* component) {
    if (auto code = Faults::Take("ACAPI_ModelAccess_GetComponent")) {
        return *code;
    }
    if (auto code = Faults::Take(std::string("ACAPI_ModelAccess_GetComponent:") +
                                 PartName(component->header.typeID))) {
        return *code;
    }
    switch (component->header.typeID) {
    case API_BodyID:
        return ReadBody(component);
    case API_VertID:
    case API_EdgeID:
    case API_PgonID:
    case API_PedgID:
        return ReadPart(component);
    case API_UmatID:
        return ReadMaterial(component);
    default:
        return APIERR_BADPARS;
    }
}
