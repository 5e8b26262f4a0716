#include "PageSteps.hpp"

#include "DGBrowser.hpp"
#include "GSException.hpp"
#include "ObjExport.hpp"
#include "Page/PageRegistry.hpp"
#include "StandIn/DialogDriver.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Palettes.hpp"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <fstream>
#include <sstream>

namespace {

constexpr Int32 BrowserPaletteReference = static_cast<Int32>(2513767824u);
constexpr const char* BrowserPaletteGuid = "{FEE27B6B-3873-4834-98B5-F0081AA4CD45}";

DG::Browser& OpenPage() {
    if (StandIn::FindPalette(GS::Guid(BrowserPaletteGuid)) == nullptr) {
        StandIn::SendPaletteMessage(BrowserPaletteReference, APIPalMsg_OpenPalette);
    }
    DG::Palette* palette = StandIn::FindPalette(GS::Guid(BrowserPaletteGuid));
    auto* browser = palette == nullptr ? nullptr : dynamic_cast<DG::Browser*>(palette->GetItem(1));
    if (browser == nullptr) {
        throw GS::Exception("The add-on opened no browser palette");
    }
    return *browser;
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw GS::Exception(GS::UniString("Cannot read ", CC_UTF8) + GS::UniString(path.c_str(), CC_UTF8));
    }
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A file's text as a JSON string, or the argument's JSON text as it is.
std::string ArrayItemJson(const std::string& argument) {
    if (argument.empty() || argument[0] != '@') {
        return argument;
    }
    const std::string text = FileText(argument.substr(1));
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    writer.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
    return buffer.GetString();
}

StandIn::PageCallResult CallFromPage(const std::string& command, const std::vector<std::string>& arguments) {
    StandIn::PageEngine& page = StandIn::DialogDriver::PageOf(OpenPage());
    const GS::UniString name(command.c_str(), CC_UTF8);
    if (arguments.empty()) {
        return page.CallObjectFunction("ACAPI", name, GS::Ref<JS::Base>());
    }
    if (arguments.size() == 1 && !arguments[0].empty() && arguments[0][0] == '@') {
        const std::string text = FileText(arguments[0].substr(1));
        return page.CallObjectFunction("ACAPI", name,
                                       GS::NewRef<JS::Value>(GS::UniString(text.c_str(), CC_UTF8)));
    }
    if (arguments.size() == 1) {
        return page.CallObjectFunction("ACAPI", name, arguments[0]);
    }
    // Appended piece by piece: g++ 12 misreads a concatenated temporary here as overlapping copies
    // (-Wrestrict) in optimised builds.
    std::string array = "[";
    for (const std::string& argument : arguments) {
        if (array.size() > 1) {
            array += ',';
        }
        array += ArrayItemJson(argument);
    }
    array += ']';
    return page.CallObjectFunction("ACAPI", name, array);
}

} // namespace

StandIn::PageCallResult CallCommand(const std::string& command, const std::vector<std::string>& arguments) {
    StandIn::PageCallResult result = {};
    try {
        result = CallFromPage(command, arguments);
    } catch (const GS::Exception& e) {
        throw GS::Exception(GS::UniString(("ACAPI." + command + ": ").c_str(), CC_UTF8) + e.GetMessage());
    }
    if (result.state == StandIn::PageCallResult::State::Fulfilled) {
        ExportMeshAnswer(command, result.text);
    }
    return result;
}

void RunPageScript(const std::string& script) {
    OpenPage().ExecuteJS(GS::UniString(script.c_str(), CC_UTF8));
}

const std::vector<GS::UniString>& PageReports() {
    return StandIn::DialogDriver::PageOf(OpenPage()).GetReports();
}

void AddPageOption(const std::string& option) {
    const size_t equals = option.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw GS::Exception("--page takes ADDRESS=FILE");
    }
    StandIn::PageRegistry::AddPage(GS::UniString(option.substr(0, equals).c_str(), CC_UTF8),
                                   option.substr(equals + 1));
}
