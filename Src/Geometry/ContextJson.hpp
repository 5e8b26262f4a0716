#pragma once

#include "Geometry/MeshData.hpp"
#include "Geometry/TextBuffer.hpp"

#include <string>
#include <string_view>
#include <vector>

// The context JSON: meshes in named, coloured groups, written compactly as 8-bit (ASCII) text. Names
// and colours are written as they are given, so they must be escaped already.
namespace ContextJson {

// {"vertices":[[X,Y,Z],...],"faces":[[I,J,K],...],"type":"mesh"}: coordinates as "%.10g", indices as "%d".
std::string WriteMeshJson(const JSCommands::MeshData& mesh);

// {"items":ITEMS,"name":"NAME","color":"COLOUR","blockDefinitions":{},"blockInstances":[],"type":"group"},
// the block members only when asked for; ITEMS is a JSON array text.
std::string WriteGroupJson(std::string_view items, std::string_view name, std::string_view colour,
                           bool withBlockDefinitions, bool withBlockInstances);

// The whole document {"version":1,"type":"context","value":VALUE,"hash":"HASH"} written as its parts
// come, into one text: VALUE is the root group, HASH the CRC-32 of VALUE in 8 lower-case hexadecimal
// digits. Items go into the group opened last.
class ContextWriter {
public:
    ContextWriter();

    void AddMesh(const JSCommands::MeshData& mesh);
    void OpenGroup();
    // Closes the group opened last; every group of the context carries "blockInstances".
    void CloseGroup(std::string_view name, std::string_view colour);
    // Closes the root group, with both block members, and the document; returns the hash.
    std::string Finish(std::string_view rootName, std::string_view rootColour);

    // The document so far, terminated by a zero byte.
    const char* Text() { return text.CStr(); }
    size_t Size() const { return text.Size(); }

private:
    void StartItem();
    void EndGroup(std::string_view name, std::string_view colour, bool withBlockDefinitions);

    TextBuffer text;
    size_t valueStart = 0;
    std::vector<bool> groupHasItems; // one per open group, the root first
};

} // namespace ContextJson
