#include "StandIn/AddOnModule.hpp"

#include "GSException.hpp"
#include "StandIn/Host.hpp"

#include <dlfcn.h>
#include <filesystem>

namespace StandIn {

namespace {

GSResModule NextModuleNumber() {
    static GSResModule next = 1;
    return next++;
}

} // namespace

AddOnModule::AddOnModule(const std::string& path) : path(path) {
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        throw GS::Exception(GS::UniString::Printf("Cannot load the add-on %s: %s", path.c_str(), dlerror()));
    }
    auto* getExported = reinterpret_cast<GetExportedFuncAddrsProc*>(dlsym(library, "GetExportedFuncAddrs"));
    auto* resources = static_cast<const char*>(dlsym(library, "ACAP_ResourceSection"));
    if (getExported == nullptr || dlsym(library, "SetImportedFuncAddrs") == nullptr) {
        dlclose(library);
        throw GS::Exception(
            GS::UniString::Printf("%s is not an add-on: it exports no entry point table", path.c_str()));
    }
    try {
        moduleNumber = NextModuleNumber();
        Host().resources[moduleNumber] =
            resources != nullptr ? ParseGrcResources(resources) : ResourceTable();
    } catch (const GS::Exception& e) {
        dlclose(library);
        throw GS::Exception(GS::UniString::Printf("%s has unreadable resources: %s", path.c_str(),
                                                  e.GetMessage().ToCStr().Get()));
    }
    getExported(&entryPoints);
    if (entryPoints.formatWord != API_GlueFormatWord || entryPoints.apiVersion != API_VersionNumber) {
        Host().resources.erase(moduleNumber);
        dlclose(library);
        throw GS::Exception(GS::UniString::Printf("%s was built for another host (format 0x%X, API %d)",
                                                  path.c_str(), entryPoints.formatWord,
                                                  entryPoints.apiVersion));
    }
    Host().ownLocation = GS::UniString(std::filesystem::absolute(path).lexically_normal().string());
}

AddOnModule::~AddOnModule() {
    if (initialized && !released) {
        Release();
    }
    Host().resources.erase(moduleNumber);
    if (Host().currentModule == moduleNumber) {
        Host().currentModule = 0;
    }
    // Its handlers go with the module: the host never calls into an unloaded add-on.
    Host().menus.clear();
    Host().selectionHandler = nullptr;
    Host().eventSubscriptions.clear();
    Host().palettes.clear();
    // The host keeps a module that asked to stay in memory; the process ends it then.
    if (!Host().keepInMemory) {
        dlclose(library);
    }
}

void AddOnModule::MakeCurrent() const {
    Host().currentModule = moduleNumber;
}

void AddOnModule::ImportHostFunctions() {
    auto* setImported = reinterpret_cast<SetImportedFuncAddrsProc*>(dlsym(library, "SetImportedFuncAddrs"));
    API_HostFunctionTable table{API_GlueFormatWord};
    setImported(&table);
}

API_AddonType AddOnModule::CheckEnvironment(API_EnvirParams* envir) {
    MakeCurrent();
    envir->serverInfo.mainVersion = Host().mainVersion;
    return entryPoints.checkEnvironment(envir);
}

GSErrCode AddOnModule::RegisterInterface() {
    MakeCurrent();
    return entryPoints.registerInterface();
}

GSErrCode AddOnModule::Initialize() {
    MakeCurrent();
    GSErrCode code = entryPoints.initialize();
    initialized = initialized || code == NoError;
    return code;
}

GSErrCode AddOnModule::Release() {
    MakeCurrent();
    released = true;
    return entryPoints.freeData();
}

GSErrCode AddOnModule::StartUp(API_EnvirParams* envir) {
    ImportHostFunctions();
    // An add-on of unknown type, or one that declines, is not registered.
    const API_AddonType type = CheckEnvironment(envir);
    if (type == APIAddon_Unknown || type == APIAddon_DontRegister) {
        return APIERR_GENERAL;
    }
    if (GSErrCode code = RegisterInterface()) {
        return code;
    }
    return Initialize();
}

} // namespace StandIn
