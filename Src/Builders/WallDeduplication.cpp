#include "Builders/WallDeduplication.hpp"

#include "Logging/Logger.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";
constexpr Int32 NoSegment = -1;
// The length class of segments whose match radius is at least this fraction of the tolerance: every
// wall of 500 mm or more at the usual tolerance, whose copies are all in this class too.
constexpr Int32 TopClass = std::numeric_limits<Int32>::max();
constexpr double TopReachFraction = 0.125;

double Distance(const TolvaPoint3D& a, const TolvaPoint3D& b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double Length(const WallSegment& segment) {
    return Distance(segment.start, segment.end);
}

// A segment's own match radius; a pair's is the smaller of the two.
double Reach(double length, double tolerance) {
    return std::min(tolerance, CopyLengthFraction * length);
}

// Shorter segments are kept in grids by the binary order of their reach, so a tiny segment is
// compared only with segments of about its size and a dense run of them does not crowd one cell.
Int32 ClassOf(double reach, double tolerance) {
    if (reach >= TopReachFraction * tolerance) {
        return TopClass;
    }
    int exponent = 0;
    std::frexp(reach, &exponent);
    return exponent; // reach < 2^exponent
}

double CellSizeOf(Int32 lengthClass, double tolerance) {
    return CellsPerTolerance * (lengthClass == TopClass ? tolerance : std::ldexp(1.0, lengthClass));
}

struct GridKey {
    WallSegmentKey cells;
    Int32 lengthClass = 0;
    bool operator==(const GridKey&) const = default;
};

struct GridKeyHash {
    size_t operator()(const GridKey& key) const {
        return key.cells.GenerateHashValue() ^ (static_cast<UInt32>(key.lengthClass) * 2654435761u);
    }
};

// A copy's midpoint lies less than the radius from the kept one's, whichever way round it runs, so
// the key is the midpoint's cell: two coordinates to look around instead of four.
GridKey MakeKey(Int32 mx, Int32 my, short floor, Int32 lengthClass) {
    return {{mx, my, 0, 0, floor}, lengthClass};
}

TolvaPoint3D Midpoint(const WallSegment& segment) {
    return {(segment.start.x + segment.end.x) / 2.0, (segment.start.y + segment.end.y) / 2.0, 0.0};
}

// The cells a coordinate within the radius of this one can lie in. Flooring keeps order, so no such
// coordinate falls outside [low, high], whatever the size of the numbers.
struct CellRange {
    std::int64_t low;
    std::int64_t high;
};

CellRange CellsNear(double coordinate, double radius, double cellSize) {
    return {CellOf(coordinate - radius, cellSize), CellOf(coordinate + radius, cellSize)};
}

// The kept segments by length class and the cells of their end points; each cell holds a chain of
// kept indices.
class SegmentGrid {
public:
    SegmentGrid(USize capacity, double tolerance) : tolerance(tolerance) {
        heads.reserve(capacity);
        next.reserve(capacity);
    }

    // Adds the segment as kept index `keptIndex` unless it copies a kept one. Its own cell is looked
    // up and claimed in one step; other cells and classes only when a copy could lie there.
    bool AddUnlessCopy(const WallSegment& segment, const GS::Array<WallSegment>& kept, Int32 keptIndex) {
        const double length = Length(segment);
        const double reach = Reach(length, tolerance);
        if (!(reach > 0.0)) {
            // Nothing is less than zero (or no number) apart: neither a copy nor copied, in no cell.
            next.push_back(NoSegment);
            return true;
        }
        const Int32 ownClass = ClassOf(reach, tolerance);
        const double ownCell = CellSizeOf(ownClass, tolerance);
        const TolvaPoint3D middle = Midpoint(segment);
        const GridKey own =
            MakeKey(CellOf(middle.x, ownCell), CellOf(middle.y, ownCell), segment.floorIndex, ownClass);
        const auto cell = heads.try_emplace(own, NoSegment).first;
        if (ChainHasCopyOf(cell->second, segment, kept)) {
            return false;
        }
        // A copy's length differs by less than two radii, each at most the fraction of the shorter.
        const double spread = 1.0 + 2.0 * CopyLengthFraction;
        const Int32 lowest = ClassOf(Reach(length / spread, tolerance), tolerance);
        const Int32 highest = ClassOf(Reach(length * spread, tolerance), tolerance);
        for (Int32 c = lowest; c != TopClass && c <= highest; ++c) {
            if (std::ldexp(1.0, c - 1) >= TopReachFraction * tolerance) {
                break; // every reach in this class and above is in the top class
            }
            if (ClassHasCopyOf(c, own, segment, middle, reach, kept)) {
                return false;
            }
        }
        if (highest == TopClass && ClassHasCopyOf(TopClass, own, segment, middle, reach, kept)) {
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

    // Looks up only, so the own cell's entry stays where it is; that one was searched already.
    bool ClassHasCopyOf(Int32 lengthClass, const GridKey& own, const WallSegment& segment,
                        const TolvaPoint3D& middle, double reach, const GS::Array<WallSegment>& kept) const {
        const double cellSize = CellSizeOf(lengthClass, tolerance);
        const CellRange mx = CellsNear(middle.x, reach, cellSize);
        const CellRange my = CellsNear(middle.y, reach, cellSize);
        for (std::int64_t a = mx.low; a <= mx.high; ++a) {
            for (std::int64_t b = my.low; b <= my.high; ++b) {
                const GridKey key =
                    MakeKey(static_cast<Int32>(a), static_cast<Int32>(b), segment.floorIndex, lengthClass);
                if (key == own) {
                    continue;
                }
                const auto found = heads.find(key);
                if (found != heads.end() && ChainHasCopyOf(found->second, segment, kept)) {
                    return true;
                }
            }
        }
        return false;
    }

    double tolerance;
    std::unordered_map<GridKey, Int32, GridKeyHash> heads;
    // The next kept segment in the same cell, by kept index.
    std::vector<Int32> next;
};

} // namespace

double CopyRadius(const WallSegment& a, const WallSegment& b, double tolerance) {
    return Reach(std::min(Length(a), Length(b)), tolerance);
}

bool IsDuplicateWall(const WallSegment& a, const WallSegment& b, double tolerance) {
    if (a.floorIndex != b.floorIndex) {
        return false;
    }
    // Most pairs a cell brings together are far apart: rule them out before measuring lengths.
    const auto near = [tolerance](const TolvaPoint3D& p, const TolvaPoint3D& q) {
        return std::abs(p.x - q.x) < tolerance && std::abs(p.y - q.y) < tolerance;
    };
    const bool mayAlong = near(a.start, b.start) && near(a.end, b.end);
    const bool mayReverse = near(a.start, b.end) && near(a.end, b.start);
    if (!mayAlong && !mayReverse) {
        return false;
    }
    const double radius = CopyRadius(a, b, tolerance);
    const auto within = [radius](const TolvaPoint3D& p, const TolvaPoint3D& q) {
        return Distance(p, q) < radius;
    };
    return (mayAlong && within(a.start, b.start) && within(a.end, b.end)) ||
           (mayReverse && within(a.start, b.end) && within(a.end, b.start));
}

GS::Array<WallSegment> DeduplicateWallSegments(const GS::Array<WallSegment>& segments, double tolerance) {
    const Int32 before = static_cast<Int32>(segments.GetSize());
    Logger::Info(Category, GS::UniString::Printf(
                               "Deduplicating %d collected wall segments using spatial hash", before));
    GS::Array<WallSegment> kept;
    kept.SetCapacity(segments.GetSize());
    if (tolerance > 0.0 && std::isfinite(tolerance)) {
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
