#pragma once

#include "JSCommands/ContextCommands.hpp"
#include "JSCommands/MorphCommands.hpp"
#include "MeshChecks.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/HandleLedger.hpp"
#include "StandIn/JSONText.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/Project.hpp"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <optional>
#include <string>
#include <vector>

// A fresh host to plant elements in and run the exports against; every test must leave no memory
// handle behind.
class ExportTest : public ::testing::Test {
public:
    using Outline = std::vector<API_Coord>; // closed: the last point repeats the first

protected:
    void SetUp() override {
        StandIn::ResetHost();
        liveHandles = StandIn::HandleLedger::LiveCount();
    }
    void TearDown() override {
        EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveHandles);
        StandIn::ResetHost();
    }

    static std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (const StandIn::ReportLine& line : StandIn::Host().report) {
            lines.push_back(line.text.ToCStr(CC_UTF8).Get());
        }
        return lines;
    }

    static API_Tranmat Moved(double dx, double dy, double dz) {
        return {{1, 0, 0, dx, 0, 1, 0, dy, 0, 0, 1, dz}};
    }

    // A morph with the body (the default 1 m cube when none is given) under the matrix.
    static API_Guid PlantMorph(const API_Tranmat& placement,
                               const std::optional<Modeler::MeshBody>& body = std::nullopt) {
        StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_MorphID);
        defaults.element.morph.tranmat = placement;
        if (body) {
            defaults.memo.morphBody = body;
        }
        EXPECT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), NoError);
        return defaults.element.header.guid;
    }

    // A vertical prism over the contours (the outer one first, then holes) from 0 to height, as a mesh body.
    static Modeler::MeshBody PrismBody(const std::vector<Outline>& contours, double height) {
        return StandIn::MeshBodyOf(StandIn::Prism(contours, 0, height, 1));
    }

    // A 1 m cube with a seventh polygon (number 6) over four points on one line.
    static Modeler::MeshBody CubeWithACollinearFace() {
        Modeler::MeshBody body = PrismBody({{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}}, 1);
        std::vector<Int32> edges;
        for (double x : {0.0, 1.0, 2.0, 3.0}) {
            body.AddVertex({x, 5, 0});
        }
        for (UInt32 v = 8; v < 12; ++v) {
            edges.push_back(static_cast<Int32>(body.AddEdge(v, v == 11 ? 8 : v + 1)) + 1);
        }
        body.AddPolygon(edges);
        return body;
    }

    // The outline and the hole of a 4 x 4 m square ring, closed.
    static std::vector<Outline> SquareRing() {
        return {{{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}}, {{1, 1}, {1, 3}, {3, 3}, {3, 1}, {1, 1}}};
    }

    // One mesh of a square ring: closed, facing outwards, and its top and bottom covering the ring
    // without its hole, 2 x (16 - 4) m2 seen from above.
    static void ExpectOneOpenRing(const std::string& json) {
        const std::vector<MeshChecks::Mesh> meshes = MeshChecks::MeshesIn(json);
        ASSERT_EQ(meshes.size(), 1u);
        EXPECT_DOUBLE_EQ(MeshChecks::ProjectedArea(meshes[0], 2), 2 * 12e6);
        ASSERT_TRUE(MeshChecks::IsClosed(meshes[0]));
        ExpectSoundMeshes(meshes);
    }

    static API_Guid PlantSlab(const std::vector<Outline>& contours, double level = 0) {
        StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_SlabID);
        defaults.memo.coords.assign(1, {0, 0});
        defaults.memo.pends.assign(1, 0);
        for (const Outline& contour : contours) {
            defaults.memo.coords.insert(defaults.memo.coords.end(), contour.begin(), contour.end());
            defaults.memo.pends.push_back(static_cast<Int32>(defaults.memo.coords.size() - 1));
        }
        defaults.element.slab.poly = {static_cast<Int32>(defaults.memo.coords.size() - 1),
                                      static_cast<Int32>(contours.size()), 0};
        defaults.element.slab.level = level;
        EXPECT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), NoError);
        return defaults.element.header.guid;
    }

    static API_Guid PlantObject(API_Coord at, double angle = 0) {
        StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_ObjectID);
        defaults.element.object.pos = at;
        defaults.element.object.angle = angle;
        EXPECT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), NoError);
        return defaults.element.header.guid;
    }

    static API_Guid PlantZone() {
        StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_ZoneID);
        EXPECT_EQ(StandIn::PlantElement(&defaults.element, &defaults.memo), NoError);
        return defaults.element.header.guid;
    }

    static API_Guid PlantWall() {
        StandIn::ElementDefaults defaults = StandIn::DefaultsOf(API_WallID);
        defaults.element.wall.endC = {4, 0};
        EXPECT_EQ(StandIn::PlantElement(&defaults.element, nullptr), NoError);
        return defaults.element.header.guid;
    }

    static std::string BuildingMasses() {
        return JS::ToJSONText(JSCommands::MorphCommands::GetBuildingMassAsJson({}));
    }

    // The context as the page receives it: a script string.
    static std::string Context() {
        GS::Ref<JS::Base> result = JSCommands::ContextCommands::GetContext({});
        const GS::Ref<JS::Value> text = GS::DynamicCast<JS::Value>(result);
        EXPECT_TRUE(text != nullptr && text->GetType() == JS::Value::STRING);
        return text == nullptr ? std::string() : text->GetString().ToCStr(CC_UTF8).Get();
    }

    // As the page's JSON.parse reads it: no infinity, no NaN (RapidJSON without kParseNanAndInfFlag).
    static ::testing::AssertionResult IsStrictJson(const std::string& text) {
        rapidjson::Document document;
        document.Parse<rapidjson::kParseDefaultFlags>(text.c_str(), text.size());
        if (!document.HasParseError()) {
            return ::testing::AssertionSuccess();
        }
        const size_t at = document.GetErrorOffset();
        return ::testing::AssertionFailure()
               << "not JSON at offset " << at << ": " << text.substr(at < 40 ? 0 : at - 40, 80);
    }

    // Each mesh has triangles only, with indices in range, and a closed one faces outwards everywhere.
    static void ExpectSoundMeshes(const std::vector<MeshChecks::Mesh>& meshes) {
        for (size_t m = 0; m < meshes.size(); ++m) {
            EXPECT_TRUE(MeshChecks::AllTrianglesInRange(meshes[m])) << "mesh " << m;
            if (MeshChecks::IsClosed(meshes[m])) {
                EXPECT_EQ(MeshChecks::InwardFaces(meshes[m]), std::vector<size_t>{}) << "mesh " << m;
            }
        }
    }

private:
    Int32 liveHandles = 0;
};
