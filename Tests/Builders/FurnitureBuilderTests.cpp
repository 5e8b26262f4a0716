#include "LibraryTestSupport.hpp"

#include "Builders/DoorBuilder.hpp"
#include "Builders/FurnitureBuilder.hpp"
#include "Builders/FurnitureGeometry.hpp"
#include "Main/ProjectEvents.hpp"
#include "StandIn/Attributes.hpp"
#include "StandIn/PlanDrawing.hpp"

#include <filesystem>

namespace {

using namespace Tolva;
using namespace Tolva::Builders;

constexpr double Pi = 3.14159265358979323846;

FurnitureShape Shape(const char* type, std::vector<TolvaPoint3D> points) {
    FurnitureShape shape;
    shape.type = type;
    for (const TolvaPoint3D& p : points) {
        shape.points.Push(p);
    }
    return shape;
}

FurnitureTemplate Template(const char* id, const char* name, std::vector<FurnitureShape> shapes) {
    FurnitureTemplate furniture;
    furniture.id = id;
    furniture.name = name;
    for (const FurnitureShape& shape : shapes) {
        furniture.shape2d.Push(shape);
    }
    return furniture;
}

FurnitureShape Square(double side) {
    return Shape("polyline", {{0, 0, 0}, {side, 0, 0}, {side, side, 0}, {0, side, 0}, {0, 0, 0}});
}

TEST(FurnitureGeometry, TellsTheHeightByTheWordsInTheName) {
    EXPECT_EQ(FurnitureHeightForName("Big WarDrobe 2"), 2100);
    EXPECT_EQ(FurnitureHeightForName("kitchen cabinet"), 2100);
    EXPECT_EQ(FurnitureHeightForName("Bookshelf"), 2100);
    EXPECT_EQ(FurnitureHeightForName("OTTOMAN"), 450);
    EXPECT_EQ(FurnitureHeightForName("Bar stool"), 450);
    EXPECT_EQ(FurnitureHeightForName("Sofa"), 800);
}

TEST(FurnitureGeometry, GivesAVerticalLineA100AndMeasuresEveryPoint) {
    FurnitureSize line =
        FurnitureFootprint(Template("t", "x", {Shape("polyline", {{500, 0, 0}, {500, 900, 0}})}));
    EXPECT_EQ(line.a, 100);
    EXPECT_EQ(line.b, 900);
    FurnitureSize none = FurnitureFootprint(Template("t", "x", {Shape("polyline", {})}));
    EXPECT_EQ(none.a, 100);
    EXPECT_EQ(none.b, 100);
    FurnitureSize spread = FurnitureFootprint(
        Template("t", "x", {Square(1000), Shape("bezier_curve", {{-200, 0, 0}, {0, 1500, 0}, {300, 0, 0}})}));
    EXPECT_EQ(spread.a, 1200) << "control points count";
    EXPECT_EQ(spread.b, 1500);
}

TEST(FurnitureGeometry, DrawsBezierShapesAndThinsPolylines) {
    auto lines = [](FurnitureShape shape) { return FurnitureOutlineLines(Template("t", "x", {shape})); };
    EXPECT_EQ(lines(Shape("bezier_curve", {{0, 0, 0}, {0, 500, 0}, {500, 500, 0}, {500, 0, 0}})).size(), 8u);
    EXPECT_EQ(lines(Shape("bezier_curve", {{0, 0, 0}, {250, 500, 0}, {500, 0, 0}})).size(), 8u);
    EXPECT_EQ(
        lines(Shape("bezier_curve", {{0, 0, 0}, {100, 0, 0}, {200, 0, 0}, {300, 0, 0}, {400, 0, 0}})).size(),
        4u);
    EXPECT_EQ(lines(Shape("polyline", {{0, 0, 0}, {0.05, 0, 0}, {0.1, 0, 0}})).size(), 0u);
    EXPECT_EQ(lines(Shape("circle", {{0, 0, 0}, {500, 0, 0}})).size(), 0u);
    const auto square = lines(Square(1000));
    ASSERT_EQ(square.size(), 4u);
    EXPECT_EQ(square[0], "LINE2 0.000000, 0.000000, 1.000000, 0.000000");
    EXPECT_EQ(square[3], "LINE2 0.000000, 1.000000, 0.000000, 0.000000") << "the closing point stays";

    GS::Array<TolvaPoint3D> flattened;
    GS::Array<TolvaPoint3D> cubic;
    for (TolvaPoint3D p : {TolvaPoint3D{0, 0, 5}, {0, 800, 5}, {800, 800, 5}, {800, 0, 5}}) {
        cubic.Push(p);
    }
    FlattenShape(cubic, flattened);
    ASSERT_EQ(flattened.GetSize(), 9u);
    EXPECT_DOUBLE_EQ(flattened[4].x, 400);
    EXPECT_DOUBLE_EQ(flattened[4].y, 600);
    EXPECT_EQ(flattened[4].z, 0);
    GS::Array<TolvaPoint3D> clustered;
    clustered.Push({0, 0, 0});
    clustered.Push({0.05, 0.1, 0});
    clustered.Push({0.1, 0, 0});
    FlattenShape(clustered, flattened);
    EXPECT_EQ(flattened.GetSize(), 1u);
}

TEST(FurnitureGeometry, TurnsAFlippedObjectByPi) {
    EXPECT_DOUBLE_EQ(FurnitureRotation({1, 0, 0}, true), Pi);
    EXPECT_DOUBLE_EQ(FurnitureRotation({0, -1, 0}, true), Pi / 2);
    EXPECT_DOUBLE_EQ(FurnitureRotation({0, -1, 0}, false), -Pi / 2);
    EXPECT_DOUBLE_EQ(FurnitureRotation({-1, -0.0, 0}, true), 0);
}

TEST(FurnitureGeometry, MakesOnlyTheFileNameSafe) {
    EXPECT_EQ(SafeLibraryFileName("Tolva - Bed"), "Tolva - Bed.gsm");
    EXPECT_EQ(SafeLibraryFileName("Tolva - ../../x"), "Tolva - ____x.gsm");
    EXPECT_STREQ((SafeLibraryFileName(GS::UniString("Tolva - a\\b:c*?\"<>|") + GS::UniString(u"\u0001d..."))
                      .ToCStr()
                      .Get()),
                 "Tolva - a_b_c_______d_.gsm");
    EXPECT_EQ(SafeLibraryFileName(GS::UniString(u"Tolva - Sessel f\u00fcr Z\u00fcrich")),
              GS::UniString(u"Tolva - Sessel f\u00fcr Z\u00fcrich.gsm"));
    EXPECT_EQ(SafeLibraryFileName(GS::UniString(std::string(300, 'x'))).GetLength(), 124u);
}

class Furniture : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        templates.Push(Template("bed", "Double Bed", {Square(1600)}));
        templates.Push(Template(
            "stool", "Stool", {Shape("bezier_curve", {{0, 0, 0}, {0, 400, 0}, {400, 400, 0}, {400, 0, 0}})}));
    }

    GSErrCode Place(const char* templateId, double x, double y, API_Guid& object, bool flipped = false) {
        FurnitureObject item;
        item.id = "item";
        item.planObjectTemplateId = templateId;
        item.location = {x, y, 0};
        item.direction = {1, 0, 0};
        item.isFlipped = flipped;
        return InStep([&] { return FurnitureBuilder::CreateFurniture(item, templates, 0, object); });
    }

    static double Param(const API_Guid& guid, const char* name) {
        for (const API_AddParType& p : *Stored(guid).memo->params) {
            if (std::string(p.name) == name) {
                return p.value.real;
            }
        }
        return -1;
    }

    GS::Array<FurnitureTemplate> templates;
};

