#include "PageSteps.hpp"

#include "DGBrowser.hpp"
#include "GSException.hpp"
#include "ObjExport.hpp"
#include "Page/PageRegistry.hpp"
#include "StandIn/DialogDriver.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Palettes.hpp"

#include <fstream>
#include <sstream>

namespace {

constexpr GS::IntPtr BrowserPaletteReference = 2513767824u;
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
        throw GS::Exception(GS::UniString("Cannot read ", GS::CC_UTF8) +
                            GS::UniString(path.c_str(), GS::CC_UTF8));
    }
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// ARGUMENT is JSON text, "@FILE" for a file's text as one string, or empty for no argument.
StandIn::PageCallResult CallFromPage(const std::string& command, const std::string& argument) {
    StandIn::PageEngine& page = StandIn::DialogDriver::PageOf(OpenPage());
    const GS::UniString name(command.c_str(), GS::CC_UTF8);
    if (argument.empty()) {
        return page.CallObjectFunction("ACAPI", name, GS::Ref<JS::Base>());
    }
    if (argument[0] == '@') {
        const std::string text = FileText(argument.substr(1));
        return page.CallObjectFunction("ACAPI", name,
                                       GS::NewRef<JS::Value>(GS::UniString(text.c_str(), GS::CC_UTF8)));
    }
    return page.CallObjectFunction("ACAPI", name, argument);
}

} // namespace

StandIn::PageCallResult CallCommand(const std::string& command, const std::string& argument) {
    StandIn::PageCallResult result = {};
    try {
        result = CallFromPage(command, argument);
    } catch (const GS::Exception& e) {
        throw GS::Exception(GS::UniString(("ACAPI." + command + ": ").c_str(), GS::CC_UTF8) + e.GetMessage());
    }
    if (result.state == StandIn::PageCallResult::State::Fulfilled) {
        ExportMeshAnswer(command, result.text);
    }
    return result;
}

void RunPageScript(const std::string& script) {
    OpenPage().ExecuteJS(GS::UniString(script.c_str(), GS::CC_UTF8));
}

const std::vector<GS::UniString>& PageReports() {
    return StandIn::DialogDriver::PageOf(OpenPage()).GetReports();
}

void AddPageOption(const std::string& option) {
    const size_t equals = option.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw GS::Exception("--page takes ADDRESS=FILE");
    }
    StandIn::PageRegistry::AddPage(GS::UniString(option.substr(0, equals).c_str(), GS::CC_UTF8),
                                   option.substr(equals + 1));
}
