#include "StandIn/PlanDrawing.hpp"

#include "StandIn/Attributes.hpp"
#include "StandIn/Libraries.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/Properties.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <vector>

namespace StandIn {

namespace {

constexpr double PixelsPerMetre = 60;
constexpr double Margin = 60;

struct Bounds {
    double minX = std::numeric_limits<double>::max(), minY = std::numeric_limits<double>::max();
    double maxX = std::numeric_limits<double>::lowest(), maxY = std::numeric_limits<double>::lowest();
    void Add(const API_Coord& c) {
        minX = std::min(minX, c.x);
        minY = std::min(minY, c.y);
        maxX = std::max(maxX, c.x);
        maxY = std::max(maxY, c.y);
    }
    bool Empty() const { return minX > maxX; }
};

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Wall footprint corners from its reference line, taken as the wall's centre line.
std::vector<API_Coord> Footprint(const API_WallType& wall) {
    double dx = wall.endC.x - wall.begC.x;
    double dy = wall.endC.y - wall.begC.y;
    double length = std::hypot(dx, dy);
    double nx = -dy / length * wall.thickness / 2;
    double ny = dx / length * wall.thickness / 2;
    return {{wall.begC.x + nx, wall.begC.y + ny},
            {wall.endC.x + nx, wall.endC.y + ny},
            {wall.endC.x - nx, wall.endC.y - ny},
            {wall.begC.x - nx, wall.begC.y - ny}};
}

bool IsExterior(const StoredElement& stored) {
    API_Guid position = APIGuidFromString(PositionPropertyGuid);
    return std::any_of(stored.propertyValues.begin(), stored.propertyValues.end(),
                       [&](const StoredPropertyValue& v) {
                           return v.definition == position &&
                                  v.value.singleVariant.variant.guidValue == PositionValueKey("Exterior");
                       });
}

// The zone category's own colour; a zone whose category is missing shows white.
std::string CategoryColour(API_AttributeIndex category) {
    API_RGBColor rgb = {1.0, 1.0, 1.0};
    if (const StoredAttribute* stored = FindAttribute(API_ZoneCatID, category)) {
        rgb = stored->attribute.zoneCat.rgb;
    }
    auto channel = [](double value) {
        return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", channel(rgb.f_red), channel(rgb.f_green),
                  channel(rgb.f_blue));
    return text;
}

class Canvas {
public:
    explicit Canvas(const Bounds& bounds) : bounds(bounds) {}

    double X(double x) const { return Margin + (x - bounds.minX) * PixelsPerMetre; }
    double Y(double y) const { return Margin + (bounds.maxY - y) * PixelsPerMetre; }
    double Width() const { return 2 * Margin + (bounds.maxX - bounds.minX) * PixelsPerMetre; }
    double Height() const { return 2 * Margin + (bounds.maxY - bounds.minY) * PixelsPerMetre + 40; }

