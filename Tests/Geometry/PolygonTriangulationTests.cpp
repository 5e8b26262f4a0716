#include "Browser/ReportLines.hpp"
#include "Geometry/PolygonTriangulation.hpp"
#include "MeshBuilders.hpp"

#include <cmath>

namespace {

using MeshBuilders::Face;
using PolygonTriangulation::Point2D;
using PolygonTriangulation::Triangle;

GS::Array<Point2D> Points(std::initializer_list<Point2D> points) {
    GS::Array<Point2D> list;
    for (const Point2D& point : points) {
        list.Push(point);
    }
    return list;
}

double Area(const GS::Array<Triangle>& triangles, const GS::Array<Point2D>& points) {
    double area = 0;
    for (const Triangle& t : triangles) {
        const Point2D& a = points[t.a];
        const Point2D& b = points[t.b];
        const Point2D& c = points[t.c];
        area += std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
    }
    return area;
}

// An L of 6 corners (area 3) after two unused points, so indices must be carried, not positions.
const GS::Array<Point2D> LPoints = Points({{9, 9}, {8, 8}, {0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}});

using Triangulate = ReportLines;

TEST_F(Triangulate, AnLShapedRingBecomesFourTrianglesOverItsOwnIndices) {
    GS::Array<Triangle> triangles;
    ASSERT_TRUE(PolygonTriangulation::Triangulate(Face({2, 3, 4, 5, 6, 7}), LPoints, triangles));
    EXPECT_EQ(triangles.GetSize(), 4u);
    EXPECT_DOUBLE_EQ(Area(triangles, LPoints), 3) << "covers the L and nothing outside it";
    for (const Triangle& t : triangles) {
        for (const int index : {t.a, t.b, t.c}) {
            EXPECT_GE(index, 2);
            EXPECT_LE(index, 7);
        }
    }
    EXPECT_TRUE(Lines().empty()) << "its timing is a DEBUG line";
}

TEST_F(Triangulate, ATriangleIsItselfAndFewerPointsAreRefused) {
    GS::Array<Triangle> triangles;
    triangles.Push({7, 7, 7});
    ASSERT_TRUE(PolygonTriangulation::Triangulate(Face({4, 2, 3}), LPoints, triangles));
    ASSERT_EQ(triangles.GetSize(), 1u) << "the list is cleared first";
    EXPECT_EQ(triangles[0].a, 4);
    EXPECT_EQ(triangles[0].b, 2);
    EXPECT_EQ(triangles[0].c, 3);
    EXPECT_FALSE(PolygonTriangulation::Triangulate(Face({2, 3}), LPoints, triangles));
    EXPECT_TRUE(triangles.IsEmpty());
    EXPECT_EQ(Lines(),
              std::vector<std::string>{
                  "[WARNING] PolygonTriangulation: Polygon has only 2 vertices (minimum 3 required)"});
}

TEST_F(Triangulate, IndicesOutsideThePointListAreRefused) {
    GS::Array<Triangle> triangles;
    EXPECT_FALSE(PolygonTriangulation::Triangulate(Face({2, 3, 4, 8}), LPoints, triangles));
    EXPECT_FALSE(PolygonTriangulation::Triangulate(Face({2, -1, 4, 5}), LPoints, triangles));
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[ERROR] PolygonTriangulation: Vertex index 8 out of bounds (vertex count: 8)",
                           "[ERROR] PolygonTriangulation: Vertex index -1 out of bounds (vertex count: 8)"}));
}

TEST_F(Triangulate, ARingWithoutAreaGivesNoTriangles) {
    const GS::Array<Point2D> line = Points({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    GS::Array<Triangle> triangles;
    EXPECT_FALSE(PolygonTriangulation::Triangulate(Face({0, 1, 2, 3}), line, triangles));
    EXPECT_EQ(Lines(),
              std::vector<std::string>{
                  "[ERROR] PolygonTriangulation: Earcut returned empty result for polygon with 4 vertices"});
}

TEST_F(Triangulate, HolesStayOpen) {
    const GS::Array<Point2D> points =
        Points({{0, 0}, {4, 0}, {4, 4}, {0, 4}, {1, 1}, {1, 3}, {3, 3}, {3, 1}, {9, 9}});
    const GS::Array<int> rings[] = {Face({0, 1, 2, 3}), Face({4, 5, 6, 7})};
    GS::Array<Triangle> triangles;
    ASSERT_TRUE(PolygonTriangulation::Triangulate(rings, points, triangles));
    EXPECT_DOUBLE_EQ(Area(triangles, points), 16 - 4);
    EXPECT_EQ(triangles.GetSize(), 8u);
}

} // namespace
