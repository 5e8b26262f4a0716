#pragma once

#include "Model/Furniture.hpp"

#include <string>
#include <vector>

// The plain geometry behind a generated furniture part: its footprint, height, outline lines and
// the file name it is saved under. Millimetres unless told otherwise.
namespace Tolva::Builders {

struct FurnitureSize {
    double a = 100;
    double b = 100;
};

// Over every point of every shape; a side that is not positive becomes 100 mm.
FurnitureSize FurnitureFootprint(const FurnitureTemplate& furniture);
// 2100 for wardrobes, cabinets and shelves, 450 for stools and ottomans, else 800.
double FurnitureHeightForName(const GS::UniString& name);

// A "bezier_curve" shape's points as a polyline: 3 or 4 control points sampled at 9 steps.
void FlattenShape(const GS::Array<TolvaPoint3D>& points, GS::Array<TolvaPoint3D>& flattened);

// The template's 2D script lines ("LINE2 x1, y1, x2, y2" in metres, without line ends), one per
// pair of kept points of every polyline and bezier shape.
std::vector<std::string> FurnitureOutlineLines(const FurnitureTemplate& furniture);

// A file name for the part of that name: characters file systems refuse, path separators and ".."
// replaced by "_", trailing dots and spaces dropped, at most 120 characters (whole code points)
// before ".gsm".
GS::UniString SafeLibraryFileName(const GS::UniString& partName);

} // namespace Tolva::Builders
