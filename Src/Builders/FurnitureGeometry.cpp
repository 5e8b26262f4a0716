#include "Builders/FurnitureGeometry.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace Tolva::Builders {

namespace {

constexpr double DefaultSide = 100; // mm
constexpr double SameCorner = 0.1;  // mm
constexpr int BezierSteps = 8;
constexpr USize MaxFileStemLength = 120; // code units, well inside every file system's limit

TolvaPoint3D Bezier(const GS::Array<TolvaPoint3D>& p, double t) {
    double u = 1 - t;
    if (p.GetSize() == 3) {
        return {u * u * p[0].x + 2 * u * t * p[1].x + t * t * p[2].x,
                u * u * p[0].y + 2 * u * t * p[1].y + t * t * p[2].y, 0};
    }
    return {u * u * u * p[0].x + 3 * u * u * t * p[1].x + 3 * u * t * t * p[2].x + t * t * t * p[3].x,
            u * u * u * p[0].y + 3 * u * u * t * p[1].y + 3 * u * t * t * p[2].y + t * t * t * p[3].y, 0};
}

bool IsRefusedInFileName(GS::UniChar uc) {
    const char16_t c = uc;
    return c < 0x20 || c == 0x7F || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' ||
           c == u'"' || c == u'<' || c == u'>' || c == u'|';
}

} // namespace

FurnitureSize FurnitureFootprint(const FurnitureTemplate& furniture) {
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
    for (const FurnitureShape& shape : furniture.shape2d) {
        for (const TolvaPoint3D& p : shape.points) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    FurnitureSize size;
    size.a = maxX - minX > 0 ? maxX - minX : DefaultSide;
    size.b = maxY - minY > 0 ? maxY - minY : DefaultSide;
    return size;
}

double FurnitureHeightForName(const GS::UniString& name) {
    GS::UniString lower = name.ToLowerCase();
    if (lower.Contains("wardrobe") || lower.Contains("cabinet") || lower.Contains("shelf")) {
        return 2100;
    }
    if (lower.Contains("stool") || lower.Contains("ottoman")) {
        return 450;
    }
    return 800;
}

void FlattenShape(const GS::Array<TolvaPoint3D>& points, GS::Array<TolvaPoint3D>& flattened) {
    flattened.Clear();
    if (points.IsEmpty()) {
        return;
    }
    bool allAtFirst = std::all_of(points.begin(), points.end(), [&](const TolvaPoint3D& p) {
        return std::abs(p.x - points[0].x) <= SameCorner && std::abs(p.y - points[0].y) <= SameCorner;
    });
    if (points.GetSize() == 1 || allAtFirst) {
        flattened.Push(points[0]);
        return;
    }
    if (points.GetSize() == 3 || points.GetSize() == 4) {
        for (int step = 0; step <= BezierSteps; ++step) {
            flattened.Push(Bezier(points, static_cast<double>(step) / BezierSteps));
        }
        return;
    }
    flattened = points;
}

std::vector<std::string> FurnitureOutlineLines(const FurnitureTemplate& furniture) {
    std::vector<std::string> lines;
    for (const FurnitureShape& shape : furniture.shape2d) {
        GS::Array<TolvaPoint3D> points;
        if (shape.type == "polyline") {
            points = shape.points;
        } else if (shape.type == "bezier_curve") {
            FlattenShape(shape.points, points);
        } else {
            continue;
        }
        GS::Array<TolvaPoint3D> kept;
        for (const TolvaPoint3D& p : points) {
            if (kept.IsEmpty() || std::hypot(p.x - kept.GetLast().x, p.y - kept.GetLast().y) > SameCorner) {
                kept.Push(p);
            }
        }
        for (USize i = 1; i < kept.GetSize(); ++i) {
            char line[4096];
            std::snprintf(line, sizeof line, "LINE2 %.6f, %.6f, %.6f, %.6f", kept[i - 1].x / 1000,
                          kept[i - 1].y / 1000, kept[i].x / 1000, kept[i].y / 1000);
            lines.emplace_back(line);
        }
    }
    return lines;
}

GS::UniString SafeLibraryFileName(const GS::UniString& partName) {
    GS::UniString stem;
    for (USize i = 0; i < partName.GetLength(); ++i) {
        GS::UniChar c = partName[i];
        stem.Append(IsRefusedInFileName(c) ? GS::UniChar(u'_') : c);
    }
    while (stem.Contains("..")) {
        stem.ReplaceAll("..", "_");
    }
    if (stem.GetLength() > MaxFileStemLength) {
        USize cut = MaxFileStemLength;
        // Never split a surrogate pair.
        const char16_t last = stem.GetChar(cut - 1);
        if (last >= 0xD800 && last <= 0xDBFF) {
            --cut;
        }
        stem.Truncate(cut);
    }
    while (!stem.IsEmpty() && (stem.GetLast() == u'.' || stem.GetLast() == u' ')) {
        stem.Truncate(stem.GetLength() - 1);
    }
    if (stem.IsEmpty()) {
        stem = "_";
    }
    return stem + ".gsm";
}

} // namespace Tolva::Builders
