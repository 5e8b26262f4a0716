#include "Browser/ReportLines.hpp"
#include "Geometry/FaceNormal.hpp"
#include "Geometry/FaceTriangulation.hpp"
#include "MeshBuilders.hpp"
#include "MeshChecks.hpp"

namespace {

using MeshBuilders::Face;
using MeshBuilders::Mesh;

// The normals of the mesh's triangles all point along (nx, ny, nz).
void ExpectWoundAlong(const JSCommands::MeshData& mesh, double nx, double ny, double nz) {
    for (const GS::Array<int>& face : mesh.faces) {
        double x = 0, y = 0, z = 0;
        ASSERT_TRUE(MeshToolkit::ComputeFaceNormal(face, mesh, x, y, z));
        EXPECT_NEAR(x, nx, 1e-9);
        EXPECT_NEAR(y, ny, 1e-9);
        EXPECT_NEAR(z, nz, 1e-9);
    }
}

TEST(ComputeFaceNormal, FollowsTheWindingAndRefusesFacesWithoutArea) {
    const JSCommands::MeshData mesh =
        Mesh({{0, 0, 5}, {3, 0, 5}, {3, 2, 5}, {0, 2, 5}, {6, 0, 5}, {9, 0, 5}, {0, 0, 5 + 1e-12}});
    double nx = 0, ny = 0, nz = 0;
    ASSERT_TRUE(MeshToolkit::ComputeFaceNormal(Face({0, 1, 2, 3}), mesh, nx, ny, nz));
    EXPECT_DOUBLE_EQ(nz, 1);
    ASSERT_TRUE(MeshToolkit::ComputeFaceNormal(Face({3, 2, 1, 0}), mesh, nx, ny, nz));
    EXPECT_DOUBLE_EQ(nz, -1);
    EXPECT_FALSE(MeshToolkit::ComputeFaceNormal(Face({0, 1, 4, 5}), mesh, nx, ny, nz)) << "collinear";
    EXPECT_FALSE(MeshToolkit::ComputeFaceNormal(Face({0, 1}), mesh, nx, ny, nz));
    EXPECT_FALSE(MeshToolkit::ComputeFaceNormal(Face({0, 6, 1}), mesh, nx, ny, nz))
        << "a sliver far below 1e-10 counts as degenerate";
}

using TriangulateFace = ReportLines;

TEST_F(TriangulateFace, AnLShapedFaceBecomesFourTrianglesWoundLikeIt) {
    // Clockwise seen from above: the triangles must point down as the face does.
    JSCommands::MeshData mesh = Mesh({{0, 0, 1}, {0, 2, 1}, {1, 2, 1}, {1, 1, 1}, {2, 1, 1}, {2, 0, 1}});
    ASSERT_TRUE(MeshToolkit::TriangulateFace(Face({0, 1, 2, 3, 4, 5}), mesh, 4, "MorphCommands"));
    ASSERT_EQ(mesh.faces.GetSize(), 4u);
    ExpectWoundAlong(mesh, 0, 0, -1);
    EXPECT_DOUBLE_EQ(MeshChecks::ProjectedArea(MeshChecks::Of(mesh), 2), 3);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(TriangulateFace, AVerticalFaceIsTriangulatedInTheYZPlane) {
    // Normal along +x; its outline only has area seen along x, so any other plane would fail.
    JSCommands::MeshData mesh = Mesh({{5, 0, 0}, {5, 3, 0}, {5, 3, 1}, {5, 2, 1}, {5, 2, 2}, {5, 0, 2}});
    ASSERT_TRUE(MeshToolkit::TriangulateFace(Face({0, 1, 2, 3, 4, 5}), mesh, 0, "MorphCommands"));
    EXPECT_EQ(mesh.faces.GetSize(), 4u);
    ExpectWoundAlong(mesh, 1, 0, 0);
    EXPECT_DOUBLE_EQ(MeshChecks::ProjectedArea(MeshChecks::Of(mesh), 0), 5);
}

TEST_F(TriangulateFace, ACollinearFaceIsReportedTwiceAndGivesNothing) {
    JSCommands::MeshData mesh = Mesh({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
    EXPECT_FALSE(MeshToolkit::TriangulateFace(Face({0, 1, 2, 3}), mesh, 7, "ContextCommands"));
    EXPECT_TRUE(mesh.faces.IsEmpty());
    const std::string text =
        "Cannot export: Face 7 has collinear vertices (invalid geometry). Please fix the "
        "geometry in Archicad before exporting.";
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[ERROR] ContextCommands: " + text, text}));
}

TEST_F(TriangulateFace, AFaceEarcutCannotDoIsReportedTwice) {
    // A twisted, self-crossing face: it has a normal, but earcut finds no ear in its projection.
    JSCommands::MeshData mesh =
        Mesh({{-2, 2, 1}, {-1, 0, 2}, {2, 0, 2}, {-2, -2, 1}, {2, -2, -2}, {2, -1, 2}});
    EXPECT_FALSE(MeshToolkit::TriangulateFace(Face({0, 1, 2, 3, 4, 5}), mesh, 2, "MorphCommands"));
    EXPECT_TRUE(mesh.faces.IsEmpty());
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{
                  "[ERROR] PolygonTriangulation: Earcut returned empty result for polygon with 6 vertices",
                  "Failed to triangulate face 2 with 6 vertices",
                  "[WARNING] MorphCommands: Failed to triangulate face 2 with 6 vertices"}));
}

TEST_F(TriangulateFace, PolygonsKeepTheirHolesOpen) {
    // A 4 x 4 face at z = 0 with a 2 x 2 hole, and a sliver hole of two points that is dropped.
    JSCommands::MeshData mesh = Mesh(
        {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {1, 1, 0}, {1, 3, 0}, {3, 3, 0}, {3, 1, 0}, {2, 2, 0}});
    MeshToolkit::FaceContours contours;
    contours.Push(Face({0, 1, 2, 3}));
    contours.Push(Face({4, 5, 6, 7}));
    contours.Push(Face({8, 4}));
    ASSERT_TRUE(MeshToolkit::AddPolygonFaces(contours, mesh, 1, "ContextCommands"));
    EXPECT_DOUBLE_EQ(MeshChecks::ProjectedArea(MeshChecks::Of(mesh), 2), 12);
    ExpectWoundAlong(mesh, 0, 0, 1);
}

TEST_F(TriangulateFace, LoneTrianglesAreKeptAndShortOutlinesGiveNothing) {
    JSCommands::MeshData mesh = Mesh({{0, 0, 0}, {1, 0, 0}, {2, 2, 2}, {3, 3, 3}});
    MeshToolkit::FaceContours triangle;
    triangle.Push(Face({3, 1, 0}));
    ASSERT_TRUE(MeshToolkit::AddPolygonFaces(triangle, mesh, 0, "MorphCommands"));
    MeshToolkit::FaceContours segment;
    segment.Push(Face({0, 1}));
    segment.Push(Face({0, 1, 2}));
    ASSERT_TRUE(MeshToolkit::AddPolygonFaces(segment, mesh, 1, "MorphCommands"));
    ASSERT_EQ(mesh.faces.GetSize(), 1u);
    EXPECT_EQ(mesh.faces[0], Face({3, 1, 0})) << "taken as it is, even without a check of its area";
    EXPECT_TRUE(Lines().empty());
}

} // namespace
