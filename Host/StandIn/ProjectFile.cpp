#include "StandIn/ProjectFile.hpp"

#include "ACAPinc.h"
#include "GSException.hpp"
#include "StandIn/Attributes.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Libraries.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/Properties.hpp"
#include "StandIn/Stories.hpp"
#include "StandIn/Zones.hpp"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

namespace StandIn {

namespace {

constexpr int FormatVersion = 1;
constexpr const char* FormatName = "tolva-host-project";

// The file numbers the length units as it always has (0 millimetre to 8 feet & decimal inch), not in
// the host's order; any other number is the host's value.
constexpr API_LengthTypeID FileLengthUnits[] = {
    API_LengthTypeID::Millimeter, API_LengthTypeID::Centimeter,   API_LengthTypeID::Meter,
    API_LengthTypeID::Decimeter,  API_LengthTypeID::DecInch,      API_LengthTypeID::FracInch,
    API_LengthTypeID::DecFoot,    API_LengthTypeID::FootFracInch, API_LengthTypeID::FootDecInch};

API_LengthTypeID LengthUnitOfFile(Int32 number) {
    if (number >= 0 && static_cast<size_t>(number) < std::size(FileLengthUnits)) {
        return FileLengthUnits[number];
    }
    return static_cast<API_LengthTypeID>(number);
}

Int32 FileNumberOfLengthUnit(API_LengthTypeID unit) {
    for (size_t i = 0; i < std::size(FileLengthUnits); ++i) {
        if (FileLengthUnits[i] == unit) {
            return static_cast<Int32>(i);
        }
    }
    return static_cast<Int32>(unit);
}

using Json = rapidjson::Value;

[[noreturn]] void Fail(const std::string& place, const std::string& what) {
    throw GS::Exception(GS::UniString::Printf("Project file, %s: %s", place.c_str(), what.c_str()));
}

// A reader over one JSON value that knows where it is, for error messages.
class Reader {
public:
    Reader(const Json& value, std::string place) : value(value), place(std::move(place)) {}

    const Json& Value() const { return value; }
    const std::string& Place() const { return place; }
    bool Has(const char* name) const { return value.IsObject() && value.HasMember(name); }

    Reader Member(const char* name) const {
        if (!value.IsObject()) {
            Fail(place, "expected an object");
        }
        auto member = value.FindMember(name);
        if (member == value.MemberEnd()) {
            Fail(place, std::string("\"") + name + "\" is missing");
        }
        return Reader(member->value, place + "." + name);
    }

    std::vector<Reader> Items() const {
        if (!value.IsArray()) {
            Fail(place, "expected an array");
        }
        std::vector<Reader> items;
        for (rapidjson::SizeType i = 0; i < value.Size(); ++i) {
            items.emplace_back(value[i], place + "[" + std::to_string(i) + "]");
        }
        return items;
    }

    double Number() const {
        if (!value.IsNumber() || !std::isfinite(value.GetDouble())) {
            Fail(place, "expected a finite number");
        }
        return value.GetDouble();
    }

    Int32 Integer(Int32 low, Int32 high) const {
        if (!value.IsInt() || value.GetInt() < low || value.GetInt() > high) {
            Fail(place, "expected an integer from " + std::to_string(low) + " to " + std::to_string(high));
        }
        return value.GetInt();
    }

    bool Boolean() const {
        if (!value.IsBool()) {
            Fail(place, "expected true or false");
        }
        return value.GetBool();
    }

    GS::UniString Text() const {
        if (!value.IsString()) {
            Fail(place, "expected a text");
        }
        return GS::UniString(std::string(value.GetString(), value.GetStringLength()));
    }

    API_Coord Point() const {
        std::vector<Reader> items = Items();
        if (items.size() != 2) {
            Fail(place, "expected a point [x, y]");
        }
        return {items[0].Number(), items[1].Number()};
    }

    API_Guid Guid() const {
        GS::Guid::Fields fields;
        if (!GS::ParseGuidText(Text(), &fields)) {
            Fail(place, "expected a GUID");
        }
        return GSGuid2APIGuid(GS::Guid(fields));
    }

