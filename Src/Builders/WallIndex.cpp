#include "Builders/WallIndex.hpp"

#include "Logging/Logger.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Tolva::Builders {

namespace {

constexpr double CellSize = 2.0;        // m
constexpr double MinWallLength = 0.001; // m
constexpr std::int64_t MaxCellsPerWall = 4096;
constexpr std::int64_t CellRange = 1 << 30;
// Farther than any wall counts as not found, as does a distance that is not a number.
constexpr double NoDistance = 1e10;

std::int64_t CellOf(double coordinate) {
    return static_cast<std::int64_t>(std::floor(coordinate / CellSize));
}

bool InGridRange(double low, double high) {
    return std::isfinite(low) && std::isfinite(high) && std::abs(low / CellSize) < CellRange &&
           std::abs(high / CellSize) < CellRange;
}

std::int64_t KeyOf(std::int64_t x, std::int64_t y) {
    return x * 2 * CellRange + y;
}

} // namespace

WallIndex::WallIndex(const GS::Array<API_Guid>& guids) : givenCount(guids.GetSize()) {
    for (const API_Guid& guid : guids) {
        API_Element wall = {};
        wall.header.guid = guid;
        if (const GSErrCode err = ACAPI_Element_Get(&wall); err != NoError) {
            // A door may then land on another wall: say which one was left out.
            Logger::Warning("WallIndex", GS::UniString::Printf(
                                             "Cannot read wall %s (error %d): left out of the door search",
                                             APIGuidToString(guid).ToCStr().Get(), err));
            continue;
        }
        const API_Coord& b = wall.wall.begC;
        const API_Coord& e = wall.wall.endC;
        if (!(std::hypot(e.x - b.x, e.y - b.y) >= MinWallLength)) {
            continue;
        }
        const size_t at = walls.size();
        walls.push_back(wall);
        const double lowX = std::min(b.x, e.x), highX = std::max(b.x, e.x);
        const double lowY = std::min(b.y, e.y), highY = std::max(b.y, e.y);
        if (!InGridRange(lowX, highX) || !InGridRange(lowY, highY) ||
            (CellOf(highX) - CellOf(lowX) + 1) * (CellOf(highY) - CellOf(lowY) + 1) > MaxCellsPerWall) {
            unbounded.push_back(at);
            continue;
        }
        for (std::int64_t x = CellOf(lowX); x <= CellOf(highX); ++x) {
            for (std::int64_t y = CellOf(lowY); y <= CellOf(highY); ++y) {
                cells[KeyOf(x, y)].push_back(at);
            }
        }
    }
}

std::vector<size_t> WallIndex::CandidatesNear(const API_Coord& point, double radius) const {
    std::vector<size_t> candidates = unbounded;
    if (InGridRange(point.x - radius, point.x + radius) && InGridRange(point.y - radius, point.y + radius)) {
        for (std::int64_t x = CellOf(point.x - radius); x <= CellOf(point.x + radius); ++x) {
            for (std::int64_t y = CellOf(point.y - radius); y <= CellOf(point.y + radius); ++y) {
                if (auto cell = cells.find(KeyOf(x, y)); cell != cells.end()) {
                    candidates.insert(candidates.end(), cell->second.begin(), cell->second.end());
                }
            }
        }
    }
    // In the order given, each once, so that ties go to the earliest wall.
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    return candidates;
}

std::optional<WallIndex::Hit> WallIndex::NearestAmong(const API_Coord& p,
                                                      const std::vector<size_t>& candidates) const {
    std::optional<Hit> best;
    for (size_t at : candidates) {
        const API_Coord& s = walls[at].wall.begC;
        const API_Coord& e = walls[at].wall.endC;
        const double dx = e.x - s.x, dy = e.y - s.y;
        const double length = std::hypot(dx, dy);
        const double u = std::clamp(((p.x - s.x) * dx + (p.y - s.y) * dy) / (length * length), 0.0, 1.0);
        const double distance = std::hypot(p.x - (s.x + u * dx), p.y - (s.y + u * dy));
        if (distance < (best ? best->distance : NoDistance)) {
            best = Hit{&walls[at], distance, u * length};
        }
    }
    return best;
}

std::optional<WallIndex::Hit> WallIndex::Nearest(const API_Coord& point, double radius) const {
    if (std::optional<Hit> close = NearestAmong(point, CandidatesNear(point, radius));
        close && close->distance <= radius) {
        return close;
    }
    std::vector<size_t> all(walls.size());
    std::iota(all.begin(), all.end(), size_t{0});
    return NearestAmong(point, all);
}

} // namespace Tolva::Builders