    std::string Path(const std::vector<std::vector<API_Coord>>& contours, bool closed) const {
        std::string d;
        for (const auto& contour : contours) {
            for (size_t i = 0; i < contour.size(); ++i) {
                // Appended piece by piece: g++ 12 misreads "literal" + std::string&& at -O3 (-Wrestrict).
                d += i == 0 ? "M" : "L";
                d += Number(X(contour[i].x));
                d += ' ';
                d += Number(Y(contour[i].y));
                d += ' ';
            }
            if (closed) {
                d += "Z ";
            }
        }
        return d;
    }

private:
    Bounds bounds;
};

// Thickness and height in metres along the wall's middle, turned with the wall and kept upright.
void DrawWallSize(std::ostringstream& svg, const Canvas& canvas, const API_WallType& wall) {
    double x = canvas.X((wall.begC.x + wall.endC.x) / 2);
    double y = canvas.Y((wall.begC.y + wall.endC.y) / 2);
    double angle = -std::atan2(wall.endC.y - wall.begC.y, wall.endC.x - wall.begC.x) * 180 / M_PI;
    if (angle > 90) {
        angle -= 180;
    } else if (angle <= -90) {
        angle += 180;
    }
    char size[64];
    std::snprintf(size, sizeof size, "%.2f × %.2f", wall.thickness, wall.height);
    svg << "<text x=\"" << Number(x) << "\" y=\"" << Number(y - wall.thickness * PixelsPerMetre / 2 - 3)
        << "\" transform=\"rotate(" << Number(angle) << " " << Number(x) << " " << Number(y)
        << ")\" font-size=\"9\" text-anchor=\"middle\" fill=\"#1f4f8f\">" << size << "</text>\n";
}

std::vector<std::vector<API_Coord>> Contours(const StoredMemo& memo) {
    std::vector<std::vector<API_Coord>> contours;
    for (size_t k = 1; k < memo.pends.size(); ++k) {
        std::vector<API_Coord> contour;
        for (Int32 i = memo.pends[k - 1] + 1; i <= memo.pends[k]; ++i) {
            contour.push_back(memo.coords[static_cast<size_t>(i)]);
        }
        contours.push_back(contour);
    }
    return contours;
}

// The area (m²) inside the polygon's first contour.
double OuterArea(const StoredMemo& memo) {
    const std::vector<std::vector<API_Coord>> contours = Contours(memo);
    if (contours.empty()) {
        return 0.0;
    }
    double twice = 0.0;
    const std::vector<API_Coord>& outer = contours.front();
    for (size_t i = 0; i + 1 < outer.size(); ++i) {
        twice += outer[i].x * outer[i + 1].y - outer[i + 1].x * outer[i].y;
    }
    return std::abs(twice) / 2.0;
}

// Along the wall from its begin point by `along`, and across it by `across` (left of its direction).
API_Coord OnWall(const API_WallType& wall, double along, double across) {
    double dx = wall.endC.x - wall.begC.x;
    double dy = wall.endC.y - wall.begC.y;
    double length = std::hypot(dx, dy);
    return {wall.begC.x + (dx * along - dy * across) / length,
            wall.begC.y + (dy * along + dx * across) / length};
}

// A door as the host draws it in plan: an opening cut through its wall (its position is the
// opening's centre), the leaf at the hinge side and the swing as a quarter circle.
void DrawDoor(std::ostringstream& svg, const Canvas& canvas, const API_DoorType& door,
              const API_WallType& wall) {
    double half = door.openingBase.width / 2;
    double side = wall.thickness / 2 + 0.01;
    std::vector<API_Coord> gap = {
        OnWall(wall, door.objLoc - half, side), OnWall(wall, door.objLoc + half, side),
        OnWall(wall, door.objLoc + half, -side), OnWall(wall, door.objLoc - half, -side)};
    svg << "<path d=\"" << canvas.Path({gap}, true) << "\" fill=\"white\"/>\n";
    double hinge = door.objLoc + (door.openingBase.reflected ? half : -half);
    double free = door.objLoc + (door.openingBase.reflected ? -half : half);
    double face = door.openingBase.oSide ? -wall.thickness / 2 : wall.thickness / 2;
    double swing = door.openingBase.oSide ? -door.openingBase.width : door.openingBase.width;
    API_Coord pivot = OnWall(wall, hinge, face);
    API_Coord open = OnWall(wall, hinge, face + swing);
    API_Coord closed = OnWall(wall, free, face);
    double radius = door.openingBase.width * PixelsPerMetre;
    bool clockwise = door.openingBase.reflected != door.openingBase.oSide;
    svg << "<path d=\"M" << Number(canvas.X(pivot.x)) << " " << Number(canvas.Y(pivot.y)) << " L"
        << Number(canvas.X(open.x)) << " " << Number(canvas.Y(open.y)) << " A" << Number(radius) << " "
        << Number(radius) << " 0 0 " << (clockwise ? 1 : 0) << " " << Number(canvas.X(closed.x)) << " "
        << Number(canvas.Y(closed.y)) << "\" fill=\"none\" stroke=\"#7a4a1a\" stroke-width=\"1.2\"/>\n";
}

double Parameter(const StoredMemo* memo, const char* name, double fallback) {
    if (memo != nullptr && memo->params) {
        for (const API_AddParType& parameter : *memo->params) {
            if (std::string(parameter.name) == name) {
                return parameter.value.real;
            }
        }
    }
    return fallback;
}

// A grid element's line: its coordinate list, or else its "AC_Length" from its placement point
// along its angle; nothing without either.
std::vector<API_Coord> GridLine(const StoredElement& stored) {
    const StoredMemo* memo = stored.memo ? &*stored.memo : nullptr;
    if (memo != nullptr && memo->coords.size() > 1) {
        return memo->coords;
    }
    const double length = Parameter(memo, "AC_Length", 0.0);
    if (!(length > 0) || !std::isfinite(length)) {
        return {};
    }
    const API_ObjectType& object = stored.element.object;
    return {object.pos,
            {object.pos.x + std::cos(object.angle) * length, object.pos.y + std::sin(object.angle) * length}};
}

bool IsGrid(const StoredElement& stored) {
    return stored.element.header.type.typeID == API_ObjectID &&
           stored.element.header.type.variationID == APIVarId_GridElement;
}

// A point of the part's own coordinates where the placed object puts it: mirrored first, then turned
// by the object's angle around its placement point.
API_Coord Placed(const API_ObjectType& object, double x, double y) {
    x = object.reflected ? -x : x;
    double c = std::cos(object.angle), s = std::sin(object.angle);
    return {object.pos.x + x * c - y * s, object.pos.y + x * s + y * c};
}

std::vector<API_Coord> PlacedBox(const API_ObjectType& object, double a, double b) {
    return {Placed(object, 0, 0), Placed(object, a, 0), Placed(object, a, b), Placed(object, 0, b),
            Placed(object, 0, 0)};
}

// What an object shows in plan: its part's 2D script (LINE2 lines; PROJECT2 draws the outline of its
// 3D blocks), or, for a part without one, its A by B box.
std::vector<std::vector<API_Coord>> ObjectStrokes(const StoredElement& stored) {
    const API_ObjectType& object = stored.element.object;
    const StoredMemo* memo = stored.memo ? &*stored.memo : nullptr;
    const std::vector<API_AddParType>* params = memo != nullptr && memo->params ? &*memo->params : nullptr;
    std::vector<std::vector<API_Coord>> strokes;
    std::optional<PartSymbol> symbol = SymbolOfPlacedPart(object.libInd, params);
    if (!symbol) {
        strokes.push_back(PlacedBox(object, Parameter(memo, "A", 0.5), Parameter(memo, "B", 0.5)));
        return strokes;
    }
    for (const Segment2D& line : symbol->lines) {
        strokes.push_back({Placed(object, line.from.x, line.from.y), Placed(object, line.to.x, line.to.y)});
    }
    if (symbol->projection) {
        if (std::optional<PartModel> model = ModelOfPlacedPart(object.libInd, params)) {
            for (const Block3D& block : model->blocks) {
                strokes.push_back(PlacedBox(object, block.a, block.b));
            }
        }
    }
    return strokes;
}

// Furniture as its part draws it, with its ID text in the middle; a grid element as its line.
void DrawObject(std::ostringstream& svg, const Canvas& canvas, const StoredElement& stored) {
    const StoredMemo* memo = stored.memo ? &*stored.memo : nullptr;
    if (IsGrid(stored)) {
        const std::vector<API_Coord> line = GridLine(stored);
        if (!line.empty()) {
            svg << "<path d=\"" << canvas.Path({line}, false)
                << "\" fill=\"none\" stroke=\"#c03030\" stroke-width=\"1\" stroke-dasharray=\"12 3 2 3\"/>\n";
        }
        return;
    }
    Bounds extent;
    for (const std::vector<API_Coord>& stroke : ObjectStrokes(stored)) {
        svg << "<path d=\"" << canvas.Path({stroke}, false)
            << "\" fill=\"none\" stroke=\"#a06a2a\" stroke-width=\"1.5\" stroke-linecap=\"round\"/>\n";
        for (const API_Coord& c : stroke) {
            extent.Add(c);
        }
    }
    if (memo != nullptr && memo->elemInfoString && !extent.Empty()) {
        API_Coord centre = {(extent.minX + extent.maxX) / 2, (extent.minY + extent.maxY) / 2};
        svg << "<text x=\"" << Number(canvas.X(centre.x)) << "\" y=\"" << Number(canvas.Y(centre.y) + 4)
            << "\" font-size=\"10\" text-anchor=\"middle\" fill=\"#7a4a1a\">"
            << Escaped(memo->elemInfoString->ToCStr().Get()) << "</text>\n";
    }
}

} // namespace

std::string DrawStory(short story, const std::vector<PlanMark>& marks) {
    std::vector<const StoredElement*> onStory;
    Bounds bounds;
    for (const StoredElement& stored : TheModel().elements) {
        if (stored.element.header.floorInd != story) {
            continue;
        }
        onStory.push_back(&stored);
        const API_Element& e = stored.element;
        if (IsGrid(stored)) {
            for (const API_Coord& c : GridLine(stored)) {
                bounds.Add(c);
            }
        } else if (e.header.type.typeID == API_ObjectID) {
            for (const std::vector<API_Coord>& stroke : ObjectStrokes(stored)) {
                for (const API_Coord& c : stroke) {
                    bounds.Add(c);
                }
            }
        } else if (stored.memo) {
            // Polygons leave entry 0 unused.
            for (size_t i = 1; i < stored.memo->coords.size(); ++i) {
                bounds.Add(stored.memo->coords[i]);
            }
        } else if (e.header.type.typeID == API_WallID) {
            for (const API_Coord& c : Footprint(e.wall)) {
                bounds.Add(c);
            }
        } else if (e.header.type.typeID == API_LineID) {
            bounds.Add(e.line.begC);
            bounds.Add(e.line.endC);
        }
        if (e.header.type.typeID == API_ObjectID) {
            bounds.Add(e.object.pos);
        }
    }
    if (bounds.Empty()) {
        bounds.Add({0, 0});
        bounds.Add({5, 5});
    }
    Canvas canvas(bounds);
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Number(canvas.Width()) << "\" height=\""
        << Number(canvas.Height()) << "\" font-family=\"sans-serif\">\n";
    svg << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    auto drawType = [&](API_ElemTypeID type, auto draw) {
        for (const StoredElement* stored : onStory) {
            if (stored->element.header.type.typeID == type) {
                draw(*stored);
            }
        }
    };
    drawType(API_SlabID, [&](const StoredElement& s) {
        svg << "<path d=\"" << canvas.Path(Contours(*s.memo), true)
            << "\" fill=\"#f0f0f0\" fill-rule=\"evenodd\" stroke=\"#b0b0b0\" stroke-dasharray=\"6 4\"/>\n";
    });
    // Larger zones first, so that the rooms inside a unit's or a storey's zone stay in sight.
    std::vector<const StoredElement*> zones;
    drawType(API_ZoneID, [&](const StoredElement& s) { zones.push_back(&s); });
    std::stable_sort(zones.begin(), zones.end(), [](const StoredElement* a, const StoredElement* b) {
        return OuterArea(*a->memo) > OuterArea(*b->memo);
    });
    for (const StoredElement* s : zones) {
        svg << "<path d=\"" << canvas.Path(Contours(*s->memo), true) << "\" fill=\""
            << CategoryColour(s->element.zone.catInd) << "\" fill-rule=\"evenodd\" stroke=\"#8a8a8a\"/>\n";
    }
    drawType(API_WallID, [&](const StoredElement& s) {
        bool exterior = IsExterior(s);
        // A wall trimmed by a solid operation keeps its footprint in plan; an outline shows the trim.
        bool trimmed = !s.solidLinks.empty();
        svg << "<path d=\"" << canvas.Path({Footprint(s.element.wall)}, true) << "\" fill=\""
            << (exterior ? "#2b2b2b" : "#9a9a9a")
            << (trimmed ? "\" stroke=\"#e040fb\" stroke-width=\"4\" stroke-dasharray=\"8 4\"/>\n"
                        : "\" stroke=\"black\" stroke-width=\"0.5\"/>\n");
        DrawWallSize(svg, canvas, s.element.wall);
    });
    drawType(API_LineID, [&](const StoredElement& s) {
        svg << "<path d=\"" << canvas.Path({{s.element.line.begC, s.element.line.endC}}, false)
            << "\" stroke=\"#1f5fbf\" stroke-width=\"1.5\"/>\n";
    });
    drawType(API_PolyLineID, [&](const StoredElement& s) {
        svg << "<path d=\"" << canvas.Path(Contours(*s.memo), false)
            << "\" fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"1.5\"/>\n";
    });
    drawType(API_DoorID, [&](const StoredElement& s) {
        if (const StoredElement* wall = FindElement(s.element.door.owner)) {
            DrawDoor(svg, canvas, s.element.door, wall->element.wall);
        }
    });
    drawType(API_ObjectID, [&](const StoredElement& s) { DrawObject(svg, canvas, s); });
    drawType(API_LabelID, [&](const StoredElement& s) {
        // Anchored at its left top corner, so the text hangs below and right of its point.
        const API_LabelType& label = s.element.label;
        svg << "<text x=\"" << Number(canvas.X(label.begC.x)) << "\" y=\""
            << Number(canvas.Y(label.begC.y) + 12)
            << "\" font-size=\"12\" font-style=\"italic\" fill=\"#404040\">"
            << Escaped(s.memo && s.memo->textContent ? s.memo->textContent->ToCStr().Get() : "")
            << "</text>\n";
    });
    drawType(API_ZoneID, [&](const StoredElement& s) {
        const API_ZoneType& zone = s.element.zone;
        svg << "<text x=\"" << Number(canvas.X(zone.pos.x)) << "\" y=\"" << Number(canvas.Y(zone.pos.y))
            << "\" font-size=\"14\" text-anchor=\"middle\">"
            << Escaped(GS::UniString(zone.roomName).ToCStr().Get()) << "</text>\n";
    });
    for (const PlanMark& mark : marks) {
        svg << "<path d=\"" << canvas.Path({{mark.from, mark.to}}, false) << "\" stroke=\""
            << (mark.emphasised ? "#d62728\" stroke-width=\"5\""
                                : "#ff9f1a\" stroke-width=\"3\" stroke-dasharray=\"8 4\"")
            << " stroke-linecap=\"round\"/>\n";
    }
    double barY = canvas.Height() - 30;
    svg << "<path d=\"M" << Number(Margin) << " " << Number(barY) << " h" << Number(PixelsPerMetre)
        << "\" stroke=\"black\" stroke-width=\"3\"/>\n"
        << "<text x=\"" << Number(Margin + PixelsPerMetre + 8) << "\" y=\"" << Number(barY + 5)
        << "\" font-size=\"12\">1 m</text>\n";
    double northX = canvas.Width() - 30;
    svg << "<path d=\"M" << Number(northX) << " 15 l-8 22 h16 Z\" fill=\"black\"/>\n"
        << "<text x=\"" << Number(northX)
        << " \" y=\"52\" font-size=\"12\" text-anchor=\"middle\">N</text>\n";
    // What the host could not read of the parts' scripts is said, not guessed.
    double noteY = 44;
    for (const std::string& problem : Libraries().scriptProblems) {
        svg << "<text x=\"" << Number(Margin) << "\" y=\"" << Number(noteY)
            << "\" font-size=\"11\" fill=\"#c00000\">Not drawn: " << Escaped(problem) << "</text>\n";
        noteY += 14;
    }
    svg << "<text x=\"" << Number(Margin) << "\" y=\"24\" font-size=\"14\">Story " << story
        << " (exterior walls dark, trimmed walls outlined in magenta, walls: thickness × height in "
           "m)</text>\n";
    svg << "</svg>\n";
    return svg.str();
}

} // namespace StandIn
