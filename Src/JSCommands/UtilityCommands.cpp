#include "JSCommands/UtilityCommands.hpp"

#include "Main/PluginVersion.hpp"

namespace JSCommands::UtilityCommands {

GS::Ref<JS::Base> GetPluginVersion(GS::Ref<JS::Base>) {
    auto version = GS::NewRef<JS::Object>();
    version->AddItem("major", GS::NewRef<JS::Value>(Int32(PluginVersion::Major)));
    version->AddItem("minor", GS::NewRef<JS::Value>(Int32(PluginVersion::Minor)));
    version->AddItem("patch", GS::NewRef<JS::Value>(Int32(PluginVersion::Patch)));
    version->AddItem("string", GS::NewRef<JS::Value>(PluginVersion::Text));
    return version;
}

} // namespace JSCommands::UtilityCommands
