#include "Geometry/ContextJson.hpp"

#include "Geometry/Crc32.hpp"

#include <charconv>
#include <cstdio>

namespace ContextJson {

namespace {

// Room for one "%.10g" number or one int, with a separator.
constexpr size_t NumberRoom = 32;

// "%.10g": to_chars with a precision formats exactly as printf does, without the locale.
char* PutNumber(char* pen, double value) {
    return std::to_chars(pen, pen + NumberRoom, value, std::chars_format::general, 10).ptr;
}

char* PutIndex(char* pen, int index) {
    return std::to_chars(pen, pen + NumberRoom, index).ptr;
}

// A vertex or a face costs one check for room, not one append per piece.
void AppendMesh(TextBuffer& text, const JSCommands::MeshData& mesh) {
    text.Append("{\"vertices\":[");
    bool first = true;
    for (const JSCommands::Vertex3D& v : mesh.vertices) {
        char* pen = text.Room(3 * NumberRoom + 4);
        if (!first) {
            *pen++ = ',';
        }
        first = false;
        *pen++ = '[';
        pen = PutNumber(pen, v.x);
        *pen++ = ',';
        pen = PutNumber(pen, v.y);
        *pen++ = ',';
        pen = PutNumber(pen, v.z);
        *pen++ = ']';
        text.MovedTo(pen);
    }
    text.Append("],\"faces\":[");
    first = true;
    for (const GS::Array<int>& face : mesh.faces) {
        char* pen = text.Room((face.GetSize() + 1) * NumberRoom);
        if (!first) {
            *pen++ = ',';
        }
        first = false;
        *pen++ = '[';
        bool firstIndex = true;
        for (const int index : face) {
            if (!firstIndex) {
                *pen++ = ',';
            }
            firstIndex = false;
            pen = PutIndex(pen, index);
        }
        *pen++ = ']';
        text.MovedTo(pen);
    }
    text.Append("],\"type\":\"mesh\"}");
}

// What follows a group's items.
void AppendGroupTail(TextBuffer& text, std::string_view name, std::string_view colour,
                     bool withBlockDefinitions, bool withBlockInstances) {
    text.Append(",\"name\":\"");
    text.Append(name);
    text.Append("\",\"color\":\"");
    text.Append(colour);
    text.Append("\"");
    if (withBlockDefinitions) {
        text.Append(",\"blockDefinitions\":{}");
    }
    if (withBlockInstances) {
        text.Append(",\"blockInstances\":[]");
    }
    text.Append(",\"type\":\"group\"}");
}

} // namespace

std::string WriteMeshJson(const JSCommands::MeshData& mesh) {
    TextBuffer text;
    AppendMesh(text, mesh);
    return std::string(text.View());
}

std::string WriteGroupJson(std::string_view items, std::string_view name, std::string_view colour,
                           bool withBlockDefinitions, bool withBlockInstances) {
    TextBuffer text;
    text.Append("{\"items\":");
    text.Append(items);
    AppendGroupTail(text, name, colour, withBlockDefinitions, withBlockInstances);
    return std::string(text.View());
}

ContextWriter::ContextWriter() {
    text.Append("{\"version\":1,\"type\":\"context\",\"value\":");
    valueStart = text.Size();
    OpenGroup();
}

void ContextWriter::StartItem() {
    if (groupHasItems.back()) {
        text.Append(",");
    }
    groupHasItems.back() = true;
}

void ContextWriter::AddMesh(const JSCommands::MeshData& mesh) {
    StartItem();
    AppendMesh(text, mesh);
}

void ContextWriter::OpenGroup() {
    if (!groupHasItems.empty()) {
        StartItem();
    }
    text.Append("{\"items\":[");
    groupHasItems.push_back(false);
}

void ContextWriter::EndGroup(std::string_view name, std::string_view colour, bool withBlockDefinitions) {
    text.Append("]");
    AppendGroupTail(text, name, colour, withBlockDefinitions, true);
    groupHasItems.pop_back();
}

void ContextWriter::CloseGroup(std::string_view name, std::string_view colour) {
    EndGroup(name, colour, false);
}

std::string ContextWriter::Finish(std::string_view rootName, std::string_view rootColour) {
    EndGroup(rootName, rootColour, true);
    const std::string_view value = text.View().substr(valueStart);
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", ComputeCrc32(value.data(), value.size()));
    text.Append(",\"hash\":\"");
    text.Append(hash);
    text.Append("\"}");
    return hash;
}

} // namespace ContextJson
