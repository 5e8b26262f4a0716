#pragma once

#include "Page/PageEngine.hpp"
#include "StandIn/JSONText.hpp"

#include <functional>
#include <string>
#include <vector>

using ScriptCallable = std::function<GS::Ref<JS::Base>(GS::Ref<JS::Base>)>;

// A named script object with the given functions, as the add-on registers one.
inline GS::Ref<JS::Object> ScriptObject(const char* name,
                                        std::vector<std::pair<const char*, ScriptCallable>> functions) {
    auto object = GS::NewRef<JS::Object>(GS::UniString(name));
    for (auto& [functionName, callable] : functions) {
        object->AddItem(new JS::Function(functionName, std::move(callable)));
    }
    return object;
}

inline std::vector<std::string> Reports(const StandIn::PageEngine& page) {
    std::vector<std::string> texts;
    for (const GS::UniString& text : page.GetReports()) {
        texts.emplace_back(text.ToCStr(CC_UTF8).Get());
    }
    return texts;
}

inline std::string ScriptErrorOf(StandIn::PageEngine& page, const char* script) {
    try {
        page.Run(script);
    } catch (const GS::Exception& exception) {
        return exception.GetMessage().ToCStr(CC_UTF8).Get();
    }
    return "no error";
}