TEST_F(Furniture, PlacesAnObjectOfTheTemplatesOwnPartOnTheFurnitureLayer) {
    API_Guid bed = {};
    ASSERT_EQ(Place("bed", 2000, 1000, bed, true), NoError);
    const API_Element& e = Stored(bed).element;
    const StandIn::RegisteredPart* part = StandIn::FindPart(e.object.libInd);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->part.name, "Tolva - Double Bed");
    EXPECT_EQ(part->embeddedPath, "Tolva Furniture/Tolva - Double Bed.gsm");
    EXPECT_EQ(part->part.script3D, "BLOCK A, B, ZZYZX\r\n");
    EXPECT_EQ(part->part.comment, "Tolva furniture: Double Bed");
    EXPECT_EQ(part->part.parentUnID,
              "{103E8D2C-8230-42E1-9597-46F84CCE28C0}-{00000000-0000-0000-0000-000000000000}");
    EXPECT_EQ(part->part.script2D.substr(0, 46), "LINE2 0.000000, 0.000000, 1.600000, 0.000000\r\n");
    EXPECT_EQ(StandIn::Libraries().overwriteSwitches, (std::vector<bool>{true, false}));
    EXPECT_DOUBLE_EQ(e.object.pos.x, 2.0);
    EXPECT_DOUBLE_EQ(e.object.angle, Pi);
    EXPECT_TRUE(e.object.reflected);
    EXPECT_DOUBLE_EQ(Param(bed, "A"), 1.6);
    EXPECT_DOUBLE_EQ(Param(bed, "ZZYZX"), 0.8);
    EXPECT_EQ(*Stored(bed).memo->elemInfoString, "Double Bed");
    const StandIn::StoredAttribute* layer = nullptr;
    for (const StandIn::StoredAttribute& a : StandIn::Attributes().byType[API_LayerID]) {
        if (a.attribute.header.index == e.header.layer) {
            layer = &a;
        }
    }
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->name, "Tolva Furniture");
    const auto lines = Lines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "[INFO] FurnitureLibraryManager: Created library part 'Tolva - Double Bed' with index " +
                      std::to_string(part->index) + " (4 LINE2 commands)"),
        lines.end());
}

