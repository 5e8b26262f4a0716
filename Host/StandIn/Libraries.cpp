#include "StandIn/Libraries.hpp"

#include "GSException.hpp"
#include "StandIn/Host.hpp"
#include "StandIn/Project.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace StandIn {

namespace {

namespace fs = std::filesystem;

// One folder per run of the host, holding every project's embedded library; removed at exit.
class LibraryRoot {
public:
    const fs::path& Path() {
        if (path.empty()) {
            std::string pattern = (fs::temp_directory_path() / "tolva-host-libraries-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr) {
                throw GS::Exception("Cannot make a folder for the embedded libraries");
            }
            path = pattern;
        }
        return path;
    }
    ~LibraryRoot() {
        std::error_code error;
        if (!path.empty()) {
            fs::remove_all(path, error);
        }
    }

private:
    fs::path path;
};

LibraryRoot& Root() {
    static LibraryRoot root;
    return root;
}

LibraryPartText LoadedPart(const char* name, API_LibTypeID type, const char* ownUnID, const char* script3D,
                           std::vector<API_AddParType> parameters) {
    LibraryPartText part;
    part.name = name;
    part.type = type;
    part.ownUnID = ownUnID;
    part.script3D = script3D;
    part.parameters = std::move(parameters);
    return part;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A parameter by exact name: the placed element's value, else the part's default.
ParameterValue ValuesFor(const RegisteredPart& registered, const std::vector<API_AddParType>* params) {
    return [&registered, params](const std::string& name) -> std::optional<double> {
        for (const std::vector<API_AddParType>* list : {params, &registered.part.parameters}) {
            if (list == nullptr) {
                continue;
            }
            for (const API_AddParType& parameter : *list) {
                if (name == parameter.name && parameter.typeID != APIParT_CString) {
                    return parameter.value.real;
                }
            }
        }
        return std::nullopt;
    };
}

void Record(const RegisteredPart& registered, const char* script, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) {
        Libraries().scriptProblems.insert(std::string(registered.fileName.ToCStr().Get()) + ", " + script +
                                          " " + problem);
    }
}

} // namespace

LibraryState& Libraries() {
    static LibraryState state;
    return state;
}

LibraryContents CurrentLibraryContents() {
    LibraryContents contents;
    contents.parts = Libraries().parts;
    const std::string& folder = Libraries().embeddedFolder;
    if (folder.empty()) {
        return contents;
    }
    std::vector<fs::path> paths;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        paths.push_back(entry.path());
    }
    // A folder comes before what is in it, in the same order on every machine.
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) {
        std::optional<std::string> content;
        if (!fs::is_directory(path)) {
            content = ReadFile(path);
        }
        contents.embeddedFolder.push_back({path.lexically_relative(folder).string(), content});
    }
    return contents;
}

void RestoreLibraryContents(const LibraryContents& contents) {
    LibraryState& state = Libraries();
    state.parts = contents.parts;
    if (state.embeddedFolder.empty()) {
        return;
    }
    const fs::path folder = state.embeddedFolder;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        fs::remove_all(entry.path());
    }
    for (const LibraryFolderEntry& entry : contents.embeddedFolder) {
        if (entry.content) {
            std::ofstream(folder / entry.path, std::ios::binary) << *entry.content;
        } else {
            fs::create_directories(folder / entry.path);
        }
    }
}

LibraryState NewProjectLibraries() {
    LibraryState state;
    state.parts.push_back(
        {1,
         LoadedPart("General Object", APILib_ObjectID, "{6C2E2F40-3A5B-4C1D-8E9F-0A1B2C3D4E01}",
                    "BLOCK A, B, ZZYZX\r\n", StandardObjectParameters()),
         "General Object.gsm",
         {}});
    state.parts.push_back({2,
                           LoadedPart("Door 90", APILib_DoorID, "{6C2E2F40-3A5B-4C1D-8E9F-0A1B2C3D4E02}", "",
                                      {LengthParameter("A", 0.9), LengthParameter("B", 2.1)}),
                           "Door 90.gsm",
                           {}});
    state.nextIndex = 3;
    return state;
}

