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

    bool HasCopyOf(const WallSegment& segment, const GS::Array<WallSegment>& kept) const {
        const CellRange sx = CellsNear(segment.start.x, tolerance, cellSize);
        const CellRange sy = CellsNear(segment.start.y, tolerance, cellSize);
        const CellRange ex = CellsNear(segment.end.x, tolerance, cellSize);
        const CellRange ey = CellsNear(segment.end.y, tolerance, cellSize);
        WallSegmentKey key;
        key.floorIndex = segment.floorIndex;
        for (std::int64_t a = sx.low; a <= sx.high; ++a) {
            key.startXCell = static_cast<Int32>(a);
            for (std::int64_t b = sy.low; b <= sy.high; ++b) {
                key.startYCell = static_cast<Int32>(b);
                for (std::int64_t c = ex.low; c <= ex.high; ++c) {
                    key.endXCell = static_cast<Int32>(c);
                    for (std::int64_t d = ey.low; d <= ey.high; ++d) {
                        key.endYCell = static_cast<Int32>(d);
                        if (CellHasCopyOf(key, segment, kept)) {
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }

    void Add(const WallSegment& segment, Int32 keptIndex) {
        Int32& head = heads.try_emplace(MakeWallSegmentKey(segment, cellSize), NoSegment).first->second;
        next.push_back(head);
        head = keptIndex;
    }

private:
    bool CellHasCopyOf(const WallSegmentKey& key, const WallSegment& segment,
                       const GS::Array<WallSegment>& kept) const {
        const auto found = heads.find(key);
        if (found == heads.end()) {
            return false;
        }
        for (Int32 i = found->second; i != NoSegment; i = next[static_cast<size_t>(i)]) {
            if (IsDuplicateWall(kept[static_cast<USize>(i)], segment, tolerance)) {
                return true;
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
            if (!grid.HasCopyOf(segment, kept)) {
                grid.Add(segment, static_cast<Int32>(kept.GetSize()));
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
