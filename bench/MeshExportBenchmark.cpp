// The context export over a selection of large meshes (about a million triangles in all): the JSON
// writing alone (meshes, groups, the document and its hash) and the whole getContext command through
// the host; "bytes_per_second" is the context text written per second, the aim at least 200 MB/s
// for the writing. Then TriangulateFace against earcut alone on the same faces; the aim for "ratio"
// (TriangulateFace's time over earcut's) is within 1.3.
#include "Geometry/ContextJson.hpp"
#include "Geometry/FaceTriangulation.hpp"
#include "JSCommands/ContextCommands.hpp"
#include "JSCommands/MorphCommands.hpp"
#include "JSValues.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/JSONText.hpp"
#include "StandIn/Project.hpp"

#include <benchmark/benchmark.h>
#include <mapbox/earcut.hpp>

#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int MeshCount = 10;
// Rings (and segments) of each sphere: 2 x 224 x 223, about 100 000 triangles.
constexpr int Rings = 224;

// A closed sphere of radius r (m) with as many segments as rings, at a site position, as a morph's body:
// vertices, one edge per triangle side, one polygon per triangle.
Modeler::MeshBody Sphere(double r, int rings = Rings) {
    Modeler::MeshBody body;
    auto index = [rings](int ring, int segment) {
        return static_cast<UInt32>(ring * rings + segment % rings);
    };
    for (int ring = 0; ring < rings; ++ring) {
        const double phi = M_PI * (ring + 0.5) / rings;
        for (int segment = 0; segment < rings; ++segment) {
            const double theta = 2 * M_PI * segment / rings;
            body.AddVertex({r * std::sin(phi) * std::cos(theta), r * std::sin(phi) * std::sin(theta),
                            r * std::cos(phi)});
        }
    }
    auto triangle = [&body](UInt32 a, UInt32 b, UInt32 c) {
        const Int32 ab = static_cast<Int32>(body.AddEdge(a, b)) + 1;
        const Int32 bc = static_cast<Int32>(body.AddEdge(b, c)) + 1;
        const Int32 ca = static_cast<Int32>(body.AddEdge(c, a)) + 1;
        body.AddPolygon({ab, bc, ca});
    };
    for (int ring = 0; ring + 1 < rings; ++ring) {
        for (int segment = 0; segment < rings; ++segment) {
            triangle(index(ring, segment), index(ring + 1, segment), index(ring + 1, segment + 1));
            triangle(index(ring, segment), index(ring + 1, segment + 1), index(ring, segment + 1));
        }
    }
    return body;
}

// The spheres planted as morphs spread over a site, all selected.
void PlantSelectedSpheres() {
    StandIn::ResetHost();
    std::vector<API_Guid> guids;
    for (int i = 0; i < MeshCount; ++i) {
        StandIn::ElementDefaults morph = StandIn::DefaultsOf(API_MorphID);
        morph.memo.morphBody = Sphere(7.5 + 0.123456 * i);
        morph.element.morph.tranmat.tmx[3] = 1234.5678 + 31.7 * i;
        morph.element.morph.tranmat.tmx[7] = 987.6543 - 17.3 * i;
        StandIn::PlantElement(&morph.element, &morph.memo);
        guids.push_back(morph.element.header.guid);
    }
    StandIn::SelectElements(guids);
}

double SecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The context as getContext writes it, from meshes already extracted; its size.
size_t WriteContext(const std::vector<JSCommands::MeshData>& meshes) {
    ContextJson::ContextWriter writer;
    for (const JSCommands::MeshData& mesh : meshes) {
        writer.AddMesh(mesh);
    }
    benchmark::DoNotOptimize(writer.Finish("custom geometry", "#AAAAAA"));
    return writer.Size();
}

std::vector<JSCommands::MeshData> SphereMeshes() {
    std::vector<JSCommands::MeshData> meshes;
    for (int i = 0; i < MeshCount; ++i) {
        const Modeler::MeshBody body = Sphere(7.5 + 0.123456 * i);
        JSCommands::MeshData& mesh = meshes.emplace_back();
        for (UInt32 v = 0; v < body.GetVertexCount(); ++v) {
            const VERT& p = body.GetConstVertex(v);
            mesh.vertices.Push(
                {(p.x + 1234.5678 + 31.7 * i) * 1000, (p.y + 987.6543 - 17.3 * i) * 1000, p.z * 1000});
        }
        for (UInt32 p = 0; p < body.GetPolygonCount(); ++p) {
            const Modeler::PGON& polygon = body.GetConstPolygon(p);
            GS::Array<int> face;
            for (Int32 j = polygon.fpedg; j <= polygon.lpedg; ++j) {
                face.Push(
                    body.GetConstEdge(static_cast<UInt32>(body.GetConstPolyEdge(static_cast<UInt32>(j)) - 1))
                        .vert1);
            }
            mesh.faces.Push(face);
        }
    }
    return meshes;
}

