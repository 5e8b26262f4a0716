#pragma once

#include "Glue/APIGlue.h"

#include <string>

namespace StandIn {

// One add-on module loaded the way Archicad loads it: the glue's two exported functions, then the
// four entry points in order. Each step can be run on its own, so tests can skip or fail one.
class HOST_API AddOnModule {
public:
    // Loads the module file and its resource section; throws GS::Exception when it cannot.
    explicit AddOnModule(const std::string& path);
    ~AddOnModule();
    AddOnModule(const AddOnModule&) = delete;
    AddOnModule& operator=(const AddOnModule&) = delete;

    void ImportHostFunctions();
    API_AddonType CheckEnvironment(API_EnvirParams* envir);
    GSErrCode RegisterInterface();
    GSErrCode Initialize();
    GSErrCode Release();

    // Environment check, registration and initialisation; the first failure is returned.
    GSErrCode StartUp(API_EnvirParams* envir);

    const std::string& GetPath() const { return path; }

private:
    void MakeCurrent() const;

    std::string path;
    void* library = nullptr;
    GSResModule moduleNumber = 0;
    API_AddOnEntryPoints entryPoints;
    bool released = false;
    bool initialized = false;
};

} // namespace StandIn
