#include "Builders/SubPolygonMessage.hpp"

namespace Tolva::Builders {

GS::UniString SubPolygonMessage(const char* what, const TolvaPolygon& polygon) {
    const Int32 count = static_cast<Int32>(polygon.polylines.GetSize());
    return GS::UniString::Printf("%s with %d sub-polygons (%d hole%s)", what, count, count - 1,
                                 count == 2 ? "" : "s");
}

} // namespace Tolva::Builders