void ContextJsonWriting(benchmark::State& state) {
    const std::vector<JSCommands::MeshData> meshes = SphereMeshes();
    size_t bytes = 0;
    size_t triangles = 0;
    for (const JSCommands::MeshData& mesh : meshes) {
        triangles += mesh.faces.GetSize();
    }
    for (auto _ : state) {
        bytes = WriteContext(meshes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["triangles"] = static_cast<double>(triangles);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void GetContextCommand(benchmark::State& state) {
    PlantSelectedSpheres();
    size_t bytes = 0;
    for (auto _ : state) {
        GS::Ref<JS::Base> result = JSCommands::ContextCommands::GetContext({});
        bytes = dynamic_cast<JS::Value&>(*result).GetString().GetLength();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    StandIn::ResetHost();
}

// getContext over n objects (boxes from the host's 3D model), all selected: the aim is linear, the
// 8,000 within 20 times the 500.
void GetContextOfObjects(benchmark::State& state) {
    StandIn::ResetHost();
    std::vector<API_Guid> guids;
    const int count = static_cast<int>(state.range(0));
    for (int i = 0; i < count; ++i) {
        StandIn::ElementDefaults object = StandIn::DefaultsOf(API_ObjectID);
        object.element.object.pos = {3.0 * (i % 100), 3.0 * (i / 100)};
        StandIn::PlantElement(&object.element, &object.memo);
        guids.push_back(object.element.header.guid);
    }
    StandIn::SelectElements(guids);
    for (auto _ : state) {
        benchmark::DoNotOptimize(JSCommands::ContextCommands::GetContext({}));
    }
    state.counters["objects"] = count;
    StandIn::ResetHost();
}

// One morph of 2 x 707 x 706 = 998,284 triangles, selected; getContext and getBuildingMassAsJson on
// it, the mass export's result made into the text the page receives.
void PlantOneLargeMorph() {
    StandIn::ResetHost();
    StandIn::ElementDefaults morph = StandIn::DefaultsOf(API_MorphID);
    morph.memo.morphBody = Sphere(25.0, 707);
    StandIn::PlantElement(&morph.element, &morph.memo);
    StandIn::SelectElements({morph.element.header.guid});
}

void GetContextOfOneLargeMorph(benchmark::State& state) {
    PlantOneLargeMorph();
    for (auto _ : state) {
        benchmark::DoNotOptimize(JSCommands::ContextCommands::GetContext({}));
    }
    StandIn::ResetHost();
}

void BuildingMassOfOneLargeMorph(benchmark::State& state) {
    PlantOneLargeMorph();
    for (auto _ : state) {
        benchmark::DoNotOptimize(JS::ToJSONText(JSCommands::MorphCommands::GetBuildingMassAsJson({})));
    }
    StandIn::ResetHost();
}

// Faces of n corners in a vertical plane (x = 5 m), star-shaped with a wobble, so both the projection
// and earcut have work; and the same rings in 2D as TriangulateFace hands them to earcut.
struct Faces {
    JSCommands::MeshData mesh;
    std::vector<GS::Array<int>> faces;
    std::vector<std::vector<std::vector<std::array<double, 2>>>> rings;
};

Faces StarFaces(int corners, int count) {
    Faces faces;
    for (int f = 0; f < count; ++f) {
        GS::Array<int> face;
        std::vector<std::array<double, 2>> ring;
        for (int i = 0; i < corners; ++i) {
            const double angle = 2 * M_PI * i / corners;
            const double radius = 1000 * (1 + 0.3 * std::sin(7.0 * angle + f) * ((i % 2) ? 1 : 0.5));
            const double y = 100.0 * f + radius * std::cos(angle);
            const double z = radius * std::sin(angle);
            face.Push(static_cast<int>(faces.mesh.vertices.GetSize()));
            faces.mesh.vertices.Push({5000, y, z});
            ring.push_back({y, z});
        }
        faces.faces.push_back(face);
        faces.rings.push_back({ring});
    }
    return faces;
}

void TriangulateFaceAgainstEarcut(benchmark::State& state) {
    const int corners = static_cast<int>(state.range(0));
    const int count = std::max(1, 20000 / corners);
    Faces faces = StarFaces(corners, count);
    double faceSeconds = 0;
    double earcutSeconds = 0;
    for (auto _ : state) {
        faces.mesh.faces.Clear();
        const double seconds = SecondsOf([&] {
            for (size_t f = 0; f < faces.faces.size(); ++f) {
                benchmark::DoNotOptimize(MeshToolkit::TriangulateFace(faces.faces[f], faces.mesh,
                                                                      static_cast<UInt32>(f), "Bench"));
            }
        });
        state.SetIterationTime(seconds);
        faceSeconds += seconds;
        earcutSeconds += SecondsOf([&] {
            for (const auto& ring : faces.rings) {
                benchmark::DoNotOptimize(mapbox::earcut<uint32_t>(ring).data());
            }
        });
    }
    state.counters["faces"] = static_cast<double>(count);
    state.counters["ratio"] = faceSeconds / earcutSeconds;
}

} // namespace

BENCHMARK(ContextJsonWriting)->Unit(benchmark::kMillisecond);
BENCHMARK(GetContextCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(GetContextOfObjects)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(GetContextOfOneLargeMorph)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildingMassOfOneLargeMorph)->Unit(benchmark::kMillisecond);
BENCHMARK(TriangulateFaceAgainstEarcut)
    ->Arg(6)
    ->Arg(12)
    ->Arg(64)
    ->Arg(500)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
