#pragma once

#include "BuilderTestSupport.hpp"
#include "Builders/LayerManager.hpp"
#include "Builders/MaterialManager.hpp"
#include "Builders/PropertySetter.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "StandIn/Attributes.hpp"

// A fresh project with every builder cache empty; reads back what the builders left in the model.
class BuiltElements : public BuilderTest {
protected:
    void SetUp() override {
        BuilderTest::SetUp();
        Tolva::Builders::LayerManager::InvalidateCache();
        Tolva::Builders::MaterialManager::InvalidateCache();
        Tolva::Builders::PropertySetter::InvalidateCache();
        Tolva::Builders::ZoneBuilder::InvalidateCategoryCache();
        ClearLines();
    }

    static std::vector<const StandIn::StoredElement*> OfType(API_ElemTypeID type) {
        std::vector<const StandIn::StoredElement*> found;
        for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
            if (stored.element.header.type.typeID == type) {
                found.push_back(&stored);
            }
        }
        return found;
    }

    static API_AttributeIndex AttributeNamed(API_AttrTypeID type, const char* name) {
        for (const StandIn::StoredAttribute& stored : StandIn::Attributes().byType[type]) {
            if (stored.name == name) {
                return stored.attribute.header.index;
            }
        }
        return ACAPI_CreateAttributeIndex(0);
    }

    // A project whose fills are none of them solid, so "Tolva Material" cannot be made.
    static void RemoveSolidFills() {
        auto& fills = StandIn::Attributes().byType[API_FilltypeID];
        for (StandIn::StoredAttribute& fill : fills) {
            if (fill.attribute.filltype.subType == APIFill_Solid) {
                fill.attribute.filltype.subType = APIFill_Vector;
            }
        }
    }

    // The polygon's contours as stored, entry 0 left out.
    static std::vector<std::vector<API_Coord>> Contours(const StandIn::StoredMemo& memo) {
        std::vector<std::vector<API_Coord>> contours;
        for (size_t k = 1; k < memo.pends.size(); ++k) {
            contours.emplace_back(memo.coords.begin() + memo.pends[k - 1] + 1,
                                  memo.coords.begin() + memo.pends[k] + 1);
        }
        return contours;
    }
};

// A plan ring (mm, z 0) through the points.
inline Tolva::TolvaPolyline Ring(std::initializer_list<std::pair<double, double>> points) {
    Tolva::TolvaPolyline ring;
    for (auto [x, y] : points) {
        ring.points.Push({x, y, 0});
    }
    return ring;
}

inline bool operator==(const API_Coord& a, const API_Coord& b) {
    return a.x == b.x && a.y == b.y;
}

inline std::ostream& operator<<(std::ostream& out, const API_Coord& c) {
    return out << "(" << c.x << ", " << c.y << ")";
}
