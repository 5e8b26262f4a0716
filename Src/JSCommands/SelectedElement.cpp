#include "JSCommands/SelectedElement.hpp"

#include "Logging/Logger.hpp"

namespace JSCommands {

bool ReadSelectedElement(API_Element& element, const char* category) {
    if (const GSErrCode err = ACAPI_Element_Get(&element); err != NoError) {
        Logger::Warning(category,
                        GS::UniString::Printf("Element %s left out: it cannot be read (%d)",
                                              APIGuidToString(element.header.guid).ToCStr().Get(), err));
        return false;
    }
    return true;
}

} // namespace JSCommands
