#include "JSCommands/LineCommands.hpp"

#include "ACAPinc.h"
#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/Logger.hpp"

namespace JSCommands::LineCommands {

namespace {

constexpr const char* Category = "LineCommands";

bool IsLine(const API_Element& element) {
    return element.header.type.typeID == API_LineID || element.header.type.typeID == API_PolyLineID;
}

// Releases the story records on every way out.
struct StoryInfoHolder {
    API_StoryInfo info = {};
    StoryInfoHolder() = default;
    StoryInfoHolder(const StoryInfoHolder&) = delete;
    StoryInfoHolder& operator=(const StoryInfoHolder&) = delete;
    ~StoryInfoHolder() { BMKillHandle(reinterpret_cast<GSHandle*>(&info.data)); }
};

// The level of the story (m); 0 for the ground floor without asking, and for a story the host does
// not know.
double StoryLevel(short floorIndex) {
    if (floorIndex == 0) {
        return 0.0;
    }
    StoryInfoHolder holder;
    if (ACAPI_ProjectSetting_GetStorySettings(&holder.info) != NoError || holder.info.data == nullptr) {
        return 0.0;
    }
    const API_StoryInfo& info = holder.info;
    for (short index = info.firstStory; index <= info.lastStory; ++index) {
        const API_StoryType& story = (*info.data)[index - info.firstStory];
        if (story.index == floorIndex) {
            return story.level;
        }
    }
    return 0.0;
}

void ExtractPolyline(const API_Element& element, const API_Coord& shift, double z,
                     GS::Array<GuideGeometry::Polyline>& polylines, GS::UniString& error) {
    GuideGeometry::MemoHolder holder;
    if (const GSErrCode err = ACAPI_Element_GetMemo(element.header.guid, &holder.memo, APIMemoMask_Polygon);
        err != NoError) {
        error = GS::UniString::Printf("Failed to get element memo: error code %d", err);
        return;
    }
    if (holder.memo.coords == nullptr) {
        error = "Polyline has no coordinates";
        return;
    }
    // Polyline coordinates count from 1; entry 0 is unused.
    const USize count = GuideGeometry::HandleCount(holder.memo.coords);
    if (count < 3) {
        error = "Polyline has insufficient coordinates";
        return;
    }
    GuideGeometry::Polyline polyline;
    for (USize i = 1; i < count; ++i) {
        polyline.Push(GuideGeometry::Shifted((*holder.memo.coords)[i], shift, z));
    }
    polylines.Push(polyline);
}

} // namespace

GS::Array<API_Guid> GetSelectedLines() {
    return GuideGeometry::SelectedElements(Category, IsLine);
}

void ExtractLineGeometry(const API_Guid& guid, GS::Array<GuideGeometry::Polyline>& polylines,
                         GS::UniString& error) {
    polylines.Clear();
    error = GS::UniString();
    API_Element element = {};
    element.header.guid = guid;
    if (const GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
        error = GS::UniString::Printf("Failed to get element: error code %d", err);
        return;
    }
    const API_Coord shift = GuideGeometry::ReadPositionShift();
    const double z = StoryLevel(element.header.floorInd);
    switch (element.header.type.typeID) {
    case API_LineID:
        polylines.Push(GuideGeometry::Polyline{GuideGeometry::Shifted(element.line.begC, shift, z),
                                               GuideGeometry::Shifted(element.line.endC, shift, z)});
        break;
    case API_PolyLineID:
        ExtractPolyline(element, shift, z, polylines, error);
        break;
    default:
        error = GS::UniString::Printf("Unsupported element type: %d",
                                      static_cast<int>(element.header.type.typeID));
    }
}

GS::Ref<JS::Base> GetCenterlines(GS::Ref<JS::Base>) {
    const GS::Array<API_Guid> elements = GetSelectedLines();
    if (elements.IsEmpty()) {
        return MakeErrorResult("No line elements selected. Please select at least one line or polyline.");
    }
    GS::Array<GuideGeometry::Polyline> collected;
    for (const API_Guid& element : elements) {
        GS::Array<GuideGeometry::Polyline> polylines;
        GS::UniString error;
        ExtractLineGeometry(element, polylines, error);
        if (!error.IsEmpty()) {
            Logger::Warning(Category, "Failed to extract line geometry: " + error);
            continue;
        }
        for (const GuideGeometry::Polyline& polyline : polylines) {
            collected.Push(polyline);
        }
    }
    if (collected.IsEmpty()) {
        return MakeErrorResult("Failed to extract geometry from any line elements");
    }
    Logger::Info(Category, GS::UniString::Printf("Retrieved %d line segment(s) from %d line(s)",
                                                 static_cast<int>(collected.GetSize()),
                                                 static_cast<int>(elements.GetSize())));
    return GuideGeometry::MakePolylineGroup("centerline", collected);
}

} // namespace JSCommands::LineCommands
