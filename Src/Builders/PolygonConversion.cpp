#include "Builders/PolygonConversion.hpp"

#include "Logging/Logger.hpp"

#include <cmath>
#include <utility>

namespace Tolva::Builders {

namespace {

// Raw end points closer than this (mm, in 3D) already close their ring.
constexpr double ClosedRingTolerance = 0.001;

struct RingLayout {
    Int32 pointCount = 0;
    bool needsClosing = false;
};

template <typename T>
void Release(T**& handle) {
    BMKillHandle(reinterpret_cast<GSHandle*>(&handle));
}

// The three handles of one conversion, released together unless handed to the memo.
struct PolygonHandles {
    API_Coord** coords = nullptr;
    Int32** pends = nullptr;
    API_PolyArc** parcs = nullptr;

    PolygonHandles() = default;
    PolygonHandles(const PolygonHandles&) = delete;
    PolygonHandles& operator=(const PolygonHandles&) = delete;
    ~PolygonHandles() {
        Release(coords);
        Release(pends);
        Release(parcs);
    }

    void MoveInto(API_ElementMemo& memo, bool withArcs) {
        Release(memo.coords);
        Release(memo.pends);
        memo.coords = std::exchange(coords, nullptr);
        memo.pends = std::exchange(pends, nullptr);
        if (withArcs) {
            Release(memo.parcs);
            memo.parcs = std::exchange(parcs, nullptr);
        }
    }
};

template <typename T>
T** AllocateCleared(Int64 count) {
    return reinterpret_cast<T**>(BMAllocateHandle(count * static_cast<Int64>(sizeof(T)), ALLOCATE_CLEAR, 0));
}

double Distance(const TolvaPoint3D& a, const TolvaPoint3D& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

void LogInsufficientPoints(const char* category, USize index, const TolvaPolyline& polyline) {
    // A polyline without points prints the origin for both ends.
    const TolvaPoint3D first = polyline.points.IsEmpty() ? TolvaPoint3D{} : polyline.points.GetFirst();
    const TolvaPoint3D last = polyline.points.IsEmpty() ? TolvaPoint3D{} : polyline.points.GetLast();
    Logger::Error(category, GS::UniString::Printf(
                                "Polyline %d has insufficient points: %d (minimum 2 required). This may "
                                "indicate malformed source data or transformation issues. First point: "
                                "(%.2f, %.2f, %.2f), Last point: (%.2f, %.2f, %.2f)",
                                static_cast<Int32>(index), static_cast<Int32>(polyline.points.GetSize()),
                                first.x, first.y, first.z, last.x, last.y, last.z));
}

} // namespace

GSErrCode ConvertToHostPolygon(const TolvaPolygon& polygon, API_Polygon& poly, API_ElementMemo& memo,
                               const char* logCategory, bool allocateArcs, PointTransform transform,
                               bool closeOpenRings) {
    if (polygon.polylines.IsEmpty()) {
        Logger::Error(logCategory, "Polygon has no polylines");
        return APIERR_BADPARS;
    }

    GS::Array<RingLayout> rings;
    rings.SetCapacity(polygon.polylines.GetSize());
    Int32 totalCoords = 0;
    for (USize i = 0; i < polygon.polylines.GetSize(); ++i) {
        const TolvaPolyline& polyline = polygon.polylines[i];
        if (polyline.points.GetSize() < 2) {
            LogInsufficientPoints(logCategory, i, polyline);
            return APIERR_BADPARS;
        }
        const bool closed =
            Distance(polyline.points.GetFirst(), polyline.points.GetLast()) < ClosedRingTolerance;
        const RingLayout ring{static_cast<Int32>(polyline.points.GetSize()), closeOpenRings && !closed};
        rings.Push(ring);
        totalCoords += ring.pointCount + (ring.needsClosing ? 1 : 0);
    }

    poly.nCoords = totalCoords;
    poly.nSubPolys = static_cast<Int32>(rings.GetSize());
    poly.nArcs = 0;

    PolygonHandles handles;
    handles.coords = AllocateCleared<API_Coord>(Int64(totalCoords) + 1);
    if (handles.coords == nullptr) {
        Logger::Error(logCategory, "Failed to allocate memory for polygon coordinates");
        return APIERR_MEMFULL;
    }
    handles.pends = AllocateCleared<Int32>(Int64(poly.nSubPolys) + 1);
    if (handles.pends == nullptr) {
        Logger::Error(logCategory, "Failed to allocate memory for polygon pends");
        return APIERR_MEMFULL;
    }
    if (allocateArcs) {
        handles.parcs = AllocateCleared<API_PolyArc>(poly.nArcs);
        if (handles.parcs == nullptr) {
            Logger::Error(logCategory, "Failed to allocate memory for polygon parcs");
            return APIERR_MEMFULL;
        }
    }

    API_Coord* coords = *handles.coords;
    Int32* pends = *handles.pends;
    coords[0] = {0.0, 0.0};
    pends[0] = 0;
    Int32 next = 1;
    for (USize j = 0; j < rings.GetSize(); ++j) {
        const Int32 first = next;
        for (const TolvaPoint3D& raw : polygon.polylines[j].points) {
            const TolvaPoint3D point = transform ? transform(raw) : raw;
            coords[next++] = {point.x / 1000.0, point.y / 1000.0};
        }
        if (rings[j].needsClosing) {
            coords[next] = coords[first];
            ++next;
        }
        pends[j + 1] = next - 1;
        Logger::Debug(logCategory,
                      GS::UniString::Printf("Polyline %d: %d coordinates, needs closing: %s, pends[%d]=%d",
                                            static_cast<Int32>(j), rings[j].pointCount,
                                            rings[j].needsClosing ? "yes" : "no", static_cast<Int32>(j + 1),
                                            pends[j + 1]));
    }

    // Both passes walk the same points; a difference means the layout above is wrong.
    if (next != totalCoords + 1) {
        Logger::Error(logCategory, GS::UniString::Printf("Coordinate index mismatch: expected %d, got %d",
                                                         totalCoords + 1, next));
        return APIERR_GENERAL;
    }
    handles.MoveInto(memo, allocateArcs);
    return NoError;
}

} // namespace Tolva::Builders
