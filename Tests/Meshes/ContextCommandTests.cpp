#include "ExportTestSupport.hpp"

#include "ACAPinc.h"
#include "Geometry/Crc32.hpp"
#include "JSCommands/ModelMeshes.hpp"
#include "StandIn/Attributes.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Stories.hpp"

#include <rapidjson/document.h>

#include <cmath>
#include <cstdio>

namespace {

const ExportTest::Outline Square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
const std::string NothingSelected =
    R"({"success":false,"error":"No elements selected. Please select Morphs, Slabs, Zones, Meshes, or Objects."})";
const std::string NothingExtracted =
    R"({"success":false,"error":"Failed to extract mesh data from any selected element."})";

class GetContext : public ExportTest {
protected:
    // The value of the context JSON, parsed.
    static rapidjson::Document Value(const std::string& context) {
        rapidjson::Document document;
        document.Parse(context.c_str());
        EXPECT_FALSE(document.HasParseError()) << context.substr(0, 200);
        rapidjson::Document value;
        if (!document.HasParseError() && document.HasMember("value")) {
            value.CopyFrom(document["value"], value.GetAllocator());
        }
        return value;
    }
    static std::vector<std::string> Types(const rapidjson::Value& items) {
        std::vector<std::string> types;
        for (const auto& item : items.GetArray()) {
            types.push_back(item["type"].GetString() +
                            (item.HasMember("name") ? std::string(" ") + item["name"].GetString() : ""));
        }
        return types;
    }
    static std::string Hash(const std::string& context) {
        const size_t at = context.rfind("\"hash\":\"");
        return at == std::string::npos ? std::string() : context.substr(at + 8, 8);
    }
};

TEST_F(GetContext, NeedsASelectionWithSomethingToExtract) {
    EXPECT_EQ(Context(), NothingSelected);
    StandIn::Faults::Arm("ACAPI_Selection_Get", APIERR_GENERAL);
    StandIn::SelectElements({PlantZone()});
    EXPECT_EQ(Context(), NothingSelected);
    StandIn::SelectElements({PlantWall()});
    EXPECT_EQ(Context(), NothingExtracted) << "a wall alone is passed over";
    EXPECT_TRUE(Lines().empty()) << "neither is logged";
}

TEST_F(GetContext, WritesTheDocumentWithTheHashOfItsValue) {
    StandIn::SelectElements({PlantSlab({Square})});
    const std::string context = Context();
    const std::string head = R"({"version":1,"type":"context","value":)";
    ASSERT_EQ(context.rfind(head + R"({"items":[{"vertices":[[0,0,-200],)", 0), 0u) << context.substr(0, 200);
    const size_t valueEnd = context.rfind(",\"hash\":\"");
    const std::string value = context.substr(head.size(), valueEnd - head.size());
    EXPECT_EQ(value.substr(value.find("],\"type\":\"mesh\"}]")),
              R"(],"type":"mesh"}],"name":"custom geometry","color":"#AAAAAA","blockDefinitions":{},)"
              R"("blockInstances":[],"type":"group"})");
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", ContextJson::ComputeCrc32(value.data(), value.size()));
    EXPECT_EQ(context.substr(valueEnd), std::string(",\"hash\":\"") + hash + "\"}");
    EXPECT_EQ(Lines(),
              std::vector<std::string>{std::string("[INFO] ContextCommands: Context JSON generated: 1 "
                                                   "elements extracted, hash=") +
                                       hash});
    EXPECT_EQ(Context(), context) << "the same selection, the same text and hash";
}

TEST_F(GetContext, AChangeInTheTenthDigitChangesTheHash) {
    const API_Guid slab = PlantSlab({{{1.234567891, 0}, {4, 0}, {4, 4}, {0, 4}, {1.234567891, 0}}});
    StandIn::SelectElements({slab});
    const std::string before = Hash(Context());
    StandIn::StoredMemo& memo = *StandIn::FindElement(slab)->memo;
    memo.coords[1].x = memo.coords[5].x = 1.234567892;
    // Changed in place, past the host's own calls, which would tell the 3D model.
    StandIn::Model3DChanged();
    const std::string after = Context();
    EXPECT_NE(after.find("[1234.567892,0,"), std::string::npos);
    EXPECT_NE(Hash(after), before);
}

TEST_F(GetContext, AZoneWithTwoBodiesGivesTwoMeshes) {
    const API_Guid zone = PlantZone();
    StandIn::FindElement(zone)->bodies =
        std::vector{StandIn::Prism({Square}, 0, 1, 2), StandIn::Prism({Square}, 5, 6, 2)};
    StandIn::SelectElements({zone});
    const std::string context = Context();
    EXPECT_EQ(Types(Value(context)["items"]), (std::vector<std::string>{"mesh", "mesh"}));
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(context);
    ASSERT_EQ(meshes.size(), 2u);
    EXPECT_EQ(meshes[1].vertices[0][2], 5000);
    ExpectSoundMeshes(meshes);
    EXPECT_NE(Lines().back().find("2 elements extracted"), std::string::npos)
        << "direct meshes count one each";
}

TEST_F(GetContext, AGroupIsExportedOnceWithAllItsMembers) {
    const API_Guid first = PlantSlab({Square});
    const API_Guid second = PlantZone();
    const API_Guid unselected = PlantObject({10, 10});
    const API_Guid wall = PlantWall();
    StandIn::GroupElements({first, second, unselected, wall});
    const API_Guid alone = PlantSlab({Square}, 3);
    StandIn::SelectElements({second, alone, first});
    const std::string context = Context();
    const rapidjson::Document value = Value(context);
    EXPECT_EQ(Types(value["items"]), (std::vector<std::string>{"mesh", "group groups"}));
    const rapidjson::Value& groups = value["items"][1];
    EXPECT_STREQ(groups["color"].GetString(), "#AAAAAA");
    EXPECT_FALSE(groups.HasMember("blockDefinitions"));
    EXPECT_TRUE(groups.HasMember("blockInstances"));
    EXPECT_EQ(Types(groups["items"]), std::vector<std::string>{"group group1"});
    const rapidjson::Value& group = groups["items"][0];
    EXPECT_EQ(Types(group["items"]), (std::vector<std::string>{"mesh", "mesh", "mesh"}))
        << "the wall is passed over";
    EXPECT_STREQ(group["color"].GetString(),
                 JSCommands::ContextCommands::GetElementColor(first).ToCStr().Get());
    EXPECT_NE(Lines().back().find("4 elements extracted"), std::string::npos);
}

TEST_F(GetContext, AGroupWhoseMembersCannotBeListedStaysEmptyButIsNumbered) {
    const API_Guid grouped = PlantSlab({Square});
    const API_Guid group = StandIn::GroupElements({grouped, PlantZone()});
    StandIn::GroupElements({PlantZone()});
    StandIn::SelectElements({grouped, StandIn::TheModel().elements.back().element.header.guid});
    StandIn::Faults::Arm("ACAPI_Grouping_GetAllGroupedElems", APIERR_GENERAL);
    const rapidjson::Document value = Value(Context());
    const rapidjson::Value& groups = value["items"][0];
    EXPECT_EQ(Types(groups["items"]), (std::vector<std::string>{"group group1", "group group2"}));
    EXPECT_TRUE(groups["items"][0]["items"].Empty());
    EXPECT_STREQ(groups["items"][0]["color"].GetString(), "#AAAAAA");
    EXPECT_EQ(Types(groups["items"][1]["items"]), std::vector<std::string>{"mesh"});
    EXPECT_EQ(Lines().front(), "[WARNING] ContextCommands: Failed to get the elements of group " +
                                   std::string(APIGuidToString(group).ToCStr().Get()) + ": -2130313215");
}

TEST_F(GetContext, ObjectsAreGroupsNumberedOverThoseThatGaveMeshes) {
    StandIn::Attributes().byType[API_MaterialID][0].attribute.material.surfaceRGB = {1, 0.5, 0.02};
    const API_Guid failing = PlantObject({5, 0});
    StandIn::SelectElements({PlantObject({0, 0}), failing, PlantObject({2, 0})});
    // The 3D info is asked for by each extraction and by the colour of each object that gave meshes.
    StandIn::Faults::Arm("ACAPI_ModelAccess_Get3DInfo", APIERR_GENERAL, 1, 2);
    const rapidjson::Document value = Value(Context());
    EXPECT_EQ(Types(value["items"]), std::vector<std::string>{"group objects"});
    const rapidjson::Value& objects = value["items"][0];
    EXPECT_EQ(Types(objects["items"]), (std::vector<std::string>{"group object1", "group object2"}));
    EXPECT_STREQ(objects["items"][1]["color"].GetString(), "#ff8005");
    EXPECT_DOUBLE_EQ(objects["items"][1]["items"][0]["vertices"][0][0].GetDouble(), 2000);
    EXPECT_EQ(Lines().front(),
              "[WARNING] ContextCommands: Object mesh extraction failed: Failed to get 3D info: "
              "-2130313215");
}

TEST_F(GetContext, ASlabWithAHoleKeepsItOpen) {
    StandIn::SelectElements({PlantSlab(SquareRing())});
    ExpectOneOpenRing(Context());
}

TEST_F(GetContext, PlacesBodiesByTheirMatrixAndTheModelOffset) {
    StandIn::Settings().modelOffset = {100, 50, 0};
    StandIn::SelectElements({PlantObject({2, 3}, M_PI / 2)});
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(Context());
    ASSERT_EQ(meshes.size(), 1u);
    MeshChecks::Point low = meshes[0].vertices[0], high = low;
    for (const MeshChecks::Point& v : meshes[0].vertices) {
        for (int i = 0; i < 3; ++i) {
            low[i] = std::min(low[i], v[i]);
            high[i] = std::max(high[i], v[i]);
        }
    }
    // The 1 m box turned a quarter about its placement point (2, 3).
    EXPECT_NEAR(low[0], 1000, 1e-6);
    EXPECT_NEAR(high[0], 2000, 1e-6);
    EXPECT_NEAR(low[1], 3000, 1e-6);
    EXPECT_NEAR(high[1], 4000, 1e-6);
    EXPECT_NEAR(high[2], 1000, 1e-6);
    ExpectSoundMeshes(meshes);
}

TEST_F(GetContext, HiddenPolygonsAreLeftOut) {
    const API_Guid zone = PlantZone();
    StandIn::Body3D box = StandIn::Prism({Square}, 0, 1, 1);
    box.polygons[1].status = APIPgon_Invis;
    StandIn::FindElement(zone)->bodies = std::vector{box};
    StandIn::SelectElements({zone});
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(Context());
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].faces.size(), 10u) << "the top's two triangles are missing";
}

