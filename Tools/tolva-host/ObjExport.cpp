#include "ObjExport.hpp"

#include "GSException.hpp"

#include <rapidjson/document.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

namespace {

std::string& ObjPath() {
    static std::string path;
    return path;
}

constexpr const char* DefaultColor = "#AAAAAA";

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// OBJ names may not hold spaces.
std::string ObjName(std::string name) {
    for (char& c : name) {
        if (c == ' ' || c == '\t') {
            c = '_';
        }
    }
    return name;
}

std::string MaterialName(const std::string& color) {
    std::string name = "color_";
    for (const char c : color) {
        if (c != '#') {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return name;
}

// The items of an array value; nothing for any other value.
rapidjson::Value::ConstArray Items(const rapidjson::Value& value) {
    static const rapidjson::Value empty(rapidjson::kArrayType);
    return value.IsArray() ? value.GetArray() : empty.GetArray();
}

// FILE.obj's materials go to FILE.mtl.
std::string MaterialPathOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + ".mtl";
}

class ObjWriter {
public:
    void Walk(const rapidjson::Value& value, const std::string& path, const std::string& color) {
        if (value.IsArray()) {
            for (const auto& item : value.GetArray()) {
                Walk(item, path, color);
            }
            return;
        }
        if (!value.IsObject() || !value.HasMember("type") || !value["type"].IsString()) {
            return;
        }
        const std::string type = value["type"].GetString();
        if (type == "mesh") {
            Mesh(value, path, color);
        } else if (type == "group" && value.HasMember("items")) {
            const std::string name =
                value.HasMember("name") && value["name"].IsString() ? value["name"].GetString() : "group";
            const std::string groupColor =
                value.HasMember("color") && value["color"].IsString() ? value["color"].GetString() : color;
            Walk(value["items"], path.empty() ? ObjName(name) : path + "/" + ObjName(name), groupColor);
        } else if (value.HasMember("value")) {
            Walk(value["value"], path, color);
        }
    }

    size_t MeshCount() const { return meshes; }
    std::string Obj(const std::string& materialFile) const {
        return "mtllib " + materialFile + "\n" + body.str();
    }
    std::string Materials() const {
        std::string text;
        for (const std::string& color : colors) {
            unsigned red = 0xAA, green = 0xAA, blue = 0xAA;
            std::sscanf(color.c_str(), "#%2x%2x%2x", &red, &green, &blue);
            text += "newmtl " + MaterialName(color) + "\nKd " + Number(red / 255.0) + " " +
                    Number(green / 255.0) + " " + Number(blue / 255.0) + "\n";
        }
        return text;
    }

private:
    void Mesh(const rapidjson::Value& mesh, const std::string& path, const std::string& color) {
        if (!mesh.HasMember("vertices") || !mesh["vertices"].IsArray() || !mesh.HasMember("faces") ||
            !mesh["faces"].IsArray()) {
            return;
        }
        ++meshes;
        colors.insert(color);
        body << "o " << (path.empty() ? "" : path + "/") << "mesh" << meshes << "\nusemtl "
             << MaterialName(color) << "\n";
        const auto& vertices = mesh["vertices"].GetArray();
        for (const auto& vertex : vertices) {
            body << "v";
            for (const auto& coordinate : Items(vertex)) {
                body << " " << (coordinate.IsNumber() ? Number(coordinate.GetDouble()) : "0");
            }
            body << "\n";
        }
        for (const auto& face : mesh["faces"].GetArray()) {
            body << "f";
            for (const auto& index : Items(face)) {
                body << " " << vertexBase + (index.IsInt64() ? index.GetInt64() : 0) + 1;
            }
            body << "\n";
        }
        vertexBase += vertices.Size();
    }

    std::ostringstream body;
    std::set<std::string> colors;
    size_t meshes = 0;
    Int64 vertexBase = 0;
};

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file) {
        throw GS::Exception(GS::UniString(("Cannot write " + path).c_str(), CC_UTF8));
    }
}

} // namespace

void WriteMeshAnswersTo(const std::string& path) {
    ObjPath() = path;
}

void ExportMeshAnswer(const std::string& command, const std::string& answer) {
    if (ObjPath().empty() || (command != "getContext" && command != "getBuildingMassAsJson")) {
        return;
    }
    rapidjson::Document document;
    document.Parse(answer.c_str(), answer.size());
    ObjWriter writer;
    if (!document.HasParseError()) {
        writer.Walk(document, "", DefaultColor);
    }
    if (writer.MeshCount() == 0) {
        std::cerr << "tolva-host: the answer of ACAPI." << command << " holds no meshes; " << ObjPath()
                  << " is left as it is\n";
        return;
    }
    const std::string materialPath = MaterialPathOf(ObjPath());
    const std::string materialFile = materialPath.substr(materialPath.rfind('/') + 1);
    WriteFile(ObjPath(), writer.Obj(materialFile));
    WriteFile(materialPath, writer.Materials());
}
