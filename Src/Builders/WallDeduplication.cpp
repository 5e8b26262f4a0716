#include "Builders/WallDeduplication.hpp"

#include "Logging/Logger.hpp"

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";
constexpr Int32 NoSegment = -1;

struct KeyHash {
    size_t operator()(const WallSegmentKey& key) const { return key.GenerateHashValue(); }
};

// The cells a coordinate within the tolerance of this one can lie in. Rounding and flooring keep
// order, so no such coordinate falls outside [low, high], whatever the size of the numbers.
struct CellRange {
    std::int64_t low;
    std::int64_t high;
};

CellRange CellsNear(double coordinate, double tolerance, double cellSize) {
    return {CellOf(coordinate - tolerance, cellSize), CellOf(coordinate + tolerance, cellSize)};
}

// The kept segments by the cells of their end points; each cell holds a chain of kept indices.
class SegmentGrid {
public:
    SegmentGrid(USize capacity, double tolerance)
        : tolerance(tolerance), cellSize(CellsPerTolerance * tolerance) {
        heads.reserve(capacity);
        next.reserve(capacity);
    }

    // Adds the segment as kept index `keptIndex` unless it copies a kept one. Its own cell is looked
    // up and claimed in one step; the neighbouring cells only when an end lies near their border.
    bool AddUnlessCopy(const WallSegment& segment, const GS::Array<WallSegment>& kept, Int32 keptIndex) {
        const WallSegmentKey own = MakeWallSegmentKey(segment, cellSize);
        const auto cell = heads.try_emplace(own, NoSegment).first;
        if (ChainHasCopyOf(cell->second, segment, kept) || NeighbourHasCopyOf(own, segment, kept)) {
            return false;
        }
        next.push_back(cell->second);
        cell->second = keptIndex;
        return true;
    }

private:
    bool ChainHasCopyOf(Int32 head, const WallSegment& segment, const GS::Array<WallSegment>& kept) const {
        for (Int32 i = head; i != NoSegment; i = next[static_cast<size_t>(i)]) {
            if (IsDuplicateWall(kept[static_cast<USize>(i)], segment, tolerance)) {
                return true;
            }
        }
        return false;
    }

    // Looks up only, so the own cell's entry stays where it is.
    bool NeighbourHasCopyOf(const WallSegmentKey& own, const WallSegment& segment,
                            const GS::Array<WallSegment>& kept) const {
        const CellRange sx = CellsNear(segment.start.x, tolerance, cellSize);
        const CellRange sy = CellsNear(segment.start.y, tolerance, cellSize);
        const CellRange ex = CellsNear(segment.end.x, tolerance, cellSize);
        const CellRange ey = CellsNear(segment.end.y, tolerance, cellSize);
        if (sx.low == sx.high && sy.low == sy.high && ex.low == ex.high && ey.low == ey.high) {
            return false;
        }
        WallSegmentKey key = own;
        for (std::int64_t a = sx.low; a <= sx.high; ++a) {
            key.startXCell = static_cast<Int32>(a);
            for (std::int64_t b = sy.low; b <= sy.high; ++b) {
                key.startYCell = static_cast<Int32>(b);
                for (std::int64_t c = ex.low; c <= ex.high; ++c) {
                    key.endXCell = static_cast<Int32>(c);
                    for (std::int64_t d = ey.low; d <= ey.high; ++d) {
                        key.endYCell = static_cast<Int32>(d);
                        if (key == own) {
                            continue;
                        }
                        const auto found = heads.find(key);
                        if (found != heads.end() && ChainHasCopyOf(found->second, segment, kept)) {
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }

    double tolerance;
    double cellSize;
    std::unordered_map<WallSegmentKey, Int32, KeyHash> heads;
    // The next kept segment in the same cell, by kept index.
    std::vector<Int32> next;
};

} // namespace

bool IsDuplicateWall(const WallSegment& a, const WallSegment& b, double tolerance) {
    return a.floorIndex == b.floorIndex && std::abs(a.start.x - b.start.x) < tolerance &&
           std::abs(a.start.y - b.start.y) < tolerance && std::abs(a.start.z - b.start.z) < tolerance &&
           std::abs(a.end.x - b.end.x) < tolerance && std::abs(a.end.y - b.end.y) < tolerance &&
           std::abs(a.end.z - b.end.z) < tolerance;
}

GS::Array<WallSegment> DeduplicateWallSegments(const GS::Array<WallSegment>& segments, double tolerance) {
    const Int32 before = static_cast<Int32>(segments.GetSize());
    Logger::Info(Category, GS::UniString::Printf(
                               "Deduplicating %d collected wall segments using spatial hash", before));
    GS::Array<WallSegment> kept;
    kept.SetCapacity(segments.GetSize());
    if (tolerance > 0.0) {
        SegmentGrid grid(segments.GetSize(), tolerance);
        for (const WallSegment& segment : segments) {
            if (grid.AddUnlessCopy(segment, kept, static_cast<Int32>(kept.GetSize()))) {
                kept.Push(segment);
            }
        }
    } else {
        // Nothing is less than a tolerance of zero (or of no number) apart.
        kept = segments;
    }
    const Int32 after = static_cast<Int32>(kept.GetSize());
    const double reduction = before > 0 ? (1.0 - static_cast<double>(after) / before) * 100.0 : 0.0;
    Logger::Info(Category,
                 GS::UniString::Printf("Deduplication complete: %d → %d unique walls (%.1f%% reduction)",
                                       before, after, reduction));
    return kept;
}

} // namespace Tolva::Builders::BuildingOrchestrator
