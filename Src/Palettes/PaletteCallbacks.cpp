#include "Palettes/PaletteCallbacks.hpp"

namespace {

GSErrCode AnswerWithoutInstance(API_PaletteMessageID messageID, GS::IntPtr param) {
    if (messageID == APIPalMsg_IsPaletteVisible && param != 0) {
        *reinterpret_cast<bool*>(param) = false;
    }
    return NoError;
}

} // namespace

GSErrCode BrowserPaletteControlCallback(Int32, API_PaletteMessageID messageID, GS::IntPtr param) {
    return AnswerWithoutInstance(messageID, param);
}

GSErrCode GeneratePlanPaletteControlCallback(Int32, API_PaletteMessageID messageID, GS::IntPtr param) {
    return AnswerWithoutInstance(messageID, param);
}
