#pragma once

#include "ACAPinc.h"
#include "Page/PageEngine.hpp"
#include "StandIn/AddOnModule.hpp"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

// The add-on started in a fresh host, called from the browser palette's page as the web
// application calls it: the page's script engine, the "ACAPI" object and the command wrapper.
class CommandSession {
public:
    // Throws GS::Exception when the add-on cannot be loaded or refuses to start.
    explicit CommandSession(const std::string& addOnPath);
    ~CommandSession();
    CommandSession(const CommandSession&) = delete;
    CommandSession& operator=(const CommandSession&) = delete;

    // Opens the project as the user opens a file (the add-on's caches are emptied), selects its
    // elements of the given types, answers the next point request with `point` (metres) and opens
    // the browser palette when it is not open.
    void Open(const std::string& projectText, const std::vector<API_ElemTypeID>& selected,
              const API_Coord3D& point);
    bool Has(const std::string& command);
    // Throws GS::Exception when the page has no such command.
    StandIn::PageCallResult Call(const std::string& command, const GS::Ref<JS::Base>& argument);
    // How long the page's own script may run in one call before the engine stops it.
    void SetPageTimeLimit(std::chrono::milliseconds limit);

private:
    StandIn::PageEngine& Page();

    std::unique_ptr<StandIn::AddOnModule> module;
};

// The text of a file below the source folder, such as "examples/projects/apartment.json".
std::string SourceFile(const std::string& relativePath);