TEST_F(GetContext, ABodyWithAVertexThatCannotBeReadIsLeftOut) {
    const API_Guid zone = PlantZone();
    StandIn::FindElement(zone)->bodies =
        std::vector{StandIn::Prism({Square}, 0, 1, 1), StandIn::Prism({Square}, 5, 6, 1)};
    StandIn::SelectElements({zone});
    StandIn::Faults::Arm("ACAPI_ModelAccess_GetComponent:Vertex", APIERR_GENERAL, 1, 3);
    const std::string context = Context();
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(context);
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].vertices[0][2], 5000) << "the second body";
    EXPECT_EQ(Lines().front(), "[WARNING] ContextCommands: 3D body 1 left out: its vertex 4 cannot be read "
                               "(-2130313215)");
    StandIn::Faults::Arm("ACAPI_ModelAccess_GetComponent:Vertex", APIERR_GENERAL, 2);
    StandIn::Host().report.clear();
    EXPECT_EQ(Context(), NothingExtracted);
    EXPECT_EQ(Lines().back(),
              "[WARNING] ContextCommands: Direct mesh extraction failed: No 3D bodies found for element");
}

TEST_F(GetContext, APolygonWithAnEdgeThatCannotBeReadIsLeftOutWhole) {
    StandIn::SelectElements({PlantZone()});
    StandIn::Faults::Arm("ACAPI_ModelAccess_GetComponent:PolygonEdge", APIERR_GENERAL, 1, 5);
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(Context());
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].faces.size(), 10u) << "the top, whose second polygon edge failed, is missing";
    EXPECT_EQ(Lines().front(),
              "[WARNING] ContextCommands: 3D polygon 2 of body 1 left out: a part of it cannot "
              "be read");
}

