#include "Session.hpp"

#include "StandIn/Driver.hpp"
#include "TolvaResourceIDs.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <functional>
#include <map>

namespace {

using Step = rapidjson::Value;

[[noreturn]] void Malformed(rapidjson::SizeType index, const std::string& why) {
    throw GS::Exception(GS::UniString::Printf("Session step %u: %s", index + 1, why.c_str()));
}

Int32 IntMember(const Step& step, rapidjson::SizeType index, const char* name,
                std::optional<Int32> fallback) {
    auto member = step.FindMember(name);
    if (member == step.MemberEnd()) {
        if (!fallback) {
            Malformed(index, std::string("\"") + name + "\" is missing");
        }
        return *fallback;
    }
    if (!member->value.IsInt()) {
        Malformed(index, std::string("\"") + name + "\" must be an integer");
    }
    return member->value.GetInt();
}

GS::IntPtr PaletteReference(const Step& step, rapidjson::SizeType index) {
    auto member = step.FindMember("palette");
    if (member == step.MemberEnd()) {
        Malformed(index, "\"palette\" is missing");
    }
    if (member->value.IsUint()) {
        return static_cast<GS::IntPtr>(member->value.GetUint());
    }
    for (const StandIn::PaletteRegistration& palette : StandIn::Host().palettes) {
        if (member->value.IsString() &&
            APIGuidToString(palette.guid).IsEqual(GS::Guid(member->value.GetString()).ToUniString())) {
            return palette.referenceID;
        }
    }
    Malformed(index, "\"palette\" must be a registered reference number or palette GUID");
}

using Action = std::function<void(HostProgram&, const Step&, rapidjson::SizeType)>;

const std::map<std::string, Action>& Actions() {
    static const std::map<std::string, Action> actions = {
        {"menu",
         [](HostProgram& host, const Step& step, rapidjson::SizeType i) {
             auto menu = static_cast<short>(IntMember(step, i, "menu", ID_ADDON_MENU));
             auto item = static_cast<short>(IntMember(step, i, "item", ID_ADDON_MENU_LAUNCH_ITEM));
             host.ChooseMenuItem(menu, item);
         }},
        {"event",
         [](HostProgram&, const Step& step, rapidjson::SizeType i) {
             StandIn::DeliverProjectEvent(IntMember(step, i, "code", std::nullopt));
         }},
        {"new-project", [](HostProgram&, const Step&, rapidjson::SizeType) { StandIn::NewProject(); }},
        {"selection-changed",
         [](HostProgram&, const Step&, rapidjson::SizeType) { StandIn::NotifySelectionChanged(); }},
        {"palette-message",
         [](HostProgram& host, const Step& step, rapidjson::SizeType i) {
             GS::IntPtr palette = PaletteReference(step, i);
             std::optional<bool> visible =
                 StandIn::SendPaletteMessage(palette, IntMember(step, i, "message", std::nullopt));
             if (visible) {
                 host.Out() << "Palette " << palette << " visible: " << (*visible ? "yes" : "no") << "\n";
             }
         }},
        {"quit", [](HostProgram& host, const Step&, rapidjson::SizeType) { host.Quit(); }},
    };
    return actions;
}

} // namespace

void RunSession(HostProgram& host, const std::string& sessionText) {
    rapidjson::Document session;
    session.Parse<rapidjson::kParseIterativeFlag>(sessionText.c_str(), sessionText.size());
    if (session.HasParseError()) {
        throw GS::Exception(GS::UniString::Printf("Session file is not JSON: %s at offset %u",
                                                  rapidjson::GetParseError_En(session.GetParseError()),
                                                  static_cast<unsigned>(session.GetErrorOffset())));
    }
    if (!session.IsObject() || !session.HasMember("steps") || !session["steps"].IsArray()) {
        throw GS::Exception("Session file must be an object with a \"steps\" array");
    }
    const auto& steps = session["steps"];
    // Every step is checked before the first one runs, so a typo never leaves a half-played session.
    for (rapidjson::SizeType i = 0; i < steps.Size(); ++i) {
        const Step& step = steps[i];
        if (!step.IsObject() || !step.HasMember("action") || !step["action"].IsString()) {
            Malformed(i, "a step is an object with an \"action\" text");
        }
        std::string name = step["action"].GetString();
        if (Actions().find(name) == Actions().end()) {
            Malformed(i, "unknown action \"" + name + "\"");
        }
        if (name == "quit" && i + 1 < steps.Size()) {
            Malformed(i + 1, "no step may follow \"quit\"");
        }
    }
    for (rapidjson::SizeType i = 0; i < steps.Size(); ++i) {
        Actions().at(steps[i]["action"].GetString())(host, steps[i], i);
    }
}
