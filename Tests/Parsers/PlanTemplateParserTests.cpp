#include "Parsers/PlanTemplateParser.hpp"

#include "ReportLog.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace Tolva;
using namespace Tolva::Parsers;

namespace {

class PlanTemplateParserTest : public ::testing::Test {
protected:
    void SetUp() override { ClearReport(); }

    // Wraps the members in a planTemplate that has its identity fields.
    bool ParseBody(const std::string& members) {
        std::string text = R"({"planTemplate": {"type": "plan", "planType": "unit", "id": "p1")" +
                           std::string(members.empty() ? "" : ", ") + members + "}}";
        return ParsePlanTemplate(text.c_str(), plan, errorText);
    }

    std::string Fails(const std::string& text) {
        PlanTemplate fresh;
        GS::UniString error;
        EXPECT_FALSE(ParsePlanTemplate(text.c_str(), fresh, error));
        return error.ToCStr().Get();
    }

    PlanTemplate plan;
    GS::UniString errorText;
};

const char* Square = R"({"type": "polygon", "polylines": [{"type": "polyline",
    "points": [[0, 0, 0], [10, 0, 0], [10, 10, 0]]}]})";

} // namespace

TEST_F(PlanTemplateParserTest, RootMessages) {
    EXPECT_EQ(Fails("{}"), "Missing required field 'planTemplate' at root level");
    EXPECT_EQ(Fails("[]"), "Root JSON element is not an object");
    EXPECT_EQ(Fails(""), "JSON parse error: The document is empty. at offset 0");
    EXPECT_EQ(Fails(" 12"), "JSON parse error: Unspecific syntax error. at offset 1");
    EXPECT_EQ(Fails("{} {}"),
              "JSON parse error: The document root must not be followed by other values. at offset 3");
    EXPECT_EQ(Fails(R"({"planTemplate": 1})"), "Field 'planTemplate' must be an object");
    EXPECT_EQ(Fails(R"({"planTemplate": {"planType": "u", "id": "i"}})"),
              "Missing required field 'type' in planTemplate");
    EXPECT_EQ(Fails(R"({"planTemplate": {"type": "p", "planType": 3, "id": "i"}})"),
              "Field 'planType' must be a string");
    EXPECT_EQ(Fails(R"({"planTemplate": {"type": "p", "planType": "u"}})"),
              "Missing required field 'id' in planTemplate");
}

TEST_F(PlanTemplateParserTest, IdentityAloneGivesAnEmptyPlan) {
    ASSERT_TRUE(ParseBody(""));
    EXPECT_EQ(plan.id, "p1");
    EXPECT_TRUE(plan.subContainers.IsEmpty());
    EXPECT_TRUE(plan.name.IsEmpty());
    EXPECT_TRUE(ReportLines().empty());
}

TEST_F(PlanTemplateParserTest, ContainerWithTwoNumberPointIsDroppedWithThreeWarnings) {
    ASSERT_TRUE(ParseBody(R"("subContainers": [
        {"type": "c", "containedPlanType": "room", "id": "bad", "bounds": {"type": "polygon",
            "polylines": [{"type": "polyline", "points": [[1, 2]]}]}},
        {"type": "c", "containedPlanType": "room", "id": "good", "bounds": )" +
                          std::string(Square) + R"(, "transform": [1,2,3,4,5,6,7,8,9,10,11,12]},
        {"type": "c", "containedPlanType": "room", "id": "nobounds"}])"));
    ASSERT_EQ(plan.subContainers.GetSize(), 1u);
    EXPECT_EQ(plan.subContainers[0].id, "good");
    EXPECT_EQ(plan.subContainers[0].transform.m[1], 0.0);
    EXPECT_EQ(
        ReportLines(),
        (std::vector<std::string>{
            "[WARNING] PlanTemplateParser: Point3D parsing failed: array has 2 elements, expected at least 3",
            "[WARNING] PlanTemplateParser: Polyline parsing failed: invalid point at index 0",
            "[WARNING] PlanTemplateParser: Polygon parsing failed: invalid polyline at index 0"}));
}

TEST_F(PlanTemplateParserTest, NonNumericCoordinatesFailThePointWithAWarning) {
    ASSERT_TRUE(ParseBody(R"("transitions": [{"id": "t", "type": "door", "location": [0, "1", 0],
        "direction": [0, 1, 0]}])"));
    EXPECT_TRUE(plan.transitions.IsEmpty());
    EXPECT_EQ(ReportLines(),
              std::vector<std::string>{
                  "[WARNING] PlanTemplateParser: Point3D parsing failed: element 1 is not a number"});
}

TEST_F(PlanTemplateParserTest, FractionalEdgeIndexWarnsAndKeepsMinusOne) {
    ASSERT_TRUE(ParseBody(R"("dividers": [{"type": "d", "id": "d1", "scope": "unit", "edgeIndex": 2.5},
        {"type": "d", "id": "d2", "scope": "unit", "edgeIndex": 4}])"));
    ASSERT_EQ(plan.dividers.GetSize(), 2u);
    EXPECT_EQ(plan.dividers[0].edgeIndex, -1);
    EXPECT_EQ(plan.dividers[1].edgeIndex, 4);
    EXPECT_EQ(ReportLines(),
              std::vector<std::string>{
                  "[WARNING] PlanTemplateParser: Field 'edgeIndex' is not an integer (expected integer)"});
}

