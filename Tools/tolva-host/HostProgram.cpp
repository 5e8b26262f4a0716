#include "HostProgram.hpp"

#include "StandIn/Driver.hpp"
#include "StandIn/PlanDrawing.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/Stories.hpp"

#include <filesystem>
#include <fstream>

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

void HostProgram::SaveDrawing(const std::string& path, std::optional<Int32> story,
                              const std::vector<StandIn::PlanMark>& marks) const {
    Int32 drawn = story.value_or(StandIn::TheModel().activeStory);
    if (drawn < StandIn::Settings().firstStory || drawn > StandIn::LastStory()) {
        throw GS::Exception(GS::UniString::Printf("Story %d is not a story of the project", drawn));
    }
    std::ofstream file(path);
    file << StandIn::DrawStory(static_cast<short>(drawn), marks);
    if (!file) {
        throw GS::Exception(GS::UniString::Printf("Cannot write %s", path.c_str()));
    }
}

std::vector<std::string> HostProgram::SaveDrawingsOfEveryStory(const std::string& path) const {
    const size_t dot = path.rfind('.');
    const size_t slash = path.rfind('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? path.substr(0, dot) : path;
    const std::string extension = hasExtension ? path.substr(dot) : std::string(".svg");
    std::vector<std::string> written;
    for (Int32 story = StandIn::Settings().firstStory; story <= StandIn::LastStory(); ++story) {
        written.push_back(stem + "-story" + std::to_string(story) + extension);
        SaveDrawing(written.back(), story);
    }
    return written;
}

void HostProgram::Quit() {
    if (quit) {
        return;
    }
    quit = true;
    StandIn::QuitApplication();
    module.reset();
}
