#include "Session.hpp"

#include "BuilderSteps.hpp"
#include "GeometrySteps.hpp"
#include "PageSteps.hpp"
#include "PaletteSteps.hpp"
#include "ZoneImportFiles.hpp"

#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/ProjectFile.hpp"
#include "StandIn/Stories.hpp"
#include "TolvaResourceIDs.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <map>
#include <utility>
#include <vector>

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

// The host's reference numbers are signed; sessions and the output write them unsigned.
Int32 PaletteReference(const Step& step, rapidjson::SizeType index) {
    auto member = step.FindMember("palette");
    if (member == step.MemberEnd()) {
        Malformed(index, "\"palette\" is missing");
    }
    if (member->value.IsUint()) {
        return static_cast<Int32>(member->value.GetUint());
    }
    for (const StandIn::PaletteRegistration& palette : StandIn::Host().palettes) {
        if (member->value.IsString() &&
            APIGuidToString(palette.guid).IsEqual(GS::Guid(member->value.GetString()).ToUniString())) {
            return palette.referenceID;
        }
    }
    Malformed(index, "\"palette\" must be a registered reference number or palette GUID");
}

// A host error code, as a signed or an unsigned 32-bit number (0x81060001 is 2164654081).
GSErrCode CodeMember(const Step& step, rapidjson::SizeType index) {
    auto member = step.FindMember("code");
    if (member != step.MemberEnd() && member->value.IsUint()) {
        return static_cast<GSErrCode>(member->value.GetUint());
    }
    return IntMember(step, index, "code", std::nullopt);
}

std::string TextMember(const Step& step, rapidjson::SizeType index, const char* name) {
    auto member = step.FindMember(name);
    if (member == step.MemberEnd() || !member->value.IsString()) {
        Malformed(index, std::string("\"") + name + "\" must be a text");
    }
    return member->value.GetString();
}

double NumberMember(const Step& step, rapidjson::SizeType index, const char* name) {
    auto member = step.FindMember(name);
    if (member == step.MemberEnd() || !member->value.IsNumber()) {
        Malformed(index, std::string("\"") + name + "\" must be a number");
    }
    return member->value.GetDouble();
}

// A palette by its GUID text, or "browser" or "plan" for the add-on's two.
GS::Guid PaletteGuid(const Step& step, rapidjson::SizeType index) {
    const std::string name = TextMember(step, index, "palette");
    if (name == "browser") {
        return GS::Guid("{FEE27B6B-3873-4834-98B5-F0081AA4CD45}");
    }
    if (name == "plan") {
        return GS::Guid("{B3C7E5F1-9A2D-4E6F-8B4C-1D7F6E3A9C2B}");
    }
    GS::Guid::Fields fields;
    if (!GS::ParseGuidText(name.c_str(), &fields)) {
        Malformed(index, "\"palette\" must be \"browser\", \"plan\" or a GUID text");
    }
    return GS::Guid(fields);
}

std::string JsonText(const rapidjson::Value& value) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    value.Accept(writer);
    return buffer.GetString();
}

// Calls ACAPI.command from the page with the arguments (PageSteps.hpp), prints the answer and,
// with "expect" (a text as it is, anything else as compact JSON), checks it.
void CallAndCheck(HostProgram& host, const Step& step, rapidjson::SizeType index, const std::string& command,
                  const std::vector<std::string>& arguments) {
    const StandIn::PageCallResult result = CallCommand(command, arguments);
    if (result.state != StandIn::PageCallResult::State::Fulfilled) {
        Malformed(index, "ACAPI." + command +
                             (result.state == StandIn::PageCallResult::State::Rejected
                                  ? " was rejected: " + result.text
                                  : " never settled"));
    }
    host.Out() << "ACAPI." << command << ": " << result.text << "\n";
    if (step.HasMember("expect")) {
        const rapidjson::Value& expect = step["expect"];
        const std::string expected = expect.IsString() ? expect.GetString() : JsonText(expect);
        if (result.text != expected) {
            Malformed(index, "ACAPI." + command + " answered " + result.text + ", not " + expected);
        }
    }
}

