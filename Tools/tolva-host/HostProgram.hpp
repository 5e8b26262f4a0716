#pragma once

#include "GSException.hpp"
#include "StandIn/AddOnModule.hpp"
#include "StandIn/PlanDrawing.hpp"

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Plays Archicad around one loaded add-on: starts it up as the host does and quits it at the end.
class HostProgram {
public:
    // Throws GS::Exception when the add-on cannot be loaded or refuses to start.
    HostProgram(const std::string& addOnPath, std::ostream& out);
    ~HostProgram();

    const API_EnvirParams& Environment() const { return envir; }
    void PrintInfo() const;
    void ChooseMenuItem(short menuResID, short itemIndex);
    void Quit();
    // Draws a story (the active one when none is given) as SVG; throws for a story the project lacks.
    void SaveDrawing(const std::string& path, std::optional<Int32> story,
                     const std::vector<StandIn::PlanMark>& marks = {}) const;
    // Draws every story, each into PATH with "-story<N>" before its extension; returns the files.
    std::vector<std::string> SaveDrawingsOfEveryStory(const std::string& path) const;
    std::ostream& Out() const { return out; }

private:
    std::ostream& out;
    API_EnvirParams envir = {};
    std::unique_ptr<StandIn::AddOnModule> module;
    bool quit = false;
};

std::string DefaultAddOnPath();
