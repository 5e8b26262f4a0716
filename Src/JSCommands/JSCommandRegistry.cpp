#include "JSCommands/JSCommandRegistry.hpp"

#include "JSCommands/BrowserCommands.hpp"
#include "JSCommands/ContextCommands.hpp"
#include "JSCommands/GridCommands.hpp"
#include "JSCommands/ImportBuildingCommand.hpp"
#include "JSCommands/ImportPlanCommand.hpp"
#include "JSCommands/ImportZonesCommand.hpp"
#include "JSCommands/JSCommandWrapper.hpp"
#include "JSCommands/LineCommands.hpp"
#include "JSCommands/MorphCommands.hpp"
#include "JSCommands/UserInputCommands.hpp"
#include "JSCommands/UtilityCommands.hpp"

namespace JSCommandRegistry {

namespace {

struct Command {
    const char* name;
    JSCommands::CommandHandler handler;
};

// In the order of the command table the page is written against; names are case-sensitive.
constexpr Command Commands[] = {
    {"getSelection", JSCommands::UtilityCommands::GetSelection},
    {"importPlan", JSCommands::PlanImportCommands::ImportPlanFromJSON},
    {"importBuildingFromVariantData", JSCommands::PlanImportCommands::ImportBuildingFromVariantData},
    {"importZonesFromSpaces", JSCommands::PlanImportCommands::ImportZonesFromSpaces},
    {"getPluginVersion", JSCommands::UtilityCommands::GetPluginVersion},
    {"getWorkingUnits", JSCommands::UtilityCommands::GetWorkingUnits},
    {"getBuildingMassAsJson", JSCommands::MorphCommands::GetBuildingMassAsJson},
    {"getGridlines", JSCommands::GridCommands::GetGridlines},
    {"getCenterlines", JSCommands::LineCommands::GetCenterlines},
    {"getZoneAtPoint", JSCommands::UserInputCommands::GetZoneAtPoint},
    {"launchBrowser", JSCommands::BrowserCommands::LaunchBrowser},
    {"closeBrowserPalette", JSCommands::BrowserCommands::CloseBrowserPalette},
    {"getContext", JSCommands::ContextCommands::GetContext},
};

} // namespace

void RegisterAllCommands(DG::Browser& browser) {
    auto acapi = GS::NewRef<JS::Object>("ACAPI");
    for (const Command& command : Commands) {
        const JSCommands::CommandHandler handler = command.handler;
        acapi->AddItem(new JS::Function(command.name, [handler](GS::Ref<JS::Base> argument) {
            return JSCommands::JSCommandWrapper(handler, argument);
        }));
    }
    browser.RegisterAsynchJSObject(acapi);
}

} // namespace JSCommandRegistry
