#pragma once

#include "UniString.hpp"

#include <map>
#include <string>
#include <vector>

namespace StandIn {

struct DialogItemResource {
    std::string kind; // "Button", "LeftText", "Browser", ...
    Int32 x = 0, y = 0, width = 0, height = 0;
    GS::UniString text;
};

struct DialogResource {
    std::string type; // "Palette", "Modal", ...
    std::vector<std::string> flags;
    Int32 x = 0, y = 0, width = 0, height = 0;
    GS::UniString title;
    std::vector<DialogItemResource> items; // item k is items[k - 1]

    bool HasFlag(const std::string& flag) const;
};

// A module's resources as its GRC text declares them.
struct ResourceTable {
    std::map<Int32, std::vector<GS::UniString>> stringLists; // 'STR#'
    std::map<Int32, std::vector<UInt32>> identifiers;        // 'MDID'
    std::map<Int32, DialogResource> dialogs;                 // 'GDLG'
};

// Reads preprocessed GRC text; throws GS::Exception naming the line of a syntax error.
HOST_API ResourceTable ParseGrcResources(const std::string& text);

} // namespace StandIn
