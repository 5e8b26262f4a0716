#pragma once

#include "Builders/WallLayerKind.hpp"
#include "Model/Geometry.hpp"

// The building import's candidate walls, before de-duplication; plain records without the host.
namespace Tolva::Builders::BuildingOrchestrator {

// Walls of facades whose guides give no positive width (mm).
constexpr double DefaultFacadeThickness = 350.0;

// One candidate wall, lengths in millimetres. Its end points are in canonical order, so one wall met
// from both sides is the same segment.
struct WallSegment {
    TolvaPoint3D start;
    TolvaPoint3D end;
    double thickness = 0.0;
    double height = 0.0;
    short floorIndex = 0;
    double bottomOffset = 0.0;
    double slabThickness = 0.0;
    // Facade walls only: marked exterior and trimmed against the slab above.
    bool isExterior = false;
    WallLayerKind layerKind = WallLayerKind::Default;
};

// Puts start before end: by x, then y, then z.
void PutInCanonicalOrder(WallSegment& segment);

// The grid cells of a segment's two end points in plan, and its floor; z plays no part.
struct WallSegmentKey {
    Int32 startXCell = 0;
    Int32 startYCell = 0;
    Int32 endXCell = 0;
    Int32 endYCell = 0;
    short floorIndex = 0;

    bool operator==(const WallSegmentKey&) const = default;
    UInt32 GenerateHashValue() const;
};

// The cell of a coordinate: coordinate / cellSize rounded down, saturated to the 32-bit range so a
// far-away coordinate lands in the outermost cell; not a number lands in cell 0.
Int32 CellOf(double coordinate, double cellSize);

WallSegmentKey MakeWallSegmentKey(const WallSegment& segment, double cellSize);

} // namespace Tolva::Builders::BuildingOrchestrator
