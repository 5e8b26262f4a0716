#pragma once

#include "ACAPinc.h"
#include "JSValues.hpp"

#include <functional>
#include <map>
#include <string>
#include <vector>

// One command on its example: the project it runs on, what is selected, the point the user clicks
// and the argument the page passes.
struct SweepRow {
    std::string command;
    std::string project; // below examples/projects
    std::vector<API_ElemTypeID> selected;
    API_Coord3D point = {};
    std::function<GS::Ref<JS::Base>()> argument;
    // Imports only: the element counts by type that a successful answer's summary names as created.
    std::function<std::map<API_ElemTypeID, int>(const std::string& summary)> createdCounts;

    bool IsImport() const { return static_cast<bool>(createdCounts); }
};

// The exports and imports with their examples. An import the add-on does not register yet is
// skipped by the sweep, so its row can stand here before the command does.
std::vector<SweepRow> SweepRows();