// Calls ACAPI.command with "argument" (any JSON value), the text of "file" or an array of the
// texts of "files".
void CallStep(HostProgram& host, const Step& step, rapidjson::SizeType index) {
    const std::string command = TextMember(step, index, "command");
    std::vector<std::string> arguments;
    if (step.HasMember("files")) {
        if (!step["files"].IsArray()) {
            Malformed(index, "\"files\" must list file names");
        }
        for (const auto& file : step["files"].GetArray()) {
            if (!file.IsString()) {
                Malformed(index, "\"files\" must list file names");
            }
            arguments.push_back(std::string("@") + file.GetString());
        }
        if (arguments.size() < 2) {
            Malformed(index, "\"files\" must name at least two files; one goes as \"file\"");
        }
    } else if (step.HasMember("file")) {
        arguments.push_back('@' + TextMember(step, index, "file"));
    } else if (step.HasMember("argument")) {
        arguments.push_back(JsonText(step["argument"]));
    }
    CallAndCheck(host, step, index, command, arguments);
}

// Hands the project files of "folder" to ACAPI.importZonesFromSpaces, as the page does.
void ImportZonesStep(HostProgram& host, const Step& step, rapidjson::SizeType index) {
    std::string argument;
    try {
        argument = ZoneImportArgument(TextMember(step, index, "folder"));
    } catch (const GS::Exception& e) {
        Malformed(index, e.GetMessage().ToCStr().Get());
    }
    CallAndCheck(host, step, index, "importZonesFromSpaces", {argument});
}

// Elements by "guids", by "type" or by zone "name", in host order.
std::vector<API_Guid> ElementsToSelect(const Step& step, rapidjson::SizeType index) {
    std::vector<API_Guid> guids;
    if (step.HasMember("guids") && step["guids"].IsArray()) {
        for (const auto& text : step["guids"].GetArray()) {
            GS::Guid::Fields fields;
            if (!text.IsString() || !GS::ParseGuidText(text.GetString(), &fields)) {
                Malformed(index, "\"guids\" must list GUID texts");
            }
            guids.push_back(GSGuid2APIGuid(GS::Guid(fields)));
        }
        return guids;
    }
    // A grid is an object of the grid-element variation; the other names take every variation.
    const std::map<std::string, API_ElemType> types = {
        {"wall", API_WallID},         {"slab", API_SlabID},
        {"zone", API_ZoneID},         {"line", API_LineID},
        {"polyline", API_PolyLineID}, {"grid", {API_ObjectID, APIVarId_GridElement}},
        {"object", API_ObjectID},     {"mesh", API_MeshID},
        {"morph", API_MorphID}};
    std::optional<API_ElemType> type;
    std::optional<GS::UniString> name;
    if (step.HasMember("type")) {
        auto found = types.find(TextMember(step, index, "type"));
        if (found == types.end()) {
            Malformed(index,
                      "\"type\" must be wall, slab, zone, line, polyline, grid, object, mesh or morph");
        }
        type = found->second;
    } else if (step.HasMember("name")) {
        name = GS::UniString(TextMember(step, index, "name"));
    } else {
        Malformed(index, "select needs \"guids\", \"type\" or \"name\"");
    }
    for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
        const API_Element& e = stored.element;
        bool named = name && e.header.type.typeID == API_ZoneID && GS::UniString(e.zone.roomName) == *name;
        bool typed =
            type && e.header.type.typeID == type->typeID &&
            (type->variationID == APIVarId_Generic || e.header.type.variationID == type->variationID);
        if (typed || named) {
            guids.push_back(e.header.guid);
        }
    }
    return guids;
}

StandIn::PointAnswer PointAnswerOf(const Step& step, rapidjson::SizeType index) {
    if (step.HasMember("cancel")) {
        return {APIERR_CANCEL, {}};
    }
    if (step.HasMember("error")) {
        return {IntMember(step, index, "error", std::nullopt), {}};
    }
    auto coordinate = [&](const char* name) {
        // Texts let a session give what JSON cannot: "nan", "inf", "-inf".
        if (step.HasMember(name) && step[name].IsString()) {
            return std::strtod(step[name].GetString(), nullptr);
        }
        return NumberMember(step, index, name);
    };
    return {NoError, {coordinate("x"), coordinate("y"), step.HasMember("z") ? coordinate("z") : 0.0}};
}