TEST_F(GetContext, TakesMorphsFromTheirBodyAndLeavesOutFacesThatCannotBeTriangulated) {
    const API_Tranmat placement = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 2}};
    StandIn::SelectElements({PlantMorph(placement, CubeWithACollinearFace())});
    const std::string context = Context();
    const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(context);
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].faces.size(), 12u);
    EXPECT_EQ(meshes[0].vertices[0][2], 2000);
    const std::string collinear =
        "Cannot export: Face 6 has collinear vertices (invalid geometry). Please fix the "
        "geometry in Archicad before exporting.";
    EXPECT_EQ(Lines()[0], "[ERROR] ContextCommands: " + collinear);
    EXPECT_EQ(Lines()[1], collinear);
    EXPECT_EQ(Lines().size(), 3u) << "then the context line";
}

// A 1 m cube whose first corner is moved to the point.
Modeler::MeshBody CubeWithCorner(API_Coord3D corner) {
    StandIn::Body3D cube = StandIn::Prism({Square}, 0, 1, 1);
    cube.vertices[0] = corner;
    return StandIn::MeshBodyOf(cube);
}

TEST_F(GetContext, CornersThatAreNoFiniteNumberLeaveTheirBodyOutAndTheJsonStrict) {
    // The host takes only finite numbers; placing them in millimetres can still overflow.
    API_Tranmat huge = Moved(0, 0, 0);
    huge.tmx[0] = huge.tmx[1] = 1e308;
    struct Case {
        const char* name;
        API_Coord3D corner;
        API_Tranmat placement;
        int firstBadZoneVertex;
    };
    const Case cases[] = {
        {"a corner at 1e306 m", {1e306, 0, 0}, Moved(0, 0, 0), 3},
        {"a corner at -1e306 m", {0, -1e306, 0}, Moved(0, 0, 0), 3},
        {"infinity less infinity, not a number",
         {10, -10, 0},
         huge,
         2}, // the zone's 2nd corner overflows first
    };
    for (const Case& c : cases) {
        StandIn::ResetHost();
        const API_Guid morph = PlantMorph(c.placement, CubeWithCorner(c.corner));
        const API_Guid zone = PlantZone();
        StandIn::FindElement(zone)->bodies =
            std::vector{StandIn::Prism({Square}, 0, 1, 1), StandIn::Prism({Square}, 5, 6, 1)};
        StandIn::FindElement(zone)->bodies->front().vertices[2] = c.corner;
        StandIn::FindElement(zone)->bodies->front().transform = c.placement;
        StandIn::SelectElements({morph, zone});
        const std::string context = Context();
        EXPECT_TRUE(IsStrictJson(context)) << c.name;
        const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(context);
        ASSERT_EQ(meshes.size(), 1u) << c.name << ": the zone's second body only";
        EXPECT_EQ(meshes[0].vertices[0][2], 5000) << c.name;
        const std::vector<std::string> lines = Lines();
        ASSERT_GE(lines.size(), 2u) << c.name;
        EXPECT_EQ(lines[0],
                  "[WARNING] ContextCommands: Direct mesh extraction failed: Morph vertex 0 is not a "
                  "finite point")
            << c.name;
        EXPECT_EQ(lines[1], "[WARNING] ContextCommands: 3D body 2 left out: its vertex " +
                                std::to_string(c.firstBadZoneVertex) + " is not a finite point")
            << c.name;

        StandIn::Host().report.clear();
        StandIn::SelectElements({morph});
        const std::string masses = BuildingMasses();
        EXPECT_TRUE(IsStrictJson(masses)) << c.name;
        EXPECT_EQ(masses, R"({"success":0,"error":"Morph vertex 0 is not a finite point"})") << c.name;
    }
}

} // namespace