const RegisteredPart* FindPart(Int32 index) {
    const auto& parts = Libraries().parts;
    auto found =
        std::find_if(parts.begin(), parts.end(), [&](const RegisteredPart& p) { return p.index == index; });
    return found == parts.end() ? nullptr : &*found;
}

const RegisteredPart* FindPartByName(const GS::UniString& name) {
    const auto& parts = Libraries().parts;
    auto found = std::find_if(parts.rbegin(), parts.rend(), [&](const RegisteredPart& p) {
        return p.fileName == name || p.part.name == name;
    });
    return found == parts.rend() ? nullptr : &*found;
}

std::string EmbeddedLibraryFolder() {
    LibraryState& state = Libraries();
    if (state.embeddedFolder.empty()) {
        static int projects = 0;
        fs::path folder = Root().Path() / ("project-" + std::to_string(++projects)) / "Embedded Library";
        fs::create_directories(folder);
        state.embeddedFolder = folder.string();
    }
    return state.embeddedFolder;
}

std::optional<std::string> EmbeddedPathOf(const IO::Location& location) {
    GS::UniString text;
    location.ToPath(&text);
    fs::path path = fs::path(text.ToCStr().Get()).lexically_normal();
    fs::path relative = path.lexically_relative(fs::path(EmbeddedLibraryFolder()).lexically_normal());
    if (relative.empty() || *relative.begin() == ".." || relative.is_absolute()) {
        return std::nullopt;
    }
    return relative.string() == "." ? std::string() : relative.string();
}

Int32 RegisterEmbeddedPart(const std::string& embeddedPath, const LibraryPartText& part,
                           std::optional<Int32> index) {
    LibraryState& state = Libraries();
    GS::UniString fileName(fs::path(embeddedPath).filename().string());
    auto same = std::find_if(state.parts.begin(), state.parts.end(), [&](const RegisteredPart& p) {
        return !p.embeddedPath.empty() && p.embeddedPath == embeddedPath;
    });
    if (same != state.parts.end()) {
        same->part = part;
        return same->index;
    }
    Int32 given = index.value_or(state.nextIndex);
    state.nextIndex = std::max(state.nextIndex, given + 1);
    state.parts.push_back({given, part, fileName, embeddedPath});
    return given;
}

std::vector<EmbeddedPartFile> EmbeddedPartFiles() {
    std::vector<EmbeddedPartFile> files;
    for (const RegisteredPart& registered : Libraries().parts) {
        if (!registered.embeddedPath.empty()) {
            files.push_back({registered.index, registered.embeddedPath,
                             ReadFile(fs::path(EmbeddedLibraryFolder()) / registered.embeddedPath)});
        }
    }
    return files;
}

void RestoreEmbeddedParts(const std::vector<EmbeddedPartFile>& files) {
    for (const EmbeddedPartFile& file : files) {
        fs::path relative = fs::path(file.path).lexically_normal();
        if (file.path.empty() || relative.is_absolute() || *relative.begin() == ".." ||
            FindPart(file.index) != nullptr) {
            throw GS::Exception(GS::UniString::Printf(
                "Embedded library part %s: its path or index is taken or outside the library",
                file.path.c_str()));
        }
        LibraryPartText part = ReadLibraryPart(file.content);
        fs::path target = fs::path(EmbeddedLibraryFolder()) / relative;
        fs::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << file.content;
        RegisterEmbeddedPart(relative.string(), part, file.index);
    }
}

std::optional<PartSymbol> SymbolOfPlacedPart(Int32 libInd, const std::vector<API_AddParType>* params) {
    const RegisteredPart* registered = FindPart(libInd);
    if (registered == nullptr || registered->part.script2D.empty()) {
        return std::nullopt;
    }
    PartSymbol symbol = Read2DScript(registered->part.script2D, ValuesFor(*registered, params));
    Record(*registered, "2D script", symbol.problems);
    return symbol;
}

std::optional<PartModel> ModelOfPlacedPart(Int32 libInd, const std::vector<API_AddParType>* params) {
    const RegisteredPart* registered = FindPart(libInd);
    if (registered == nullptr || registered->part.script3D.empty()) {
        return std::nullopt;
    }
    PartModel model = Read3DScript(registered->part.script3D, ValuesFor(*registered, params));
    Record(*registered, "3D script", model.problems);
    return model;
}

} // namespace StandIn
