#pragma once

#include "ACAPinc.h"
#include "Model/Furniture.hpp"

namespace Tolva::Builders {

// Places one furniture item as an object of its template's generated part (or the fallback part),
// sized A x B x ZZYZX, on the furniture layer.
class FurnitureBuilder {
public:
    static GSErrCode CreateFurniture(const FurnitureObject& item,
                                     const GS::Array<FurnitureTemplate>& templates, short floorInd,
                                     API_Guid& object);
};

// The object's angle: its direction, turned by pi when flipped, within [-pi, pi].
double FurnitureRotation(const TolvaPoint3D& direction, bool isFlipped);

} // namespace Tolva::Builders
