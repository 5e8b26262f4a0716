#include "JSCommands/ResultEnvelope.hpp"

#include "Logging/Logger.hpp"

namespace JSCommands {

namespace {

GS::Ref<JS::Base> Envelope(bool success, const char* memberName, const GS::UniString& message) {
    GS::UniString text(success ? "{\"success\":true,\"" : "{\"success\":false,\"");
    text += GS::UniString(memberName) + "\":\"" + EscapeJsonString(message) + "\"}";
    return GS::NewRef<JS::Value>(text);
}

} // namespace

GS::UniString EscapeJsonString(const GS::UniString& text) {
    GS::UniString escaped;
    for (USize i = 0; i < text.GetLength(); ++i) {
        const GS::UniChar unit = text[i];
        switch (static_cast<char16_t>(unit)) {
        case u'"':
            escaped += "\\\"";
            break;
        case u'\\':
            escaped += "\\\\";
            break;
        case u'\n':
            escaped += "\\n";
            break;
        case u'\r':
            escaped += "\\r";
            break;
        case u'\t':
            escaped += "\\t";
            break;
        default:
            escaped += unit;
        }
    }
    return escaped;
}

GS::Ref<JS::Base> MakeErrorResult(const GS::UniString& message) {
    Logger::Error("API", message);
    return Envelope(false, "error", message);
}

GS::Ref<JS::Base> MakeSuccessResult(const GS::UniString& message) {
    return Envelope(true, "message", message);
}

GS::Ref<JS::Base> MakeErrorObject(const GS::UniString& message) {
    Logger::Error("API", message);
    return ErrorObject(message);
}

GS::Ref<JS::Base> ErrorObject(const GS::UniString& message) {
    auto object = GS::NewRef<JS::Object>();
    object->AddItem("success", GS::NewRef<JS::Value>(Int32(0)));
    object->AddItem("error", GS::NewRef<JS::Value>(message));
    return object;
}

} // namespace JSCommands