using Action = std::function<void(HostProgram&, const Step&, rapidjson::SizeType)>;
using BuilderStep = void (*)(std::ostream&, const Step&, short);

// A builder step on "story" (by default the active one); a step whose JSON the builder cannot take
// is malformed.
Action Builder(BuilderStep build) {
    return [build](HostProgram& host, const Step& step, rapidjson::SizeType i) {
        Int32 story = IntMember(step, i, "story", StandIn::TheModel().activeStory);
        if (story < StandIn::Settings().firstStory || story > StandIn::LastStory()) {
            Malformed(i, "\"story\" is not a story of the project");
        }
        try {
            build(host.Out(), step, static_cast<short>(story));
        } catch (const GS::Exception& e) {
            Malformed(i, e.GetMessage().ToCStr().Get());
        }
    };
}

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
             StandIn::DeliverProjectEvent(
                 static_cast<API_NotifyEventID>(IntMember(step, i, "code", std::nullopt)));
         }},
        {"new-project", [](HostProgram&, const Step&, rapidjson::SizeType) { StandIn::NewProject(); }},
        {"selection-changed",
         [](HostProgram&, const Step&, rapidjson::SizeType) { StandIn::NotifySelectionChanged(); }},
        {"palette-message",
         [](HostProgram& host, const Step& step, rapidjson::SizeType i) {
             Int32 palette = PaletteReference(step, i);
             std::optional<bool> visible = StandIn::SendPaletteMessage(
                 palette, static_cast<API_PaletteMessageID>(IntMember(step, i, "message", std::nullopt)));
             if (visible) {
                 host.Out() << "Palette " << static_cast<UInt32>(palette)
                            << " visible: " << (*visible ? "yes" : "no") << "\n";
             }
         }},
        {"open-project",
         [](HostProgram&, const Step& step, rapidjson::SizeType i) {
             StandIn::OpenProjectFile(TextMember(step, i, "file"));
         }},
        {"save-project",
         [](HostProgram&, const Step& step, rapidjson::SizeType i) {
             StandIn::SaveProjectFile(TextMember(step, i, "file"));
         }},
        {"save-drawing",
         [](HostProgram& host, const Step& step, rapidjson::SizeType i) {
             std::optional<Int32> story;
             if (step.HasMember("story")) {
                 story = IntMember(step, i, "story", std::nullopt);
             }
             host.SaveDrawing(TextMember(step, i, "file"), story);
         }},
        {"select", [](HostProgram&, const Step& step,
                      rapidjson::SizeType i) { StandIn::SelectElements(ElementsToSelect(step, i)); }},
        {"clear-selection",
         [](HostProgram&, const Step&, rapidjson::SizeType) { StandIn::ClearSelection(); }},
        {"active-story",
         [](HostProgram&, const Step& step, rapidjson::SizeType i) {
             Int32 story = IntMember(step, i, "story", std::nullopt);
             if (story < StandIn::Settings().firstStory || story > StandIn::LastStory()) {
                 Malformed(i, "\"story\" is not a story of the project");
             }
             StandIn::TheModel().activeStory = static_cast<short>(story);
         }},
        {"point", [](HostProgram&, const Step& step,
                     rapidjson::SizeType i) { StandIn::QueuePointAnswer(PointAnswerOf(step, i)); }},
        {"undo",
         [](HostProgram& host, const Step&, rapidjson::SizeType) {
             host.Out() << (StandIn::UndoLastStep() ? "Undone\n" : "Nothing to undo\n");
         }},
        {"redo",
         [](HostProgram& host, const Step&, rapidjson::SizeType) {
             host.Out() << (StandIn::RedoStep() ? "Redone\n" : "Nothing to redo\n");
         }},
        {"fault",
         [](HostProgram&, const Step& step, rapidjson::SizeType i) {
             StandIn::Faults::Arm(TextMember(step, i, "call"), CodeMember(step, i),
                                  IntMember(step, i, "times", 1), IntMember(step, i, "skip", 0));
         }},
        {"auto-zone",
         [](HostProgram& host, const Step& step, rapidjson::SizeType i) {
             bool referenceLine =
                 step.HasMember("method") && TextMember(step, i, "method") == "referenceLine";
             GS::UniString name(step.HasMember("name") ? TextMember(step, i, "name") : "Zone");
             CreateAutomaticZone(host.Out(), {NumberMember(step, i, "x"), NumberMember(step, i, "y")},
                                 referenceLine, name);
         }},
        {"find-zone",
         [](HostProgram& host, const Step& step, rapidjson::SizeType i) {
             SearchZone(host.Out(), {NumberMember(step, i, "x"), NumberMember(step, i, "y")});
         }},
        {"bodies",
         [](HostProgram& host, const Step& step, rapidjson::SizeType i) {
             for (const API_Guid& guid : ElementsToSelect(step, i)) {
                 PrintBodies(host.Out(), guid);
             }
         }},
        {"press",
         [](HostProgram&, const Step& step, rapidjson::SizeType i) {
             PressButton(PaletteGuid(step, i), GS::UniString(TextMember(step, i, "button"), CC_UTF8));
         }},
        {"close-palette", [](HostProgram& host, const Step& step,
                             rapidjson::SizeType i) { ClosePalette(host.Out(), PaletteGuid(step, i)); }},
        {"resize-palette",
         [](HostProgram&, const Step& step, rapidjson::SizeType i) {
             ResizePalette(PaletteGuid(step, i), static_cast<short>(IntMember(step, i, "dx", 0)),
                           static_cast<short>(IntMember(step, i, "dy", 0)));
         }},
        {"show-palette", [](HostProgram& host, const Step& step,
                            rapidjson::SizeType i) { PrintPalette(host.Out(), PaletteGuid(step, i)); }},
        {"call", CallStep},
        {"import-zones", ImportZonesStep},
        {"script", [](HostProgram&, const Step& step,
                      rapidjson::SizeType i) { RunPageScript(TextMember(step, i, "script")); }},
        {"page-reports",
         [](HostProgram& host, const Step&, rapidjson::SizeType) {
             for (const GS::UniString& report : PageReports()) {
                 host.Out() << "Page: " << report.ToCStr(CC_UTF8).Get() << "\n";
             }
         }},
        {"build-walls", Builder(BuildWalls)},
        {"build-slab", Builder(BuildSlab)},
        {"build-zone", Builder(BuildZone)},
        {"quit", [](HostProgram& host, const Step&, rapidjson::SizeType) { host.Quit(); }},
        {"crash", [](HostProgram&, const Step&, rapidjson::SizeType) { std::raise(SIGSEGV); }},
    };
    return actions;
}

// Far beyond any real session; the writer that hands an argument to the page recurses once per level.
constexpr unsigned MaxSessionDepth = 256;

// How deeply the value's arrays and objects nest, counted without recursion so that no session text
// can exhaust the stack; stops counting once past limit.
unsigned NestingDepth(const rapidjson::Value& root, unsigned limit) {
    std::vector<std::pair<const rapidjson::Value*, unsigned>> pending{{&root, 0u}};
    unsigned deepest = 0;
    while (!pending.empty()) {
        auto [value, depth] = pending.back();
        pending.pop_back();
        if (!value->IsArray() && !value->IsObject()) {
            continue;
        }
        deepest = std::max(deepest, depth + 1);
        if (deepest > limit) {
            break;
        }
        if (value->IsArray()) {
            for (const rapidjson::Value& element : value->GetArray()) {
                pending.emplace_back(&element, depth + 1);
            }
        } else {
            for (const auto& member : value->GetObject()) {
                pending.emplace_back(&member.value, depth + 1);
            }
        }
    }
    return deepest;
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
    if (NestingDepth(session, MaxSessionDepth) > MaxSessionDepth) {
        throw GS::Exception(
            GS::UniString::Printf("Session file nests deeper than %u levels", MaxSessionDepth));
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