TEST_F(Furniture, MakesNoSecondPartForTheSameTemplateId) {
    API_Guid a = {}, b = {};
    ASSERT_EQ(Place("bed", 0, 0, a), NoError);
    templates.Push(Template("bed", "Another Bed", {Square(900)}));
    ASSERT_EQ(Place("bed", 3000, 0, b), NoError);
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_LibraryPart_Create"), 1);
    EXPECT_EQ(Stored(a).element.object.libInd, Stored(b).element.object.libInd);
}

TEST_F(Furniture, ProjectsTheBoxWhenNoOutlineLineIsLongEnough) {
    templates.Push(Template("dot", "Dot", {Shape("polyline", {{0, 0, 0}, {0.05, 0, 0}})}));
    API_Guid dot = {};
    ASSERT_EQ(Place("dot", 0, 0, dot), NoError);
    EXPECT_EQ(StandIn::FindPart(Stored(dot).element.object.libInd)->part.script2D, "PROJECT2 3, 270, 2\r\n");
    EXPECT_NE(
        std::find(Lines().begin(), Lines().end(),
                  "[WARNING] FurnitureLibraryManager: No LINE2 commands generated, falling back to PROJECT2"),
        Lines().end());
}

TEST_F(Furniture, FailsForAMissingTemplateOrOneWithoutShapes) {
    templates.Push(Template("empty", "Empty", {}));
    API_Guid object = {};
    EXPECT_EQ(Place("nowhere", 0, 0, object), APIERR_BADPARS);
    EXPECT_EQ(Lines().back(), "[WARNING] FurnitureBuilder: Template not found: nowhere");
    EXPECT_EQ(Place("empty", 0, 0, object), APIERR_BADPARS);
    EXPECT_EQ(Lines().back(), "[WARNING] FurnitureBuilder: Template 'Empty' has no shape2d geometry");
}

