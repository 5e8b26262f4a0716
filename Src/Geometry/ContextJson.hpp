#pragma once

#include "Geometry/MeshData.hpp"

#include <string>
#include <string_view>
#include <vector>

// The context JSON: meshes in named, coloured groups, written compactly as 8-bit (ASCII) text.
namespace ContextJson {

// {"vertices":[[X,Y,Z],...],"faces":[[I,J,K],...],"type":"mesh"}: coordinates as "%.10g", indices as "%d".
std::string WriteMeshJson(const JSCommands::MeshData& mesh);

// The entries (meshes or groups) joined by commas, in brackets.
std::string JoinItems(const std::vector<std::string>& entries);

// {"items":ITEMS,"name":"NAME","color":"COLOUR","blockDefinitions":{},"blockInstances":[],"type":"group"},
// the block members only when asked for. The name and colour are written as they are given, so they
// must be escaped already.
std::string WriteGroupJson(std::string_view items, std::string_view name, std::string_view colour,
                           bool withBlockDefinitions, bool withBlockInstances);

struct ContextDocument {
    std::string text;
    std::string hash; // the CRC-32 of the value in 8 lower-case hexadecimal digits
};

// {"version":1,"type":"context","value":VALUE,"hash":"HASH"}.
ContextDocument WriteContextDocument(std::string_view value);

} // namespace ContextJson
