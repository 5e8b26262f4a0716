#pragma once

#include "Model/Geometry.hpp"

namespace Tolva {

// A door or passage, in a plan or in a building variant.
struct Transition {
    GS::UniString id;
    GS::UniString type;
    TolvaPoint3D location;
    TolvaPoint3D direction;
    bool isFlipped = false;
    // For doors, the door kind.
    GS::UniString definitionId;
    double scale = 1.0;
    GS::UniString unitId;
    GS::UniString storyId;
    TolvaTransform frontSide;
    TolvaTransform backSide;
    // Its translation is a door's position.
    TolvaTransform center;
    // True when the page sent a "transforms" object.
    bool hasTransforms = false;
};

} // namespace Tolva