TEST_F(Furniture, FallsBackToTheShippedPartAndFailsEveryItemWithoutItUntilAProjectEvent) {
    StandIn::Faults::Arm("ACAPI_LibraryPart_Create", APIERR_GENERAL, 100);
    API_Guid object = {};
    ASSERT_EQ(Place("bed", 0, 0, object), NoError);
    const StandIn::RegisteredPart* fallback = StandIn::FindPartByName("Tolva Furniture.gsm");
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(Stored(object).element.object.libInd, fallback->index);

    ProjectEventHandler(APINotify_New, 0);
    AddOnWithoutShippedParts();
    ClearLines();
    EXPECT_EQ(Place("bed", 0, 0, object), APIERR_GENERAL);
    EXPECT_EQ(Place("stool", 0, 0, object), APIERR_GENERAL);
    EXPECT_EQ(Copies(), 2) << "one copy before the event, one failed copy after it";
    EXPECT_EQ(Lines().back(), "[WARNING] FurnitureBuilder: Failed to load any furniture library part");

    StandIn::Host().ownLocation = TOLVA_ADDON_PATH;
    EXPECT_EQ(Place("stool", 0, 0, object), APIERR_GENERAL) << "kept until the project changes";
    ProjectEventHandler(APINotify_Open, 0);
    EXPECT_EQ(Place("stool", 0, 0, object), NoError);
}

TEST_F(Furniture, KeepsUnsafeNamesButWritesOnlyInsideTheLibraryFolder) {
    const GS::UniString nonAscii(u"Sessel f\u00fcr Z\u00fcrich \u6905\u5b50");
    templates.Push(Template("escape", "../../x", {Square(500)}));
    templates.Push(Template("long", std::string(300, 'L').c_str(), {Square(500)}));
    templates.Push(Template("intl", nonAscii.ToCStr().Get(), {Square(500)}));
    const std::filesystem::path folder = StandIn::EmbeddedLibraryFolder();
    for (const char* id : {"escape", "long", "intl"}) {
        API_Guid object = {};
        ASSERT_EQ(Place(id, 0, 0, object), NoError) << id;
        const StandIn::RegisteredPart* part = StandIn::FindPart(Stored(object).element.object.libInd);
        ASSERT_NE(part, nullptr);
        const std::filesystem::path file = (folder / part->embeddedPath).lexically_normal();
        EXPECT_EQ(file.parent_path(), folder / "Tolva Furniture") << id;
        EXPECT_TRUE(std::filesystem::exists(file)) << id;
    }
    EXPECT_NE(StandIn::FindPartByName("Tolva - ../../x"), nullptr) << "the part keeps its name";
    EXPECT_NE(StandIn::FindPartByName("Tolva - " + nonAscii), nullptr);
    const StandIn::RegisteredPart* longName =
        StandIn::FindPartByName("Tolva - " + GS::UniString(std::string(247, 'L')));
    ASSERT_NE(longName, nullptr) << "the name is cut to 255 characters";
    EXPECT_EQ(longName->embeddedPath.size(), std::string("Tolva Furniture/").size() + 124);
    EXPECT_FALSE(std::filesystem::exists(folder.parent_path() / "x.gsm"));
}

TEST_F(Furniture, AProjectSavedWithFurnitureAndDoorsLoadsWithItsEmbeddedLibrary) {
    API_Guid bed = {};
    ASSERT_EQ(Place("bed", 1000, 1000, bed), NoError);
    const API_Guid wall = PlantWall(0, 0, 4, 0);
    API_Guid door = {};
    ASSERT_EQ(InStep([&] {
                  Transition t;
                  t.id = "door";
                  t.location = {2000, 0, 0};
                  t.definitionId = "door";
                  GS::Array<API_Guid> walls;
                  walls.Push(wall);
                  return DoorBuilder::CreateDoor(t, walls, door);
              }),
              NoError);
    const std::string saved = StandIn::SaveProject();
    const std::string drawing = StandIn::DrawStory(0);

    StandIn::NewProject();
    EXPECT_EQ(StandIn::FindPartByName("Tolva Door.gsm"), nullptr);
    ASSERT_EQ(LoadError(saved), "loaded");
    EXPECT_EQ(StandIn::SaveProject(), saved);
    EXPECT_NE(StandIn::FindPartByName("Tolva Door.gsm"), nullptr);
    const StandIn::RegisteredPart* part = StandIn::FindPartByName("Tolva - Double Bed");
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(StandIn::EmbeddedLibraryFolder()) /
                                        part->embeddedPath));
    EXPECT_EQ(StandIn::DrawStory(0), drawing);
    EXPECT_NE(drawing.find("stroke=\"#a06a2a\" stroke-width=\"1.5\""), std::string::npos);
    EXPECT_TRUE(StandIn::Libraries().scriptProblems.empty());
}

} // namespace
