#include "Builders/WallCollectors.hpp"

#include "Logging/Logger.hpp"

#include <functional>

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";
constexpr double UnknownStoryHeight = 3000.0;

short FloorOfStory(const TolvaStory& story, const ElevationFloorMap& elevationMap, short floorOffset) {
    return static_cast<short>(StoryMappingUtils::FindFloorForElevation(story.heightOffset, elevationMap) +
                              floorOffset);
}

WallSegment MakeSegment(const TolvaPoint3D& start, const TolvaPoint3D& end, double thickness, double height,
                        short floor, double slabThickness, WallLayerKind kind) {
    WallSegment segment;
    segment.start = start;
    segment.end = end;
    segment.thickness = thickness;
    segment.height = height;
    segment.floorIndex = floor;
    segment.slabThickness = slabThickness;
    segment.isExterior = kind == WallLayerKind::FacadeWalls;
    segment.layerKind = kind;
    PutInCanonicalOrder(segment);
    return segment;
}

// One segment per usable edge of positive width whose guide the filter accepts.
void CollectGraphWalls(const WallGuides& wallGuides, const std::function<bool(const WallGuide&)>& accepts,
                       double height, short floor, double slabThickness, WallLayerKind kind,
                       GS::Array<WallSegment>& segments) {
    for (USize i = 0; i < wallGuides.edges.GetSize(); ++i) {
        const WallGuide* guide = GuideOfEdge(wallGuides, i);
        if (!IsUsableEdge(wallGuides, i) || guide == nullptr || !(guide->width > 0.0) || !accepts(*guide)) {
            continue;
        }
        const GS::Array<Int32>& edge = wallGuides.edges[i];
        segments.Push(MakeSegment(wallGuides.vertices[static_cast<USize>(edge[0])],
                                  wallGuides.vertices[static_cast<USize>(edge[1])], guide->width, height,
                                  floor, slabThickness, kind));
    }
}

double FacadeThickness(const WallGuides& wallGuides) {
    for (USize i = 0; i < wallGuides.edges.GetSize(); ++i) {
        const WallGuide* guide = GuideOfEdge(wallGuides, i);
        if (guide != nullptr && guide->source == "facade" && guide->width > 0.0) {
            return guide->width;
        }
    }
    return DefaultFacadeThickness;
}

bool SamePoint(const TolvaPoint3D& a, const TolvaPoint3D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

void CollectRing(const TolvaPolyline& polyline, Int32 storyPosition, Int32 polylinePosition, double thickness,
                 double height, short floor, double slabThickness, GS::Array<WallSegment>& segments) {
    const GS::Array<TolvaPoint3D>& points = polyline.points;
    USize n = points.GetSize();
    if (n > 1 && SamePoint(points[n - 1], points[0])) {
        --n;
    }
    if (n == 0) {
        return;
    }
    if (n < 3) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Story %d polyline %d has insufficient points (%d), skipping",
                                              storyPosition, polylinePosition, static_cast<Int32>(n)));
        return;
    }
    for (USize k = 0; k < n; ++k) {
        segments.Push(MakeSegment(points[k], points[(k + 1) % n], thickness, height, floor, slabThickness,
                                  WallLayerKind::FacadeWalls));
    }
}

} // namespace

void CollectStoryWalls(const BuildingData& building, const ElevationFloorMap& elevationMap, short floorOffset,
                       double slabThickness, GS::Array<WallSegment>& segments) {
    const auto notFacade = [](const WallGuide& guide) { return guide.source != "facade"; };
    for (const TolvaStory& story : building.stories) {
        CollectGraphWalls(story.wallGuides, notFacade, story.height,
                          FloorOfStory(story, elevationMap, floorOffset), slabThickness,
                          WallLayerKind::StoryWalls, segments);
    }
}

void CollectUnitWalls(const BuildingData& building, const StoryHeightTable& storyHeights,
                      const StoryFloorTable& storyFloors, double slabThickness,
                      GS::Array<WallSegment>& segments) {
    const auto unitOwn = [](const WallGuide& guide) {
        return guide.source != "facade" && guide.source != "story-plan";
    };
    for (const TolvaUnit& unit : building.units) {
        const double* height = storyHeights.GetPtr(unit.storyId);
        const short* floor = storyFloors.GetPtr(unit.storyId);
        CollectGraphWalls(unit.wallGuides, unitOwn, height != nullptr ? *height : UnknownStoryHeight,
                          floor != nullptr ? *floor : short(0), slabThickness, WallLayerKind::UnitWalls,
                          segments);
    }
}

void CollectFacadeWalls(const BuildingData& building, const ElevationFloorMap& elevationMap,
                        short floorOffset, double slabThickness, GS::Array<WallSegment>& segments) {
    for (USize p = 0; p < building.stories.GetSize(); ++p) {
        const TolvaStory& story = building.stories[p];
        const GS::Array<TolvaPolyline>& polylines = story.centerPolygon.polylines;
        if (polylines.IsEmpty()) {
            continue;
        }
        const short floor = FloorOfStory(story, elevationMap, floorOffset);
        const double thickness = FacadeThickness(story.wallGuides);
        const Int32 count = static_cast<Int32>(polylines.GetSize());
        if (count > 1) {
            Logger::Info(Category,
                         GS::UniString::Printf(
                             "Story %d centerPolygon has %d polylines (%d hole%s) - creating walls for "
                             "all contours",
                             static_cast<Int32>(p), count, count - 1, count == 2 ? "" : "s"));
        }
        for (USize j = 0; j < polylines.GetSize(); ++j) {
            CollectRing(polylines[j], static_cast<Int32>(p), static_cast<Int32>(j), thickness, story.height,
                        floor, slabThickness, segments);
        }
    }
}

} // namespace Tolva::Builders::BuildingOrchestrator
