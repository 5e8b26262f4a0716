#include "CommandSession.hpp"

#include "DGBrowser.hpp"
#include "GSException.hpp"
#include "StandIn/DialogDriver.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Palettes.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/ProjectFile.hpp"

#include <fstream>
#include <sstream>

namespace {

constexpr Int32 BrowserPaletteRef = static_cast<Int32>(2513767824u);
const GS::Guid BrowserPaletteGuid("{FEE27B6B-3873-4834-98B5-F0081AA4CD45}");

} // namespace

CommandSession::CommandSession(const std::string& addOnPath) {
    StandIn::ResetHost();
    module = std::make_unique<StandIn::AddOnModule>(addOnPath);
    API_EnvirParams envir = {};
    if (module->StartUp(&envir) != NoError) {
        throw GS::Exception("The add-on did not start");
    }
}

CommandSession::~CommandSession() {
    StandIn::QuitApplication();
    module.reset();
    StandIn::ResetHost();
}

void CommandSession::Open(const std::string& projectText, const std::vector<API_ElemTypeID>& selected,
                          const API_Coord3D& point) {
    StandIn::LoadProject(projectText);
    StandIn::Host().project = StandIn::ProjectState::Opened;
    StandIn::DeliverProjectEvent(APINotify_Open);
    std::vector<API_Guid> selection;
    for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
        for (API_ElemTypeID type : selected) {
            if (stored.element.header.type.typeID == type) {
                selection.push_back(stored.element.header.guid);
            }
        }
    }
    StandIn::SelectElements(selection);
    StandIn::TheModel().pointAnswers.clear();
    StandIn::QueuePointAnswer({NoError, point});
    if (StandIn::FindPalette(BrowserPaletteGuid) == nullptr) {
        StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    }
    StandIn::Host().report.clear();
}

StandIn::PageEngine& CommandSession::Page() {
    DG::Palette* palette = StandIn::FindPalette(BrowserPaletteGuid);
    auto* browser = palette == nullptr ? nullptr : dynamic_cast<DG::Browser*>(palette->GetItem(1));
    if (browser == nullptr) {
        throw GS::Exception("The add-on opened no browser palette");
    }
    return StandIn::DialogDriver::PageOf(*browser);
}

bool CommandSession::Has(const std::string& command) {
    for (const GS::Ref<JS::Object>& object : Page().GetRegisteredObjects()) {
        if (object->GetName() == GS::UniString("ACAPI")) {
            for (const JS::Object::Member& member : object->GetItemTable()) {
                if (member.name == GS::UniString(command.c_str(), CC_UTF8)) {
                    return true;
                }
            }
        }
    }
    return false;
}

StandIn::PageCallResult CommandSession::Call(const std::string& command, const GS::Ref<JS::Base>& argument) {
    return Page().CallObjectFunction("ACAPI", GS::UniString(command.c_str(), CC_UTF8), argument);
}

void CommandSession::SetPageTimeLimit(std::chrono::milliseconds limit) {
    Page().SetTimeLimit(limit);
}

std::string SourceFile(const std::string& relativePath) {
    std::ifstream file(std::string(TOLVA_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    if (!file) {
        throw GS::Exception(GS::UniString::Printf("Cannot read %s", relativePath.c_str()));
    }
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
