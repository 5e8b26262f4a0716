#include "JSCommands/GridCommands.hpp"

#include "Logging/Logger.hpp"

#include <cmath>
#include <cstring>

namespace JSCommands::GridCommands {

using GuideGeometry::Polyline;
using GuideGeometry::Shifted;

namespace {

constexpr const char* Category = "GridCommands";
constexpr const char* LengthParameter = "AC_Length";

bool IsGrid(const API_Element& element) {
    return element.header.type.typeID == API_ObjectID &&
           element.header.type.variationID == APIVarId_GridElement;
}

// The value of the first parameter named exactly AC_Length, else 0.
double GridLength(API_AddParType** params) {
    const USize count = GuideGeometry::HandleCount(params);
    for (USize i = 0; i < count; ++i) {
        const API_AddParType& parameter = (*params)[i];
        if (std::strncmp(parameter.name, LengthParameter, API_NameLen) == 0) {
            return parameter.value.real;
        }
    }
    return 0.0;
}

// Where a grid drawn by its length starts: the host's second point of the element, else its
// placement; either made relative to the shift like every other exported point.
API_Coord3D LineStart(const API_Element& element, const API_Coord& shift) {
    API_Neig neig = {};
    neig.guid = element.header.guid;
    API_Coord3D first = {};
    API_Coord3D second = {};
    if (ACAPI_Element_NeigToCoord(&neig, &first, &second) == NoError) {
        return Shifted({second.x, second.y}, shift, second.z);
    }
    return Shifted(element.object.pos, shift, element.object.level);
}

} // namespace

GS::Array<API_Guid> GetSelectedGrids() {
    return GuideGeometry::SelectedElements(Category, IsGrid);
}

bool ExtractGridLines(const API_Guid& grid, GS::Array<Polyline>& lines, GS::UniString& error) {
    API_Element element = {};
    element.header.guid = grid;
    if (ACAPI_Element_Get(&element) != NoError) {
        error = "Failed to get grid element";
        return false;
    }
    GuideGeometry::MemoHolder holder;
    if (ACAPI_Element_GetMemo(grid, &holder.memo, APIMemoMask_Polygon | APIMemoMask_AddPars) != NoError) {
        error = "Failed to get element memo";
        return false;
    }
    if (holder.memo.params == nullptr) {
        error = "Grid element has no parameters";
        return false;
    }
    const double length = GridLength(holder.memo.params);
    const API_Coord shift = GuideGeometry::ReadPositionShift();
    const double level = element.object.level;
    // Grid coordinates count from 0: line k runs from point k to point k + 1.
    const USize count = GuideGeometry::HandleCount(holder.memo.coords);
    if (count >= 2) {
        const API_Coord* coords = *holder.memo.coords;
        for (USize k = 0; k + 1 < count; ++k) {
            lines.Push(Polyline{Shifted(coords[k], shift, level), Shifted(coords[k + 1], shift, level)});
        }
        return true;
    }
    if (!(length > 0) || !std::isfinite(length)) {
        error = "Grid length parameter not found or invalid, and no coordinate data available";
        return false;
    }
    const API_Coord3D start = LineStart(element, shift);
    const double angle = element.object.angle;
    const API_Coord3D end = {start.x + std::cos(angle) * length, start.y + std::sin(angle) * length, start.z};
    lines.Push(Polyline{start, end});
    return true;
}

GS::Ref<JS::Base> MakeGridError(const GS::UniString& message) {
    Logger::Error(Category, message);
    auto object = GS::NewRef<JS::Object>();
    object->AddItem("error", GS::NewRef<JS::Value>(message));
    return object;
}

GS::Ref<JS::Base> GetGridlines(GS::Ref<JS::Base>) {
    const GS::Array<API_Guid> grids = GetSelectedGrids();
    if (grids.IsEmpty()) {
        return MakeGridError("No grid elements selected. Please select at least one grid.");
    }
    GS::Array<Polyline> lines;
    for (const API_Guid& grid : grids) {
        GS::UniString error;
        if (!ExtractGridLines(grid, lines, error)) {
            Logger::Warning(Category, "Failed to extract grid lines: " + error);
        }
    }
    if (lines.IsEmpty()) {
        return MakeGridError(
            "Failed to extract grid lines from selected grids. Check if they are valid grid elements.");
    }
    Logger::Info(Category,
                 GS::UniString::Printf("Retrieved %d grid line(s) from %d grid element(s)",
                                       static_cast<int>(lines.GetSize()), static_cast<int>(grids.GetSize())));
    return GuideGeometry::MakePolylineGroup("grid_lines", lines);
}

} // namespace JSCommands::GridCommands