TEST_F(PlanTemplateParserTest, WallGuidesKeepTheFirstOfARepeatedKeyAndEveryEdgeAtItsPlace) {
    ASSERT_TRUE(ParseBody(
        R"("wallGuides": {"edgeGraph": {"edges": [[0, 1], [1, 2.5], [0, 1, 2], [1, 4294967296], "e", [1, 0]],
        "vertices": [[0, 0, 0], [1, 0, 0]]},
        "guides": {"0": {"geometry": {"type": "thick", "width": 250}}, "0": {"geometry": {"type": "thin"}},
                   "1": {"source": "story-plan"}}})"));
    const Tolva::WallGuides& guides = plan.wallGuides;
    ASSERT_EQ(guides.edges.GetSize(), 6u);
    EXPECT_EQ(guides.vertices.GetSize(), 2u);
    std::vector<bool> usable;
    for (USize i = 0; i < guides.edges.GetSize(); ++i) {
        usable.push_back(Tolva::IsUsableEdge(guides, i));
    }
    EXPECT_EQ(usable, (std::vector<bool>{true, false, false, false, false, true}));
    EXPECT_EQ(guides.edges[2].GetSize(), 3u) << "an edge of three indices keeps them";
    ASSERT_EQ(guides.guides.GetSize(), 2u);
    EXPECT_EQ(Tolva::GuideOfEdge(guides, 0)->geometryType, "thick");
    EXPECT_EQ(Tolva::GuideOfEdge(guides, 0)->width, 250.0);
    EXPECT_EQ(Tolva::GuideOfEdge(guides, 1)->geometryType, "simple");
    EXPECT_EQ(Tolva::GuideOfEdge(guides, 5), nullptr);
    EXPECT_EQ(
        ReportLines(),
        (std::vector<std::string>{
            "[WARNING] PlanTemplateParser: Wall guide edge 1 is unusable: its indices must be integers",
            "[WARNING] PlanTemplateParser: Wall guide edge 3 is unusable: its indices must be integers"}));
}

TEST_F(PlanTemplateParserTest, AMalformedVertexKeepsItsPlaceAndMakesItsEdgesUnusable) {
    ASSERT_TRUE(ParseBody(R"("wallGuides": {"edgeGraph": {"edges": [[0, 1], [1, 2], [0, 2]],
        "vertices": [[0, 0, 0], [1, "x", 0], [2, 0, 0]]}})"));
    const Tolva::WallGuides& guides = plan.wallGuides;
    ASSERT_EQ(guides.vertices.GetSize(), 3u);
    EXPECT_EQ(guides.vertices[2].x, 2.0) << "the vertex after the malformed one keeps its index";
    EXPECT_FALSE(Tolva::IsUsableEdge(guides, 0));
    EXPECT_FALSE(Tolva::IsUsableEdge(guides, 1));
    EXPECT_TRUE(Tolva::IsUsableEdge(guides, 2));
}

TEST_F(PlanTemplateParserTest, PlanObjectsKeepOnlyFurniture) {
    ASSERT_TRUE(ParseBody(R"("planObjects": [
        {"id": "a", "type": "plan_object_instance", "location": [1, 2, 3], "direction": [0, 1, 0]},
        {"id": "b", "type": "plan_object", "objectType": "fixture", "location": [1, 2, 3], "direction": [0, 1, 0]},
        {"id": "c", "type": "door", "location": [1, 2, 3], "direction": [0, 1, 0]}])"));
    ASSERT_EQ(plan.planObjects.GetSize(), 1u);
    EXPECT_EQ(plan.planObjects[0].id, "a");
    EXPECT_EQ(plan.planObjects[0].location.z, 3.0);
}

TEST_F(PlanTemplateParserTest, ParsesTheExamplePlan) {
    std::ifstream file(TOLVA_SOURCE_DIR "/examples/plans/one-unit-plan.json");
    std::stringstream text;
    text << file.rdbuf();
    ASSERT_TRUE(ParsePlanTemplate(text.str().c_str(), plan, errorText)) << errorText.ToCStr().Get();
    EXPECT_EQ(plan.subContainers.GetSize(), 4u);
    EXPECT_EQ(plan.transitions.GetSize(), 3u);
    EXPECT_TRUE(plan.transitions[0].hasTransforms);
    EXPECT_EQ(plan.transitions[0].center.m[3], 2600.0);
    EXPECT_EQ(plan.planObjects.GetSize(), 2u);
    EXPECT_EQ(plan.spaceTypes[0].className, "residential");
    EXPECT_EQ(plan.wallGuides.guides.GetSize(), 10u);
    EXPECT_TRUE(ReportLines().empty());
}
