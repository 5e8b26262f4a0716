#include "ZoneTestSupport.hpp"

#include "ACAPinc.h"
#include "GSException.hpp"

namespace {

// The apartment with one more element appended to its element list.
std::string ApartmentWith(const std::string& element) {
    std::string text = ExampleProject("apartment.json");
    size_t end = text.rfind(']');
    return text.insert(end, ", " + element);
}

using GeometryInProjectFiles = AutomaticZones;

TEST_F(GeometryInProjectFiles, AnAutomaticZoneWithoutAPolygonIsDetectedWhenLoaded) {
    StandIn::LoadProject(ApartmentWith(
        R"({"type": "zone", "story": 0, "automatic": "innerEdge", "name": "Hall", "category": 1, "stamp": [3, 4]})"));
    const StandIn::StoredElement& zone = StandIn::TheModel().elements.back();
    EXPECT_FALSE(zone.element.zone.manual);
    EXPECT_FALSE(zone.element.zone.refLineFlag);
    ExpectContour(ContoursOf(zone.element.header.guid)[0],
                  {{0.15, 0.15}, {5.94, 0.15}, {5.94, 7.85}, {0.15, 7.85}});
    std::string saved = StandIn::SaveProject();
    EXPECT_NE(saved.find("\"automatic\": \"innerEdge\""), std::string::npos);
    EXPECT_EQ(LoadError(saved), "loaded");
    EXPECT_EQ(StandIn::SaveProject(), saved);
}

TEST_F(GeometryInProjectFiles, AnAutomaticZoneOutsideTheWallsIsRefused) {
    EXPECT_EQ(
        LoadError(ApartmentWith(R"({"type": "zone", "story": 0, "automatic": "referenceLine", "name": "Out",
                                          "category": 1, "stamp": [-3, 4]})")),
        "Project file, root.elements[16].stamp: no closed region of walls around the point");
    EXPECT_EQ(LoadError(ApartmentWith(R"({"type": "zone", "story": 0, "automatic": "round", "name": "Out",
                                          "category": 1, "stamp": [3, 4]})")),
              "Project file, root.elements[16].automatic: expected \"referenceLine\" or \"innerEdge\"");
}

const char* ZoneWithTwoBodies = R"({"type": "zone", "story": 0, "polygon": [[[0, 0], [1, 0], [1, 1], [0, 0]]],
    "name": "Two", "category": 1, "stamp": [0.5, 0.2], "bodies": [
      {"material": 1, "vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "edges": [[1, 2], [2, 3], [3, 1]],
       "polygons": [{"edges": [1, 2, 3]}]},
      {"material": 2, "vertices": [[0, 0, 1], [1, 0, 1], [1, 1, 1]], "edges": [[1, 2], [2, 3], [3, 1]],
       "polygons": [{"status": 1, "material": 1, "edges": [-3, -2, -1]}],
       "transform": [1, 0, 0, 5, 0, 1, 0, 6, 0, 0, 1, 7]}]})";

TEST_F(GeometryInProjectFiles, AZoneCanHaveTwoBodiesWhenTheProjectSaysSo) {
    StandIn::LoadProject(ApartmentWith(ZoneWithTwoBodies));
    API_ElemInfo3D info = {};
    ASSERT_EQ(ACAPI_ModelAccess_Get3DInfo(StandIn::TheModel().elements.back().element.header, &info),
              NoError);
    EXPECT_EQ(info.lbody - info.fbody, 1);
    API_Component3D component = {};
    component.header = {API_BodyID, info.lbody, 0, 0};
    ASSERT_EQ(ACAPI_ModelAccess_GetComponent(&component), NoError);
    EXPECT_EQ(component.body.nPgon, 1);
    EXPECT_EQ(component.body.iumat, 2);
    EXPECT_EQ(component.body.tranmat.tmx[11], 7);
    component.header = {API_PgonID, 1, 0, 0};
    ASSERT_EQ(ACAPI_ModelAccess_GetComponent(&component), NoError);
    EXPECT_EQ(component.pgon.status, APIPgon_Invis);
    std::string saved = StandIn::SaveProject();
    EXPECT_EQ(LoadError(saved), "loaded");
    EXPECT_EQ(StandIn::SaveProject(), saved);
}

TEST_F(GeometryInProjectFiles, BodiesReferringOutsideThemselvesAreRefused) {
    std::string text = ApartmentWith(ZoneWithTwoBodies);
    std::string badEdge = text;
    badEdge.replace(badEdge.find("[3, 1]"), 6, "[4, 1]");
    EXPECT_EQ(LoadError(badEdge),
              "Project file, root.elements[16].bodies[0].edges[2][0]: expected an integer from 1 to 3");
    std::string badReference = text;
    badReference.replace(badReference.find("[-3, -2, -1]"), 12, "[-4, -2, -1]");
    EXPECT_EQ(
        LoadError(badReference),
        "Project file, root.elements[16].bodies[1].polygons[0].edges[0]: expected an integer from -3 to 3");
}

TEST_F(GeometryInProjectFiles, SolidLinksAreSavedAndLoaded) {
    StandIn::LoadProject(ExampleProject("apartment.json"));
    const API_Guid wall = StandIn::TheModel().elements[0].element.header.guid;
    const API_Guid slab = StandIn::TheModel().elements[6].element.header.guid;
    ASSERT_EQ(InStep([&] { return ACAPI_Element_SolidLink_Create(wall, slab, APISolid_Substract, 0); }),
              NoError);
    std::string saved = StandIn::SaveProject();
    EXPECT_NE(saved.find("\"solidLinks\""), std::string::npos);
    StandIn::LoadProject(saved);
    ASSERT_EQ(StandIn::FindElement(wall)->solidLinks.size(), 1u);
    EXPECT_EQ(StandIn::FindElement(wall)->solidLinks[0].operatorGuid, slab);
    EXPECT_EQ(StandIn::SaveProject(), saved);
    std::string missing = saved;
    missing.replace(missing.find("\"operator\": \"") + 13, 8, "00000000");
    EXPECT_EQ(LoadError(missing), "Project file, root.solidLinks[0]: no such element");
}

TEST_F(GeometryInProjectFiles, GroupsAreSavedAndLoaded) {
    const char* group = "7E0F7E57-1B2C-4D3E-8F90-A1B2C3D4E5F6";
    StandIn::LoadProject(ApartmentWith(std::string(R"({"type": "slab", "story": 0, "group": ")") + group +
                                       R"(", "polygon": [[[0, 0], [1, 0], [1, 1], [0, 0]]], "thickness": 0.2,
                                          "material": 1}, {"type": "line", "story": 0, "group": ")" +
                                       group + R"(", "begin": [0, 0], "end": [1, 1]})"));
    const API_Guid line = StandIn::TheModel().elements.back().element.header.guid;
    API_Guid found = {};
    ASSERT_EQ(ACAPI_Grouping_GetRootGroup(line, &found), NoError);
    EXPECT_EQ(APIGuidToString(found), GS::UniString(group));
    GS::Array<API_Guid> members;
    ASSERT_EQ(ACAPI_Grouping_GetAllGroupedElems(found, &members), NoError);
    EXPECT_EQ(members.GetSize(), 2u);
    const std::string saved = StandIn::SaveProject();
    EXPECT_NE(saved.find(std::string("\"group\": \"") + group + "\""), std::string::npos);
    StandIn::LoadProject(saved);
    EXPECT_EQ(StandIn::SaveProject(), saved);
}

} // namespace
