#include "Geometry/MeshOrientation.hpp"
#include "MeshBuilders.hpp"
#include "MeshChecks.hpp"

#include <gtest/gtest.h>

namespace {

using MeshBuilders::Face;
using MeshBuilders::Mesh;
using MeshBuilders::ScrambledPrism;

const MeshBuilders::Outline Square = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}, MeshBuilders::Fan(4)};
// Concave: its inner corner faces are level with the centroid, so facing away from it says nothing.
const MeshBuilders::Outline LShape = {{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}, MeshBuilders::Fan(6)};
// Concave: the inner faces of its notch face the centroid when they face outwards.
const MeshBuilders::Outline UShape = {{{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}},
                                      {{0, 1, 4}, {0, 4, 5}, {1, 2, 3}, {1, 3, 4}, {0, 5, 6}, {0, 6, 7}}};

void ExpectOutwards(JSCommands::MeshData mesh, const char* what) {
    MeshToolkit::OrientFacesOutward(mesh);
    const MeshChecks::Mesh checked = MeshChecks::Of(mesh);
    ASSERT_TRUE(MeshChecks::IsClosed(checked)) << what;
    EXPECT_EQ(MeshChecks::InwardFaces(checked), std::vector<size_t>{}) << what;
}

TEST(OrientFacesOutward, ABoxFacesOutwardsHoweverItWasWound) {
    for (unsigned scramble = 1; scramble <= 8; ++scramble) {
        JSCommands::MeshData box = ScrambledPrism(Square, 0, 1, scramble);
        ASSERT_EQ(box.vertices.GetSize(), 8u);
        ASSERT_EQ(box.faces.GetSize(), 12u);
        ExpectOutwards(box, "box");
    }
}

TEST(OrientFacesOutward, AConcaveBodyFacesOutwardsEverywhere) {
    for (unsigned scramble = 1; scramble <= 16; ++scramble) {
        ExpectOutwards(ScrambledPrism(LShape, 0, 3, scramble), "L-shaped prism");
        ExpectOutwards(ScrambledPrism(UShape, 0, 3, scramble), "U-shaped prism");
    }
}

TEST(OrientFacesOutward, TrianglesWithTheirOwnCopiesOfTheVerticesAreJoinedByPosition) {
    for (unsigned scramble = 1; scramble <= 16; ++scramble) {
        const JSCommands::MeshData shared = ScrambledPrism(UShape, 0, 3, scramble);
        JSCommands::MeshData soup = {};
        for (const GS::Array<int>& face : shared.faces) {
            const int first = static_cast<int>(soup.vertices.GetSize());
            for (const int index : face) {
                soup.vertices.Push(shared.vertices[index]);
            }
            soup.faces.Push(Face({first, first + 1, first + 2}));
        }
        MeshToolkit::OrientFacesOutward(soup);
        const MeshChecks::Mesh checked = MeshChecks::Of(soup);
        ASSERT_TRUE(MeshChecks::IsClosed(checked));
        EXPECT_EQ(MeshChecks::InwardFaces(checked), std::vector<size_t>{}) << "scramble " << scramble;
    }
}

TEST(OrientFacesOutward, SeparateBodiesInOneMeshEachFaceOutwards) {
    // The centroid of all vertices lies between the boxes: the faces turned to the other box face it.
    JSCommands::MeshData two = ScrambledPrism(Square, 0, 1, 3);
    const JSCommands::MeshData far = ScrambledPrism(Square, 0, 1, 5, 10);
    for (const GS::Array<int>& face : far.faces) {
        two.faces.Push(Face({face[0] + 8, face[1] + 8, face[2] + 8}));
    }
    for (const JSCommands::Vertex3D& v : far.vertices) {
        two.vertices.Push(v);
    }
    ExpectOutwards(two, "two boxes");
}

TEST(OrientFacesOutward, AnOpenBoxIsWoundAlikeAndAwayFromItsCentre) {
    for (unsigned scramble = 1; scramble <= 8; ++scramble) {
        JSCommands::MeshData box = ScrambledPrism(Square, 0, 1, scramble);
        box.faces.Delete(1); // the top's two triangles
        box.faces.Delete(2);
        MeshToolkit::OrientFacesOutward(box);
        for (const GS::Array<int>& face : box.faces) {
            const JSCommands::Vertex3D& a = box.vertices[face[0]];
            const JSCommands::Vertex3D& b = box.vertices[face[1]];
            const JSCommands::Vertex3D& c = box.vertices[face[2]];
            const MeshChecks::Point normal =
                MeshChecks::Cross({b.x - a.x, b.y - a.y, b.z - a.z}, {c.x - a.x, c.y - a.y, c.z - a.z});
            const MeshChecks::Point out = {(a.x + b.x + c.x) / 3 - 0.5, (a.y + b.y + c.y) / 3 - 0.5,
                                           (a.z + b.z + c.z) / 3 - 0.5};
            EXPECT_GT(MeshChecks::Dot(normal, out), 0) << "scramble " << scramble;
        }
    }
}

TEST(OrientFacesOutward, LeavesWhatIsNotATriangleAlone) {
    JSCommands::MeshData mesh = Mesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 2, 0}},
                                     {{0, 1, 2, 3}, {0, 1, 4}, {0, 0, 1}, {0, 1}, {0, 2, 9}});
    const JSCommands::MeshData before = mesh;
    MeshToolkit::OrientFacesOutward(mesh);
    for (USize f = 0; f < mesh.faces.GetSize(); ++f) {
        if (f != 1) {
            EXPECT_EQ(mesh.faces[f], before.faces[f]) << "face " << f;
        }
    }
    JSCommands::MeshData empty = {};
    MeshToolkit::OrientFacesOutward(empty);
    EXPECT_TRUE(empty.faces.IsEmpty());
}

TEST(OrientFacesOutward, AMeshFacingOutwardsStaysAsItIs) {
    JSCommands::MeshData mesh = ScrambledPrism(LShape, 0, 3, 7);
    MeshToolkit::OrientFacesOutward(mesh);
    const JSCommands::MeshData once = mesh;
    MeshToolkit::OrientFacesOutward(mesh);
    for (USize f = 0; f < mesh.faces.GetSize(); ++f) {
        EXPECT_EQ(mesh.faces[f], once.faces[f]);
    }
}

} // namespace
