#pragma once

#include "ACAPinc.h"
#include "JSValues.hpp"

// What the grid and centre-line exports share: the selection they read, the geo-location shift and
// the group of polylines they answer with.
namespace JSCommands::GuideGeometry {

// Points in host metres while they are collected.
using Polyline = GS::Array<API_Coord3D>;

// The number of entries of a memo handle; 0 for none.
template <typename T>
USize HandleCount(T** handle) {
    const GSSize bytes = handle == nullptr ? 0 : BMGetHandleSize(reinterpret_cast<GSHandle>(handle));
    return static_cast<USize>(bytes / static_cast<GSSize>(sizeof(T)));
}

// Releases the memo's handles on every way out.
struct MemoHolder {
    API_ElementMemo memo = {};
    MemoHolder() = default;
    MemoHolder(const MemoHolder&) = delete;
    MemoHolder& operator=(const MemoHolder&) = delete;
    ~MemoHolder() { ACAPI_DisposeElemMemoHdls(&memo); }
};

// The selected elements that can be read and are kept by keep, in selection order. When the
// selection cannot be read: "Failed to get selection" at ERROR under category, and no element.
GS::Array<API_Guid> SelectedElements(const char* category, bool (*keep)(const API_Element& element));

// The x and y of the geo-location's reference position, which exported points are made relative to;
// (0, 0) when the host cannot tell it.
API_Coord ReadPositionShift();

// A point of the plan (m) made relative to the shift, at height z.
API_Coord3D Shifted(const API_Coord& point, const API_Coord& shift, double z);

// {name, color: "#000000", type: "group", items: [{type: "polyline", points: [[x, y, z], ...]}]} with
// the points in millimetres; polylines of fewer than 2 points are left out.
GS::Ref<JS::Base> MakePolylineGroup(const char* name, const GS::Array<Polyline>& polylines);

} // namespace JSCommands::GuideGeometry
