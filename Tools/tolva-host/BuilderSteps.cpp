#include "BuilderSteps.hpp"

#include "Builders/SlabBuilder.hpp"
#include "Builders/WallBuilder.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "GSException.hpp"
#include "Logging/SentryLogger.hpp"
#include "Main/ProjectEvents.hpp"
#include "Parsers/GeometryParsers.hpp"
#include "Parsers/PlanElementParsers.hpp"
#include "Parsers/WallGuideParsers.hpp"
#include "StandIn/Host.hpp"

#include <string>

namespace {

// The builders run from tolva-host's own copy of the add-on's code. Before its first use the copy
// hears of project changes as the add-on does, so its caches never outlive a project, and reports
// errors only to the report window: error reporting belongs to the add-on module.
void PrepareBuilders() {
    static bool prepared = false;
    if (prepared) {
        return;
    }
    prepared = true;
    SentryLogger::Shutdown();
    StandIn::Host().eventSubscriptions.push_back({APINotify_New | APINotify_Open, ProjectEventHandler});
}

const rapidjson::Value& Member(const rapidjson::Value& step, const char* name) {
    if (!step.HasMember(name)) {
        throw GS::Exception(GS::UniString::Printf("\"%s\" is missing", name));
    }
    return step[name];
}

std::string GuidText(const API_Guid& guid) {
    return APIGuidToString(guid).ToCStr().Get();
}

std::string CodeText(GSErrCode code) {
    return GS::UniString::Printf("0x%08X", static_cast<UInt32>(code)).ToCStr().Get();
}

void PrintResult(std::ostream& out, const char* what, GSErrCode code, const API_Guid& guid) {
    if (code == NoError) {
        out << what << " " << GuidText(guid) << "\n";
    } else {
        out << what << " not created: " << CodeText(code) << "\n";
    }
}

} // namespace

void BuildWalls(std::ostream& out, const rapidjson::Value& step, short story) {
    Tolva::WallGuides guides;
    if (!Tolva::Parsers::ParseWallGuides(Member(step, "wallGuides"), guides)) {
        throw GS::Exception("\"wallGuides\" must be an object");
    }
    const bool skipStoryPlan = step.HasMember("skipStoryPlan") && step["skipStoryPlan"].IsTrue();
    PrepareBuilders();
    GS::Array<API_Guid> walls;
    const GSErrCode code = ACAPI_CallUndoableCommand("Build Walls", [&] {
        return Tolva::Builders::WallBuilder::CreateWallsFromGraph(guides, story, walls, skipStoryPlan);
    });
    out << "Walls: " << walls.GetSize() << " created, result " << CodeText(code) << "\n";
}

void BuildSlab(std::ostream& out, const rapidjson::Value& step, short story) {
    Tolva::TolvaPolygon polygon;
    if (!Tolva::Parsers::ParsePolygon(Member(step, "polygon"), polygon)) {
        throw GS::Exception("\"polygon\" must be a polygon of the plan format");
    }
    const rapidjson::Value& thickness = Member(step, "thickness");
    if (!thickness.IsNumber()) {
        throw GS::Exception("\"thickness\" must be a number");
    }
    PrepareBuilders();
    API_Guid slab = {};
    const GSErrCode code = ACAPI_CallUndoableCommand("Build Slab", [&] {
        return Tolva::Builders::SlabBuilder::CreateSlab(polygon, thickness.GetDouble(), story, slab);
    });
    PrintResult(out, "Slab", code, slab);
}

void BuildZone(std::ostream& out, const rapidjson::Value& step, short story) {
    Tolva::PlanContainer container;
    if (!Tolva::Parsers::ParsePlanContainer(Member(step, "container"), container)) {
        throw GS::Exception("\"container\" must be a plan container");
    }
    std::optional<Tolva::SpaceType> spaceType;
    if (step.HasMember("spaceType")) {
        spaceType.emplace();
        if (!Tolva::Parsers::ParseSpaceType(step["spaceType"], *spaceType)) {
            throw GS::Exception("\"spaceType\" must be a space type");
        }
    }
    PrepareBuilders();
    API_Guid zone = {};
    const GSErrCode code = ACAPI_CallUndoableCommand("Build Zone", [&] {
        return Tolva::Builders::ZoneBuilder::CreateZoneFromContainer(
            container, spaceType ? &*spaceType : nullptr, story, container.transform, zone);
    });
    PrintResult(out, "Zone", code, zone);
}
