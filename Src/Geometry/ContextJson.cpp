#include "Geometry/ContextJson.hpp"

#include "Geometry/Crc32.hpp"

#include <charconv>
#include <cstdio>

namespace ContextJson {

namespace {

// Room for one "%.10g" number or one int.
constexpr size_t NumberRoom = 32;
// What a vertex and a triangle take on average, to reserve the text once.
constexpr size_t VertexEstimate = 40;
constexpr size_t FaceEstimate = 24;

// "%.10g": to_chars with a precision formats exactly as printf does, without the locale.
char* PutNumber(char* at, double value) {
    return std::to_chars(at, at + NumberRoom, value, std::chars_format::general, 10).ptr;
}

void AppendVertex(std::string& text, const JSCommands::Vertex3D& v) {
    char buffer[3 * NumberRoom + 4];
    char* at = buffer;
    *at++ = '[';
    at = PutNumber(at, v.x);
    *at++ = ',';
    at = PutNumber(at, v.y);
    *at++ = ',';
    at = PutNumber(at, v.z);
    *at++ = ']';
    text.append(buffer, at);
}

void AppendFace(std::string& text, const GS::Array<int>& face) {
    text += '[';
    bool first = true;
    for (const int index : face) {
        char buffer[NumberRoom];
        char* at = buffer;
        if (!first) {
            *at++ = ',';
        }
        first = false;
        at = std::to_chars(at, buffer + NumberRoom, index).ptr;
        text.append(buffer, at);
    }
    text += ']';
}

} // namespace

std::string WriteMeshJson(const JSCommands::MeshData& mesh) {
    std::string text;
    text.reserve(mesh.vertices.GetSize() * VertexEstimate + mesh.faces.GetSize() * FaceEstimate + 64);
    text += "{\"vertices\":[";
    bool first = true;
    for (const JSCommands::Vertex3D& vertex : mesh.vertices) {
        if (!first) {
            text += ',';
        }
        first = false;
        AppendVertex(text, vertex);
    }
    text += "],\"faces\":[";
    first = true;
    for (const GS::Array<int>& face : mesh.faces) {
        if (!first) {
            text += ',';
        }
        first = false;
        AppendFace(text, face);
    }
    text += "],\"type\":\"mesh\"}";
    return text;
}

std::string JoinItems(const std::vector<std::string>& entries) {
    size_t length = 2;
    for (const std::string& entry : entries) {
        length += entry.size() + 1;
    }
    std::string text;
    text.reserve(length);
    text += '[';
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            text += ',';
        }
        text += entries[i];
    }
    text += ']';
    return text;
}

std::string WriteGroupJson(std::string_view items, std::string_view name, std::string_view colour,
                           bool withBlockDefinitions, bool withBlockInstances) {
    std::string text;
    text.reserve(items.size() + name.size() + colour.size() + 128);
    text += "{\"items\":";
    text += items;
    text += ",\"name\":\"";
    text += name;
    text += "\",\"color\":\"";
    text += colour;
    text += '"';
    if (withBlockDefinitions) {
        text += ",\"blockDefinitions\":{}";
    }
    if (withBlockInstances) {
        text += ",\"blockInstances\":[]";
    }
    text += ",\"type\":\"group\"}";
    return text;
}

ContextDocument WriteContextDocument(std::string_view value) {
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", ComputeCrc32(value.data(), value.size()));
    ContextDocument document;
    document.hash = hash;
    document.text.reserve(value.size() + 80);
    document.text += "{\"version\":1,\"type\":\"context\",\"value\":";
    document.text += value;
    document.text += ",\"hash\":\"";
    document.text += document.hash;
    document.text += "\"}";
    return document;
}

} // namespace ContextJson
