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

// Releases a paragraph handle and each paragraph's runs, as the host allocates them.
void DisposeParagraphs(API_ParagraphType**& paragraphs) {
    if (paragraphs == nullptr) {
        return;
    }
    const GSSize count = BMGetHandleSize(reinterpret_cast<GSConstHandle>(paragraphs)) /
                         static_cast<GSSize>(sizeof(API_ParagraphType));
    for (GSSize i = 0; i < count; ++i) {
        BMKillPtr(reinterpret_cast<GSPtr*>(&(*paragraphs)[i].run));
    }
    BMKillHandle(reinterpret_cast<GSHandle*>(&paragraphs));
}

// One left-justified paragraph with one run over the whole text: a handle of one paragraph whose run
// is a pointer of one run. Null when memory runs out.
API_ParagraphType** SingleParagraph(Int32 length, short font) {
    auto** paragraphs =
        reinterpret_cast<API_ParagraphType**>(BMAllocateHandle(sizeof(API_ParagraphType), ALLOCATE_CLEAR, 0));
    if (paragraphs == nullptr) {
        return nullptr;
    }
    auto* run = reinterpret_cast<API_RunType*>(BMAllocatePtr(sizeof(API_RunType), ALLOCATE_CLEAR, 0));
    if (run == nullptr) {
        BMKillHandle(reinterpret_cast<GSHandle*>(&paragraphs));
        return nullptr;
    }
    run->from = 0;
    run->range = length;
    run->pen = LabelPen;
    run->font = font;
    run->size = LabelTextSize;
    API_ParagraphType& paragraph = (*paragraphs)[0];
    paragraph.from = 0;
    paragraph.range = length;
    paragraph.just = APIJust_Left;
    paragraph.spacing = DefaultLineSpacing;
    paragraph.run = run;
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
    DisposeParagraphs(memo.paragraphs);
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
