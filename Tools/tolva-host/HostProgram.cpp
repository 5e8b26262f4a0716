#include "HostProgram.hpp"

#include "StandIn/Driver.hpp"

#include <filesystem>

std::string DefaultAddOnPath() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / "TolvaAddOn.so").string();
}

HostProgram::HostProgram(const std::string& addOnPath, std::ostream& out) : out(out) {
    module = std::make_unique<StandIn::AddOnModule>(addOnPath);
    if (GSErrCode code = module->StartUp(&envir)) {
        throw GS::Exception(
            GS::UniString::Printf("The add-on did not start: error 0x%08X", static_cast<UInt32>(code)));
    }
}

HostProgram::~HostProgram() {
    Quit();
}

void HostProgram::PrintInfo() const {
    out << "Name: " << envir.addOnInfo.name.ToCStr().Get() << "\n";
    out << "Description: " << envir.addOnInfo.description.ToCStr().Get() << "\n";
    for (const StandIn::MenuRegistration& menu : StandIn::Host().menus) {
        out << "Menu: " << menu.title.ToCStr().Get() << "\n";
        for (const GS::UniString& item : menu.items) {
            out << "  Item: " << item.ToCStr().Get() << "\n";
        }
    }
}

void HostProgram::ChooseMenuItem(short menuResID, short itemIndex) {
    if (!StandIn::SendMenuCommand(menuResID, itemIndex)) {
        throw GS::Exception(GS::UniString::Printf("No menu %d is installed", menuResID));
    }
}

void HostProgram::Quit() {
    if (quit) {
        return;
    }
    quit = true;
    StandIn::QuitApplication();
    module.reset();
}
