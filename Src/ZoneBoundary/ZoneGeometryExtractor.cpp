#include "ZoneBoundary/ZoneGeometryExtractor.hpp"

#include "Logging/Logger.hpp"

#include <cmath>

namespace ZoneGeometryExtractor {

namespace {

constexpr const char* Category = "ZoneGeometryExtractor";
constexpr double DuplicatePointDistance = 0.001; // metres

template <typename T>
int CountOf(T** handle) {
    return handle == nullptr ? 0
                             : static_cast<int>(BMGetHandleSize(reinterpret_cast<GSConstHandle>(handle)) /
                                                static_cast<GSSize>(sizeof(T)));
}

bool Fail(GS::UniString& error, const GS::UniString& text) {
    error = text;
    Logger::Error(Category, text);
    return false;
}

// Releases the memo's handles on every way out.
struct MemoHolder {
    API_ElementMemo memo = {};
    ~MemoHolder() { ACAPI_DisposeElemMemoHdls(&memo); }
};

} // namespace

void FindOuterContour(const API_ElementMemo& memo, int& start, int& end) {
    start = -1;
    end = -1;
    const int endCount = CountOf(memo.pends);
    const int coordCount = CountOf(memo.coords);
    if (endCount < 2) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Zone has no contour: %d contour ends, coords size=%d",
                                              endCount, coordCount));
        return;
    }
    // The host lists the outline first and its holes after it; a hole may have more coordinates
    // (a round column inside the room), so the count says nothing.
    const Int32* ends = *memo.pends;
    const int first = ends[0] + 1;
    const int last = ends[1];
    if (first < 1 || last < first || last >= coordCount) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Invalid outer contour: start=%d, end=%d, coords size=%d",
                                              first, last, coordCount));
        return;
    }
    start = first;
    end = last;
    Logger::Debug(Category, GS::UniString::Printf("Found outer contour: start=%d, end=%d, size=%d", start,
                                                  end, end - start + 1));
}

bool ExtractZonePolygon(const API_Guid& zone, GS::Array<Tolva::ZoneBoundary::Point3D>& points,
                        GS::UniString& error) {
    API_Element element = {};
    element.header.guid = zone;
    if (const GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
        return Fail(error, GS::UniString::Printf("Failed to get zone element: %d", err));
    }
    MemoHolder holder;
    if (const GSErrCode err = ACAPI_Element_GetMemo(zone, &holder.memo, APIMemoMask_Polygon);
        err != NoError) {
        return Fail(error, GS::UniString::Printf("Failed to get zone memo: %d", err));
    }
    const API_ElementMemo& memo = holder.memo;
    if (memo.coords == nullptr || memo.pends == nullptr) {
        return Fail(error, "Zone has no polygon coordinates");
    }
    const int coordCount = CountOf(memo.coords);
    if (coordCount <= 0) {
        return Fail(error, "Zone has empty coords handle");
    }
    int start = 0;
    int end = 0;
    FindOuterContour(memo, start, end);
    if (start < 0 || end < 0 || end >= coordCount) {
        return Fail(error, GS::UniString::Printf("Invalid polygon indices: start=%d, end=%d, size=%d", start,
                                                 end, coordCount));
    }
    Logger::Debug(Category, GS::UniString::Printf("Extracting vertices from index %d to %d", start, end));
    const API_Coord* coords = *memo.coords;
    for (int i = start; i <= end; ++i) {
        if (i == end && start < end &&
            std::hypot(coords[end].x - coords[start].x, coords[end].y - coords[start].y) <
                DuplicatePointDistance) {
            Logger::Debug(Category, "Skipping duplicate closing point");
            continue;
        }
        points.Push({coords[i].x * 1000.0, coords[i].y * 1000.0, 0.0});
    }
    return true;
}

} // namespace ZoneGeometryExtractor