    double NumberOr(const char* name, double fallback) const {
        return Has(name) ? Member(name).Number() : fallback;
    }

private:
    const Json& value;
    std::string place;
};

// Polygon memos as lists of contours, each a list of points whose last repeats the first.
StoredMemo ReadPolygon(const Reader& contours, API_Polygon* poly) {
    StoredMemo memo;
    memo.coords.push_back({0, 0});
    memo.pends.push_back(0);
    for (const Reader& contour : contours.Items()) {
        for (const Reader& point : contour.Items()) {
            memo.coords.push_back(point.Point());
        }
        memo.pends.push_back(static_cast<Int32>(memo.coords.size() - 1));
    }
    *poly = {static_cast<Int32>(memo.coords.size() - 1), static_cast<Int32>(memo.pends.size() - 1), 0};
    return memo;
}

API_ElemTypeID ElementType(const Reader& type) {
    GS::UniString name = type.Text();
    for (auto [text, id] : {std::pair{"wall", API_WallID},
                            {"slab", API_SlabID},
                            {"zone", API_ZoneID},
                            {"line", API_LineID},
                            {"polyline", API_PolyLineID},
                            {"morph", API_MorphID},
                            {"label", API_LabelID},
                            {"door", API_DoorID},
                            {"object", API_ObjectID},
                            {"mesh", API_MeshID}}) {
        if (name == GS::UniString(text)) {
            return id;
        }
    }
    Fail(type.Place(), "unknown element type \"" + std::string(name.ToCStr().Get()) + "\"");
}

const char* ElementTypeName(API_ElemTypeID type) {
    switch (type) {
    case API_WallID:
        return "wall";
    case API_SlabID:
        return "slab";
    case API_ZoneID:
        return "zone";
    case API_LineID:
        return "line";
    case API_MorphID:
        return "morph";
    case API_LabelID:
        return "label";
    case API_DoorID:
        return "door";
    case API_ObjectID:
        return "object";
    case API_MeshID:
        return "mesh";
    default:
        return "polyline";
    }
}

// Labels, doors and objects: the members their builders write and the exports read.
StoredMemo ReadLabel(const Reader& item, API_LabelType* label) {
    label->parentType = API_ZoneID;
    label->parent = item.Member("zone").Guid();
    label->begC = item.Member("begin").Point();
    label->midC = item.Member("middle").Point();
    label->endC = item.Member("end").Point();
    label->createAtDefaultPosition = false;
    // Field by field: the text record starts with the element's header. Read in this order, so that the
    // first bad member is the one reported.
    API_TextType& text = label->u.text;
    text.anchor = APIAnc_LT;
    text.angle = item.NumberOr("angle", 0);
    text.font = static_cast<short>(item.Member("font").Integer(0, 32767));
    text.size = item.Member("size").Number();
    text.pen = static_cast<short>(item.Member("pen").Integer(0, 255));
    StoredMemo memo;
    memo.textContent = item.Member("text").Text();
    // One paragraph with one run over the whole text, as the zone builders write labels; the run's
    // pen, font and size are the label's unless the file gives its own.
    StoredParagraph stored;
    API_ParagraphType& paragraph = stored.paragraph;
    paragraph.range = static_cast<Int32>(memo.textContent->GetLength());
    paragraph.just = APIJust_Left;
    paragraph.spacing = -1.0;
    API_RunType run = {};
    run.range = paragraph.range;
    run.pen = text.pen;
    run.font = text.font;
    run.size = text.size;
    if (item.Has("run")) {
        Reader given = item.Member("run");
        run.pen = static_cast<short>(given.Member("pen").Integer(0, 255));
        run.font = static_cast<short>(given.Member("font").Integer(0, 32767));
        run.size = given.Member("size").Number();
    }
    stored.runs.push_back(run);
    memo.paragraphs = std::vector<StoredParagraph>{stored};
    return memo;
}

void ReadDoor(const Reader& item, API_DoorType* door) {
    door->owner = item.Member("wall").Guid();
    door->objLoc = item.Member("offset").Number();
    door->openingBase.libInd = item.Member("library").Integer(0, std::numeric_limits<Int32>::max());
    door->openingBase.width = item.Member("width").Number();
    door->openingBase.height = item.Member("height").Number();
    door->openingBase.reflected = item.Member("flipped").Boolean();
    door->openingBase.oSide = item.Member("openingSide").Boolean();
    door->openingBase.refSide = item.Member("referenceSide").Boolean();
}

API_AddParType ReadParameter(const Reader& item) {
    API_AddParType parameter = {};
    GS::UniString name = item.Member("name").Text();
    std::string narrow = name.ToCStr().Get();
    if (narrow.empty() || narrow.size() >= API_NameLen) {
        Fail(item.Member("name").Place(), "expected 1 to 31 bytes");
    }
    std::strncpy(parameter.name, narrow.c_str(), API_NameLen - 1);
    parameter.typeID =
        static_cast<API_AddParID>(item.Member("type").Integer(APIParT_Integer, APIParT_Boolean));
    parameter.value.real = item.Member("value").Number();
    return parameter;
}

StoredMemo ReadObject(const Reader& item, API_Element* element) {
    if (item.Has("grid") && item.Member("grid").Boolean()) {
        element->header.type.variationID = APIVarId_GridElement;
    }
    API_ObjectType& object = element->object;
    object.libInd = item.Member("library").Integer(1, std::numeric_limits<Int32>::max());
    object.pos = item.Member("at").Point();
    object.level = item.NumberOr("level", 0);
    object.angle = item.NumberOr("angle", 0);
    object.reflected = item.Has("flipped") && item.Member("flipped").Boolean();
    StoredMemo memo;
    if (item.Has("parameters")) {
        memo.params.emplace();
        for (const Reader& parameter : item.Member("parameters").Items()) {
            memo.params->push_back(ReadParameter(parameter));
        }
    }
    if (item.Has("id")) {
        memo.elemInfoString = item.Member("id").Text();
    }
    // A grid object's coordinate list is 0-based: line k runs from point k to point k + 1.
    if (item.Has("coordinates")) {
        for (const Reader& point : item.Member("coordinates").Items()) {
            memo.coords.push_back(point.Point());
        }
    }
    return memo;
}

std::optional<API_PropertyValue> ReadPosition(const Reader& position) {
    GS::UniString value = position.Text();
    for (const char* known : {"Undefined", "Interior", "Exterior"}) {
        if (value == GS::UniString(known)) {
            API_PropertyValue property;
            property.variantStatus = API_VariantStatusNormal;
            property.singleVariant.variant.type = API_PropertyGuidValueType;
            property.singleVariant.variant.guidValue = PositionValueKey(known);
            return property;
        }
    }
    Fail(position.Place(), "expected \"Undefined\", \"Interior\" or \"Exterior\"");
}

void CheckAttributeIndex(const Reader& reader, API_AttrTypeID type, API_AttributeIndex index) {
    if (FindAttribute(type, index) == nullptr) {
        Fail(reader.Place(), "no such attribute index " + std::to_string(index.ToInt32_Deprecated()));
    }
}

API_Coord3D Point3D(const Reader& reader) {
    std::vector<Reader> items = reader.Items();
    if (items.size() != 3) {
        Fail(reader.Place(), "expected a point [x, y, z]");
    }
    return {items[0].Number(), items[1].Number(), items[2].Number()};
}

void ReadTransform(const Reader& reader, API_Tranmat* transform) {
    std::vector<Reader> numbers = reader.Items();
    if (numbers.size() != 12) {
        Fail(reader.Place(), "expected 12 numbers, a 3x4 matrix by rows");
    }
    for (size_t i = 0; i < 12; ++i) {
        transform->tmx[i] = numbers[i].Number();
    }
}

// A mesh's point heights, contour by contour as its polygon lists the points.
std::vector<double> ReadHeights(const Reader& heights, size_t coordinates) {
    std::vector<double> read = {0};
    for (const Reader& contour : heights.Items()) {
        for (const Reader& height : contour.Items()) {
            read.push_back(height.Number());
        }
    }
    if (read.size() != coordinates) {
        Fail(heights.Place(), "expected a height for every point of the polygon");
    }
    return read;
}

// Automatic zones name their method; their polygon, when given, is the detected one as saved.
void ReadZoneMethod(const Reader& item, API_ZoneType* zone) {
    if (!item.Has("automatic")) {
        return;
    }
    GS::UniString method = item.Member("automatic").Text();
    if (method != GS::UniString("referenceLine") && method != GS::UniString("innerEdge")) {
        Fail(item.Member("automatic").Place(), "expected \"referenceLine\" or \"innerEdge\"");
    }
    zone->manual = false;
    zone->refLineFlag = method == GS::UniString("referenceLine");
}

Int32 OneBased(const Reader& reader, size_t count) {
    return reader.Integer(1, static_cast<Int32>(std::min<size_t>(count, std::numeric_limits<Int32>::max())));
}

Polygon3D ReadPolygon3D(const Reader& item, const Body3D& body) {
    Polygon3D polygon{0, body.material, {}};
    if (item.Has("status")) {
        polygon.status =
            static_cast<GSFlags>(item.Member("status").Integer(0, std::numeric_limits<Int32>::max()));
    }
    if (item.Has("material")) {
        polygon.material = item.Member("material").Integer(1, std::numeric_limits<Int32>::max());
        CheckAttributeIndex(item.Member("material"), API_MaterialID,
                            ACAPI_CreateAttributeIndex(polygon.material));
    }
    Int32 edges = static_cast<Int32>(body.edges.size());
    for (const Reader& edge : item.Member("edges").Items()) {
        polygon.edges.push_back(edge.Integer(-edges, edges));
    }
    return polygon;
}

std::vector<Body3D> ReadBodies(const Reader& bodies) {
    std::vector<Body3D> read;
    for (const Reader& item : bodies.Items()) {
        Body3D body;
        body.material = item.Member("material").Integer(1, std::numeric_limits<Int32>::max());
        CheckAttributeIndex(item.Member("material"), API_MaterialID,
                            ACAPI_CreateAttributeIndex(body.material));
        for (const Reader& vertex : item.Member("vertices").Items()) {
            body.vertices.push_back(Point3D(vertex));
        }
        for (const Reader& edge : item.Member("edges").Items()) {
            std::vector<Reader> ends = edge.Items();
            if (ends.size() != 2) {
                Fail(edge.Place(), "expected an edge [vertex, vertex]");
            }
            body.edges.emplace_back(OneBased(ends[0], body.vertices.size()),
                                    OneBased(ends[1], body.vertices.size()));
        }
        for (const Reader& polygon : item.Member("polygons").Items()) {
            body.polygons.push_back(ReadPolygon3D(polygon, body));
        }
        if (item.Has("transform")) {
            ReadTransform(item.Member("transform"), &body.transform);
        }
        read.push_back(body);
    }
    return read;
}

void ReadSolidLinks(const Reader& links) {
    for (const Reader& item : links.Items()) {
        StoredElement* target = FindElement(item.Member("target").Guid());
        API_Guid operatorGuid = item.Member("operator").Guid();
        if (target == nullptr || FindElement(operatorGuid) == nullptr) {
            Fail(item.Place(), "no such element");
        }
        if (item.Member("operation").Text() != GS::UniString("SSUB")) {
            Fail(item.Member("operation").Place(), "expected \"SSUB\"");
        }
        GSFlags flags =
            static_cast<GSFlags>(item.Member("flags").Integer(0, std::numeric_limits<Int32>::max()));
        target->solidLinks.push_back({operatorGuid, APISolid_Substract, flags});
    }
}

// A morph's matrix and its mesh body, numbered from 0; without "body" the morph has none.
StoredMemo ReadMorph(const Reader& item, API_MorphType* morph) {
    ReadTransform(item.Member("transform"), &morph->tranmat);
    StoredMemo memo;
    if (!item.Has("body")) {
        return memo;
    }
    Reader body = item.Member("body");
    Modeler::MeshBody mesh;
    for (const Reader& vertex : body.Member("vertices").Items()) {
        API_Coord3D v = Point3D(vertex);
        mesh.AddVertex({v.x, v.y, v.z});
    }
    Int32 lastVertex = static_cast<Int32>(mesh.GetVertexCount()) - 1;
    for (const Reader& edge : body.Member("edges").Items()) {
        std::vector<Reader> ends = edge.Items();
        if (ends.size() != 2) {
            Fail(edge.Place(), "expected an edge [vertex, vertex]");
        }
        mesh.AddEdge(ends[0].Integer(0, lastVertex), ends[1].Integer(0, lastVertex));
    }
    Int32 edges = static_cast<Int32>(mesh.GetEdgeCount());
    for (const Reader& polygon : body.Member("polygons").Items()) {
        std::vector<Int32> references;
        for (const Reader& reference : polygon.Items()) {
            references.push_back(reference.Integer(-edges, edges));
        }
        if (references.empty()) {
            Fail(polygon.Place(), "a polygon needs edges");
        }
        mesh.AddPolygon(references);
    }
    memo.morphBody = mesh;
    return memo;
}

void ReadElement(const Reader& item) {
    API_Element element = {};
    element.header.type = ElementType(item.Member("type"));
    if (item.Has("guid")) {
        element.header.guid = item.Member("guid").Guid();
        if (FindElement(element.header.guid) != nullptr) {
            Fail(item.Member("guid").Place(), "GUID used twice");
        }
    }
    Reader story = item.Member("story");
    element.header.floorInd = static_cast<short>(story.Integer(Settings().firstStory, LastStory()));
    element.header.layer =
        ACAPI_CreateAttributeIndex(1); // the default layer, as the element defaults have it
    if (item.Has("layer")) {
        element.header.layer =
            ACAPI_CreateAttributeIndex(item.Member("layer").Integer(1, std::numeric_limits<Int32>::max()));
        CheckAttributeIndex(item.Member("layer"), API_LayerID, element.header.layer);
    }
    if (item.Has("group")) {
        element.header.groupGuid = item.Member("group").Guid();
    }
    std::optional<StoredMemo> memo;
    switch (element.header.type.typeID) {
    case API_WallID:
        element.wall.begC = item.Member("begin").Point();
        element.wall.endC = item.Member("end").Point();
        element.wall.thickness = item.Member("thickness").Number();
        element.wall.height = item.Member("height").Number();
        element.wall.bottomOffset = item.NumberOr("bottomOffset", 0);
        element.wall.referenceLineLocation = APIWallRefLine_Center;
        element.wall.buildingMaterial =
            ACAPI_CreateAttributeIndex(item.Member("material").Integer(1, std::numeric_limits<Int32>::max()));
        CheckAttributeIndex(item.Member("material"), API_BuildingMaterialID, element.wall.buildingMaterial);
        break;
    case API_SlabID:
        memo = ReadPolygon(item.Member("polygon"), &element.slab.poly);
        element.slab.thickness = item.Member("thickness").Number();
        element.slab.level = item.NumberOr("level", 0);
        element.slab.buildingMaterial =
            ACAPI_CreateAttributeIndex(item.Member("material").Integer(1, std::numeric_limits<Int32>::max()));
        CheckAttributeIndex(item.Member("material"), API_BuildingMaterialID, element.slab.buildingMaterial);
        break;
    case API_ZoneID: {
        element.zone.manual = true;
        ReadZoneMethod(item, &element.zone);
        if (element.zone.manual || item.Has("polygon")) {
            memo = ReadPolygon(item.Member("polygon"), &element.zone.poly);
        }
        GS::UniString name = item.Member("name").Text();
        if (name.GetLength() >= API_UniLongNameLen) {
            Fail(item.Member("name").Place(), "longer than 255 units");
        }
        GS::ucsncpy(element.zone.roomName, name.ToUStr().Get(), API_UniLongNameLen);
        element.zone.catInd =
            ACAPI_CreateAttributeIndex(item.Member("category").Integer(1, std::numeric_limits<Int32>::max()));
        CheckAttributeIndex(item.Member("category"), API_ZoneCatID, element.zone.catInd);
        element.zone.pos = element.zone.refPos = item.Member("stamp").Point();
        element.zone.roomHeight = item.NumberOr("height", 2.7);
        if (!memo) {
            memo.emplace();
            if (DetectZonePolygon(&element, &*memo) != NoError) {
                Fail(item.Member("stamp").Place(), "no closed region of walls around the point");
            }
        }
        break;
    }
    case API_LineID:
        element.line.begC = item.Member("begin").Point();
        element.line.endC = item.Member("end").Point();
        break;
    case API_MorphID:
        memo = ReadMorph(item, &element.morph);
        break;
    case API_LabelID:
        memo = ReadLabel(item, &element.label);
        break;
    case API_DoorID:
        ReadDoor(item, &element.door);
        break;
    case API_ObjectID:
        memo = ReadObject(item, &element);
        break;
    case API_MeshID:
        memo = ReadPolygon(item.Member("polygon"), &element.mesh.poly);
        element.mesh.level = item.NumberOr("level", 0);
        memo->meshPolyZ = ReadHeights(item.Member("heights"), memo->coords.size());
        break;
    default:
        memo = ReadPolygon(item.Member("polygon"), &element.polyLine.poly);
        break;
    }
    if (GSErrCode code = PlantElement(&element, memo ? &*memo : nullptr)) {
        Fail(item.Place(),
             GS::UniString::Printf("the host refuses this element (0x%08X)", static_cast<UInt32>(code))
                 .ToCStr()
                 .Get());
    }
    if (item.Has("bodies")) {
        FindElement(element.header.guid)->bodies = ReadBodies(item.Member("bodies"));
    }
    if (item.Has("position")) {
        if (element.header.type.typeID != API_WallID) {
            Fail(item.Member("position").Place(), "only walls have a position");
        }
        FindElement(element.header.guid)
            ->propertyValues.push_back(
                {APIGuidFromString(PositionPropertyGuid), *ReadPosition(item.Member("position"))});
    }
}

API_RGBColor Colour(const Reader& item) {
    std::vector<Reader> rgb = item.Items();
    if (rgb.size() != 3) {
        Fail(item.Place(), "expected [r, g, b]");
    }
    return {rgb[0].Number(), rgb[1].Number(), rgb[2].Number()};
}

// The colour of a zone category a file gives without one.
constexpr API_RGBColor DefaultZoneCategoryColour = {0.9, 0.9, 0.9};

void ReadAttributes(const Reader& attributes) {
    Attributes() = AttributeTables();
    // The record points to the name, which the caller keeps until the attribute is added.
    auto add = [](API_AttrTypeID type, const Reader& item, GS::UniString& name) {
        API_Attribute attribute = {};
        attribute.header.typeID = type;
        name = item.Member("name").Text();
        attribute.header.uniStringNamePtr = &name;
        for (const StoredAttribute& existing : Attributes().byType[type]) {
            if (existing.name == name) {
                Fail(item.Place(), "name used twice");
            }
        }
        return attribute;
    };
    for (const Reader& item : attributes.Member("layers").Items()) {
        GS::UniString name;
        API_Attribute layer = add(API_LayerID, item, name);
        layer.layer.conClassId =
            item.Member("intersectionGroup").Integer(0, std::numeric_limits<Int32>::max());
        AddAttribute(layer);
    }
    for (const Reader& item : attributes.Member("fills").Items()) {
        GS::UniString name;
        API_Attribute fill = add(API_FilltypeID, item, name);
        fill.filltype.subType =
            static_cast<API_FillSubtype>(item.Member("subtype").Integer(0, APIFill_Image));
        AddAttribute(fill);
    }
    for (const Reader& item : attributes.Member("surfaces").Items()) {
        GS::UniString name;
        API_Attribute surface = add(API_MaterialID, item, name);
        surface.material.surfaceRGB = Colour(item.Member("color"));
        surface.material.mtype =
            static_cast<API_MaterTypeID>(item.Member("type").Integer(0, APIMater_GlassID));
        surface.material.transpPc = static_cast<short>(item.Member("transparency").Integer(0, 100));
        std::optional<IO::Location> texture;
        if (item.Has("texture")) {
            texture = IO::Location(item.Member("texture").Text());
        }
        AddAttribute(surface, texture ? &*texture : nullptr);
    }
    for (const Reader& item : attributes.Member("buildingMaterials").Items()) {
        GS::UniString name;
        API_Attribute material = add(API_BuildingMaterialID, item, name);
        auto& fields = material.buildingMaterial;
        fields.cutFill =
            ACAPI_CreateAttributeIndex(item.Member("cutFill").Integer(0, std::numeric_limits<Int32>::max()));
        fields.cutFillPen = static_cast<short>(item.Member("cutFillPen").Integer(0, 255));
        fields.cutFillBackgroundPen = static_cast<short>(item.Member("cutFillBackgroundPen").Integer(0, 255));
        fields.cutMaterial =
            ACAPI_CreateAttributeIndex(item.Member("surface").Integer(0, std::numeric_limits<Int32>::max()));
        fields.connPriority = static_cast<short>(item.Member("intersectionPriority").Integer(0, 999));
        fields.showUncutLines = item.Member("showUncutLines").Boolean();
        AddAttribute(material);
    }
    for (const Reader& item : attributes.Member("zoneCategories").Items()) {
        GS::UniString name;
        API_Attribute category = add(API_ZoneCatID, item, name);
        category.zoneCat.rgb = item.Has("color") ? Colour(item.Member("color")) : DefaultZoneCategoryColour;
        AddAttribute(category);
    }
}

void ReadStories(const Reader& stories) {
    ProjectSettings& settings = Settings();
    settings.firstStory = static_cast<short>(stories.Member("first").Integer(-1000, 1000));
    settings.lowestLevel = stories.Member("lowestLevel").Number();
    settings.skipNullFloor = stories.Member("skipNullFloor").Boolean();
    settings.stories.clear();
    for (const Reader& item : stories.Member("list").Items()) {
        double height = item.Member("height").Number();
        if (!(height > 0)) {
            Fail(item.Member("height").Place(), "a story height must be positive");
        }
        settings.stories.push_back({item.Member("name").Text(), height});
    }
    if (settings.stories.empty() ||
        settings.firstStory + static_cast<Int32>(settings.stories.size()) - 1 > 1000) {
        Fail(stories.Member("list").Place(), "expected from 1 to 1000 stories");
    }
}

// The embedded library's parts, before the elements that are placed with them.
void ReadEmbeddedLibrary(const Reader& parts) {
    std::vector<EmbeddedPartFile> files;
    for (const Reader& item : parts.Items()) {
        files.push_back({item.Member("index").Integer(1, std::numeric_limits<Int32>::max()),
                         item.Member("path").Text().ToCStr().Get(),
                         item.Member("content").Text().ToCStr().Get()});
    }
    try {
        RestoreEmbeddedParts(files);
    } catch (const GS::Exception& e) {
        Fail(parts.Place(), e.GetMessage().ToCStr().Get());
    }
}

void ReadProject(const Reader& root) {
    if (root.Member("format").Text() != GS::UniString(FormatName)) {
        Fail(root.Member("format").Place(), std::string("expected \"") + FormatName + "\"");
    }
    root.Member("version").Integer(FormatVersion, FormatVersion);
    ResetProjectContents();
    GS::UniString language = root.Member("language").Text();
    if (language != GS::UniString("en") && language != GS::UniString("de")) {
        Fail(root.Member("language").Place(), "expected \"en\" or \"de\"");
    }
    Properties().language =
        language == GS::UniString("de") ? ProjectLanguage::German : ProjectLanguage::English;
    ReadStories(root.Member("stories"));
    TheModel().activeStory =
        static_cast<short>(root.Member("activeStory").Integer(Settings().firstStory, LastStory()));
    Reader units = root.Member("workingUnits");
    Settings().workingUnits = {LengthUnitOfFile(units.Member("lengthUnit").Integer(0, 255)),
                               static_cast<short>(units.Member("decimals").Integer(0, 16)),
                               static_cast<short>(units.Member("roundInch").Integer(0, 64))};
    Settings().geoLocation.surveyPointPosition = Point3D(root.Member("geoReference"));
    Settings().modelOffset = Point3D(root.Member("modelOffset"));
    ReadAttributes(root.Member("attributes"));
    if (root.Has("embeddedLibrary")) {
        ReadEmbeddedLibrary(root.Member("embeddedLibrary"));
    }
    for (const Reader& item : root.Member("elements").Items()) {
        ReadElement(item);
    }
    if (root.Has("solidLinks")) {
        ReadSolidLinks(root.Member("solidLinks"));
    }
}

// Writing: members in a fixed order, numbers in their shortest exact form.
using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

void WriteText(Writer& out, const GS::UniString& text) {
    std::string narrow = text.ToCStr().Get();
    out.String(narrow.c_str(), static_cast<rapidjson::SizeType>(narrow.size()));
}

void WritePoint(Writer& out, const API_Coord& c) {
    out.StartArray();
    out.Double(c.x);
    out.Double(c.y);
    out.EndArray();
}

void WriteColour(Writer& out, const API_RGBColor& colour) {
    out.Key("color");
    out.StartArray();
    out.Double(colour.f_red);
    out.Double(colour.f_green);
    out.Double(colour.f_blue);
    out.EndArray();
}

void WritePoint3D(Writer& out, const API_Coord3D& c) {
    out.StartArray();
    out.Double(c.x);
    out.Double(c.y);
    out.Double(c.z);
    out.EndArray();
}

void WritePolygon(Writer& out, const StoredMemo& memo) {
    out.StartArray();
    for (size_t k = 1; k < memo.pends.size(); ++k) {
        out.StartArray();
        for (Int32 i = memo.pends[k - 1] + 1; i <= memo.pends[k]; ++i) {
            WritePoint(out, memo.coords[static_cast<size_t>(i)]);
        }
        out.EndArray();
    }
    out.EndArray();
}

void WriteTransform(Writer& out, const API_Tranmat& transform) {
    out.StartArray();
    for (double number : transform.tmx) {
        out.Double(number);
    }
    out.EndArray();
}

void WriteMorph(Writer& out, const API_MorphType& morph, const std::optional<Modeler::MeshBody>& body) {
    out.Key("transform");
    WriteTransform(out, morph.tranmat);
    if (!body) {
        return;
    }
    out.Key("body");
    out.StartObject();
    out.Key("vertices");
    out.StartArray();
    for (UInt32 i = 0; i < body->GetVertexCount(); ++i) {
        const VERT& v = body->GetConstVertex(i);
        WritePoint3D(out, {v.x, v.y, v.z});
    }
    out.EndArray();
    out.Key("edges");
    out.StartArray();
    for (UInt32 k = 0; k < body->GetEdgeCount(); ++k) {
        out.StartArray();
        out.Int(body->GetConstEdge(k).vert1);
        out.Int(body->GetConstEdge(k).vert2);
        out.EndArray();
    }
    out.EndArray();
    out.Key("polygons");
    out.StartArray();
    for (UInt32 p = 0; p < body->GetPolygonCount(); ++p) {
        out.StartArray();
        for (Int32 j = body->GetConstPolygon(p).fpedg; j <= body->GetConstPolygon(p).lpedg; ++j) {
            out.Int(body->GetConstPolyEdge(static_cast<UInt32>(j)));
        }
        out.EndArray();
    }
    out.EndArray();
    out.EndObject();
}

void WriteBodies(Writer& out, const std::vector<Body3D>& bodies) {
    out.StartArray();
    for (const Body3D& body : bodies) {
        out.StartObject();
        out.Key("material");
        out.Int(body.material);
        out.Key("vertices");
        out.StartArray();
        for (const API_Coord3D& vertex : body.vertices) {
            WritePoint3D(out, vertex);
        }
        out.EndArray();
        out.Key("edges");
        out.StartArray();
        for (auto [first, second] : body.edges) {
            out.StartArray();
            out.Int(first);
            out.Int(second);
            out.EndArray();
        }
        out.EndArray();
        out.Key("polygons");
        out.StartArray();
        for (const Polygon3D& polygon : body.polygons) {
            out.StartObject();
            out.Key("status");
            out.Int(static_cast<Int32>(polygon.status));
            out.Key("material");
            out.Int(polygon.material);
            out.Key("edges");
            out.StartArray();
            for (Int32 edge : polygon.edges) {
                out.Int(edge);
            }
            out.EndArray();
            out.EndObject();
        }
        out.EndArray();
        out.Key("transform");
        WriteTransform(out, body.transform);
        out.EndObject();
    }
    out.EndArray();
}

void WriteSolidLinks(Writer& out) {
    out.Key("solidLinks");
    out.StartArray();
    for (const StoredElement& stored : TheModel().elements) {
        for (const SolidLink& link : stored.solidLinks) {
            out.StartObject();
            out.Key("target");
            WriteText(out, APIGuidToString(stored.element.header.guid));
            out.Key("operator");
            WriteText(out, APIGuidToString(link.operatorGuid));
            out.Key("operation");
            out.String("SSUB");
            out.Key("flags");
            out.Int(static_cast<Int32>(link.flags));
            out.EndObject();
        }
    }
    out.EndArray();
}

void WritePlacedElement(Writer& out, const StoredElement& stored) {
    const API_Element& e = stored.element;
    auto point = [&](const char* key, const API_Coord& c) {
        out.Key(key);
        WritePoint(out, c);
    };
    auto number = [&](const char* key, double value) {
        out.Key(key);
        out.Double(value);
    };
    auto flag = [&](const char* key, bool value) {
        out.Key(key);
        out.Bool(value);
    };
    switch (e.header.type.typeID) {
    case API_LabelID:
        out.Key("zone");
        WriteText(out, APIGuidToString(e.label.parent));
        point("begin", e.label.begC);
        point("middle", e.label.midC);
        point("end", e.label.endC);
        out.Key("text");
        WriteText(out, stored.memo && stored.memo->textContent ? *stored.memo->textContent : GS::UniString());
        out.Key("font");
        out.Int(e.label.u.text.font);
        number("size", e.label.u.text.size);
        out.Key("pen");
        out.Int(e.label.u.text.pen);
        number("angle", e.label.u.text.angle);
        if (stored.memo && stored.memo->paragraphs && !stored.memo->paragraphs->empty() &&
            !stored.memo->paragraphs->front().runs.empty()) {
            const API_RunType& run = stored.memo->paragraphs->front().runs[0];
            out.Key("run");
            out.StartObject();
            out.Key("pen");
            out.Int(run.pen);
            out.Key("font");
            out.Int(run.font);
            number("size", run.size);
            out.EndObject();
        }
        break;
    case API_DoorID:
        out.Key("wall");
        WriteText(out, APIGuidToString(e.door.owner));
        number("offset", e.door.objLoc);
        out.Key("library");
        out.Int(e.door.openingBase.libInd);
        number("width", e.door.openingBase.width);
        number("height", e.door.openingBase.height);
        flag("flipped", e.door.openingBase.reflected);
        flag("openingSide", e.door.openingBase.oSide);
        flag("referenceSide", e.door.openingBase.refSide);
        break;
    default: {
        if (e.header.type.variationID == APIVarId_GridElement) {
            flag("grid", true);
        }
        out.Key("library");
        out.Int(e.object.libInd);
        point("at", e.object.pos);
        number("level", e.object.level);
        number("angle", e.object.angle);
        flag("flipped", e.object.reflected);
        const StoredMemo* memo = stored.memo ? &*stored.memo : nullptr;
        if (memo != nullptr && memo->params) {
            out.Key("parameters");
            out.StartArray();
            for (const API_AddParType& parameter : *memo->params) {
                out.StartObject();
                out.Key("name");
                out.String(parameter.name);
                out.Key("type");
                out.Int(parameter.typeID);
                number("value", parameter.value.real);
                out.EndObject();
            }
            out.EndArray();
        }
        if (memo != nullptr && memo->elemInfoString) {
            out.Key("id");
            WriteText(out, *memo->elemInfoString);
        }
        if (memo != nullptr && !memo->coords.empty()) {
            out.Key("coordinates");
            out.StartArray();
            for (const API_Coord& c : memo->coords) {
                WritePoint(out, c);
            }
            out.EndArray();
        }
        break;
    }
    }
}

void WriteElement(Writer& out, const StoredElement& stored) {
    const API_Element& e = stored.element;
    out.StartObject();
    out.Key("type");
    out.String(ElementTypeName(e.header.type.typeID));
    out.Key("guid");
    WriteText(out, APIGuidToString(e.header.guid));
    out.Key("story");
    out.Int(e.header.floorInd);
    out.Key("layer");
    out.Int(e.header.layer.ToInt32_Deprecated());
    if (e.header.groupGuid != APINULLGuid) {
        out.Key("group");
        WriteText(out, APIGuidToString(e.header.groupGuid));
    }
    switch (e.header.type.typeID) {
    case API_WallID:
        out.Key("begin");
        WritePoint(out, e.wall.begC);
        out.Key("end");
        WritePoint(out, e.wall.endC);
        out.Key("thickness");
        out.Double(e.wall.thickness);
        out.Key("height");
        out.Double(e.wall.height);
        out.Key("bottomOffset");
        out.Double(e.wall.bottomOffset);
        out.Key("material");
        out.Int(e.wall.buildingMaterial.ToInt32_Deprecated());
        break;
    case API_SlabID:
        out.Key("polygon");
        WritePolygon(out, *stored.memo);
        out.Key("thickness");
        out.Double(e.slab.thickness);
        out.Key("level");
        out.Double(e.slab.level);
        out.Key("material");
        out.Int(e.slab.buildingMaterial.ToInt32_Deprecated());
        break;
    case API_ZoneID:
        if (!e.zone.manual) {
            out.Key("automatic");
            out.String(e.zone.refLineFlag ? "referenceLine" : "innerEdge");
        }
        out.Key("polygon");
        WritePolygon(out, *stored.memo);
        out.Key("name");
        WriteText(out, GS::UniString(e.zone.roomName));
        out.Key("category");
        out.Int(e.zone.catInd.ToInt32_Deprecated());
        out.Key("stamp");
        WritePoint(out, e.zone.pos);
        out.Key("height");
        out.Double(e.zone.roomHeight);
        break;
    case API_LineID:
        out.Key("begin");
        WritePoint(out, e.line.begC);
        out.Key("end");
        WritePoint(out, e.line.endC);
        break;
    case API_MorphID:
        WriteMorph(out, e.morph, stored.memo ? stored.memo->morphBody : std::nullopt);
        break;
    case API_LabelID:
    case API_DoorID:
    case API_ObjectID:
        WritePlacedElement(out, stored);
        break;
    case API_MeshID:
        out.Key("polygon");
        WritePolygon(out, *stored.memo);
        out.Key("level");
        out.Double(e.mesh.level);
        out.Key("heights");
        out.StartArray();
        for (size_t k = 1; k < stored.memo->pends.size(); ++k) {
            out.StartArray();
            for (Int32 i = stored.memo->pends[k - 1] + 1; i <= stored.memo->pends[k]; ++i) {
                out.Double(stored.memo->meshPolyZ[static_cast<size_t>(i)]);
            }
            out.EndArray();
        }
        out.EndArray();
        break;
    default:
        out.Key("polygon");
        WritePolygon(out, *stored.memo);
        break;
    }
    if (stored.bodies) {
        out.Key("bodies");
        WriteBodies(out, *stored.bodies);
    }
    for (const StoredPropertyValue& property : stored.propertyValues) {
        if (property.definition == APIGuidFromString(PositionPropertyGuid)) {
            for (const char* known : {"Undefined", "Interior", "Exterior"}) {
                if (property.value.singleVariant.variant.guidValue == PositionValueKey(known)) {
                    out.Key("position");
                    out.String(known);
                }
            }
        }
    }
    out.EndObject();
}

void WriteAttributes(Writer& out) {
    auto& tables = Attributes().byType;
    auto named = [&](const StoredAttribute& stored) {
        out.StartObject();
        out.Key("name");
        WriteText(out, stored.name);
    };
    out.StartObject();
    out.Key("layers");
    out.StartArray();
    for (const StoredAttribute& stored : tables[API_LayerID]) {
        named(stored);
        out.Key("intersectionGroup");
        out.Int(stored.attribute.layer.conClassId);
        out.EndObject();
    }
    out.EndArray();
    out.Key("fills");
    out.StartArray();
    for (const StoredAttribute& stored : tables[API_FilltypeID]) {
        named(stored);
        out.Key("subtype");
        out.Int(stored.attribute.filltype.subType);
        out.EndObject();
    }
    out.EndArray();
    out.Key("surfaces");
    out.StartArray();
    for (const StoredAttribute& stored : tables[API_MaterialID]) {
        const API_MaterialType& m = stored.attribute.material;
        named(stored);
        WriteColour(out, m.surfaceRGB);
        out.Key("type");
        out.Int(m.mtype);
        out.Key("transparency");
        out.Int(m.transpPc);
        if (stored.textureFile != nullptr) {
            out.Key("texture");
            WriteText(out, stored.textureFile->ToDisplayText());
        }
        out.EndObject();
    }
    out.EndArray();
    out.Key("buildingMaterials");
    out.StartArray();
    for (const StoredAttribute& stored : tables[API_BuildingMaterialID]) {
        const API_BuildingMaterialType& b = stored.attribute.buildingMaterial;
        named(stored);
        out.Key("cutFill");
        out.Int(b.cutFill.ToInt32_Deprecated());
        out.Key("cutFillPen");
        out.Int(b.cutFillPen);
        out.Key("cutFillBackgroundPen");
        out.Int(b.cutFillBackgroundPen);
        out.Key("surface");
        out.Int(b.cutMaterial.ToInt32_Deprecated());
        out.Key("intersectionPriority");
        out.Int(b.connPriority);
        out.Key("showUncutLines");
        out.Bool(b.showUncutLines);
        out.EndObject();
    }
    out.EndArray();
    out.Key("zoneCategories");
    out.StartArray();
    for (const StoredAttribute& stored : tables[API_ZoneCatID]) {
        named(stored);
        WriteColour(out, stored.attribute.zoneCat.rgb);
        out.EndObject();
    }
    out.EndArray();
    out.EndObject();
}

void WriteEmbeddedLibrary(Writer& out) {
    std::vector<EmbeddedPartFile> files = EmbeddedPartFiles();
    if (files.empty()) {
        return;
    }
    out.Key("embeddedLibrary");
    out.StartArray();
    for (const EmbeddedPartFile& file : files) {
        out.StartObject();
        out.Key("index");
        out.Int(file.index);
        out.Key("path");
        out.String(file.path.c_str(), static_cast<rapidjson::SizeType>(file.path.size()));
        out.Key("content");
        out.String(file.content.c_str(), static_cast<rapidjson::SizeType>(file.content.size()));
        out.EndObject();
    }
    out.EndArray();
}

} // namespace

void LoadProject(const std::string& text) {
    rapidjson::Document document;
    document.Parse<rapidjson::kParseIterativeFlag>(text.c_str(), text.size());
    if (document.HasParseError()) {
        Fail("offset " + std::to_string(document.GetErrorOffset()),
             rapidjson::GetParseError_En(document.GetParseError()));
    }
    // Read into the open project, and put it back as it was when the file is refused.
    Model model = TheModel();
    ProjectSettings settings = Settings();
    AttributeTables attributes = Attributes();
    PropertySettings properties = Properties();
    LibraryState libraries = Libraries();
    try {
        ReadProject(Reader(document, "root"));
    } catch (...) {
        TheModel() = model;
        Settings() = settings;
        Attributes() = attributes;
        Properties() = properties;
        Libraries() = libraries;
        Model3DChanged();
        throw;
    }
}

std::string SaveProject() {
    rapidjson::StringBuffer buffer;
    Writer out(buffer);
    out.SetIndent(' ', 2);
    out.SetFormatOptions(rapidjson::kFormatSingleLineArray);
    const ProjectSettings& settings = Settings();
    out.StartObject();
    out.Key("format");
    out.String(FormatName);
    out.Key("version");
    out.Int(FormatVersion);
    out.Key("language");
    out.String(Properties().language == ProjectLanguage::German ? "de" : "en");
    out.Key("stories");
    out.StartObject();
    out.Key("first");
    out.Int(settings.firstStory);
    out.Key("lowestLevel");
    out.Double(settings.lowestLevel);
    out.Key("skipNullFloor");
    out.Bool(settings.skipNullFloor);
    out.Key("list");
    out.StartArray();
    for (const Story& story : settings.stories) {
        out.StartObject();
        out.Key("name");
        WriteText(out, story.name);
        out.Key("height");
        out.Double(story.height);
        out.EndObject();
    }
    out.EndArray();
    out.EndObject();
    out.Key("activeStory");
    out.Int(TheModel().activeStory);
    out.Key("workingUnits");
    out.StartObject();
    out.Key("lengthUnit");
    out.Int(FileNumberOfLengthUnit(settings.workingUnits.lengthUnit));
    out.Key("decimals");
    out.Int(settings.workingUnits.lenDecimals);
    out.Key("roundInch");
    out.Int(settings.workingUnits.roundInch);
    out.EndObject();
    out.Key("geoReference");
    WritePoint3D(out, settings.geoLocation.surveyPointPosition);
    out.Key("modelOffset");
    WritePoint3D(out, settings.modelOffset);
    out.Key("attributes");
    WriteAttributes(out);
    WriteEmbeddedLibrary(out);
    out.Key("elements");
    out.StartArray();
    for (const StoredElement& stored : TheModel().elements) {
        WriteElement(out, stored);
    }
    out.EndArray();
    if (std::any_of(TheModel().elements.begin(), TheModel().elements.end(),
                    [](const StoredElement& stored) { return !stored.solidLinks.empty(); })) {
        WriteSolidLinks(out);
    }
    out.EndObject();
    return std::string(buffer.GetString(), buffer.GetSize()) + "\n";
}

void OpenProjectFile(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw GS::Exception(GS::UniString::Printf("Cannot read the project file %s", path.c_str()));
    }
    std::stringstream text;
    text << file.rdbuf();
    LoadProject(text.str());
    Host().project = ProjectState::Opened;
    DeliverProjectEvent(APINotify_Open);
}

void SaveProjectFile(const std::string& path) {
    std::ofstream file(path);
    file << SaveProject();
    if (!file) {
        throw GS::Exception(GS::UniString::Printf("Cannot write the project file %s", path.c_str()));
    }
}

} // namespace StandIn
