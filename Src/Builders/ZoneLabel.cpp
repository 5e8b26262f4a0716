#include "Builders/ZoneBuilder.hpp"

#include "Builders/MemoGuard.hpp"
#include "Logging/Logger.hpp"

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "ZoneBuilder";
constexpr short LabelPen = 1;
constexpr double LabelTextSize = 3.0;
// The host's "as the font sets it" line spacing.
constexpr double DefaultLineSpacing = -1.0;

// One left-justified paragraph with one run over the whole text.
GS::Array<API_ParagraphType>* SingleParagraph(Int32 length, short font) {
    auto* paragraphs = new GS::Array<API_ParagraphType>();
    API_ParagraphType paragraph = {};
    paragraph.from = 0;
    paragraph.range = length;
    paragraph.just = APIJust_Left;
    paragraph.spac = DefaultLineSpacing;
    API_RunType run = {};
    run.from = 0;
    run.range = length;
    run.pen = LabelPen;
    run.font = font;
    run.size = LabelTextSize;
    paragraph.run.Push(run);
    paragraphs->Push(paragraph);
    return paragraphs;
}

} // namespace

GSErrCode ZoneBuilder::CreateZoneLabel(const API_Guid& zoneGuid, const API_Coord& position,
                                       const GS::UniString& text, short floorInd,
                                       const API_Element* labelDefaults) {
    API_Element label = {};
    API_ElementMemo memo = {};
    MemoGuard guard(memo);
    if (labelDefaults != nullptr) {
        label = *labelDefaults;
    } else {
        label.header.type = API_LabelID;
        if (const GSErrCode err = ACAPI_Element_GetDefaults(&label, &memo); err != NoError) {
            Logger::Warning(Category, GS::UniString::Printf("Failed to get label defaults: %d", err));
            return err;
        }
    }
    label.label.parent = zoneGuid;
    label.label.parentType = API_ZoneID;
    label.header.floorInd = floorInd;
    Logger::Debug(Category, GS::UniString::Printf(
                                "Setting label floor index to %d (passed from zone creation)", floorInd));
    label.label.labelClass = APILblClass_Text;
    label.label.createAtDefaultPosition = false;
    label.label.u.text.anchor = APIAnc_LT;
    label.label.u.text.angle = 0.0;
    delete memo.textContent;
    memo.textContent = new GS::UniString(text);
    delete memo.paragraphs;
    memo.paragraphs = SingleParagraph(static_cast<Int32>(text.GetLength()), label.label.u.text.font);
    label.label.begC = position;
    label.label.midC = position;
    label.label.endC = position;
    if (const GSErrCode err = ACAPI_Element_Create(&label, &memo); err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("Failed to create zone label: %d", err));
        return err;
    }
    return NoError;
}

} // namespace Tolva::Builders
