#pragma once

#include "ACAPinc.h"
#include "StandIn/LibraryPartFile.hpp"
#include "StandIn/PartScripts.hpp"

#include <optional>
#include <set>
#include <string>
#include <vector>

// The project's libraries: the loaded library's parts (no files behind them) and the embedded
// library, a real folder that belongs to the project and is saved and loaded with it.
namespace StandIn {

struct RegisteredPart {
    Int32 index = 0;
    LibraryPartText part;
    GS::UniString fileName;
    // In the embedded library: the file's path below the library's folder; empty for loaded parts.
    std::string embeddedPath;
};

// A part between ACAPI_LibraryPart_Create and ACAPI_LibraryPart_Save.
struct PartUnderCreation {
    Int32 index = 0;
    std::string embeddedPath;
    LibraryPartText part;
    std::optional<GSType> openSection;
    std::string sectionBytes;
};

struct LibraryState {
    std::vector<RegisteredPart> parts;
    Int32 nextIndex = 1;
    bool embeddedLibrary = true; // tests take it away
    bool overwrite = false;
    std::vector<bool> overwriteSwitches; // every state the add-on set, in order
    std::optional<PartUnderCreation> creation;
    std::string embeddedFolder; // made on first use
    // What the host could not read of placed parts' scripts, "<file>, <script> <problem>".
    std::set<std::string> scriptProblems;
};

HOST_API LibraryState& Libraries();

// What an undoable step takes back of the libraries: the registered parts and every file and folder
// of the embedded library (path below its folder; no content for a folder).
struct LibraryFolderEntry {
    std::string path;
    std::optional<std::string> content;
};
struct LibraryContents {
    std::vector<RegisteredPart> parts;
    std::vector<LibraryFolderEntry> embeddedFolder;
};
HOST_API LibraryContents CurrentLibraryContents();
HOST_API void RestoreLibraryContents(const LibraryContents& contents);
// A new project's: the loaded library with "General Object" (1) and "Door 90" (2), and an empty
// embedded library.
HOST_API LibraryState NewProjectLibraries();

HOST_API const RegisteredPart* FindPart(Int32 index);
// The newest part registered under the file or document name.
HOST_API const RegisteredPart* FindPartByName(const GS::UniString& name);
// The embedded library's folder, made when first asked for.
HOST_API std::string EmbeddedLibraryFolder();
// The path of a location below the embedded library's folder, or none when it is outside.
HOST_API std::optional<std::string> EmbeddedPathOf(const IO::Location& location);
// Registers the part under its embedded path, keeping the index of a part that was there.
HOST_API Int32 RegisterEmbeddedPart(const std::string& embeddedPath, const LibraryPartText& part,
                                    std::optional<Int32> index = std::nullopt);

// The embedded library as a project file holds it, and back; restoring writes the files into the
// open project's embedded folder and throws GS::Exception for a part that cannot be read.
struct EmbeddedPartFile {
    Int32 index = 0;
    std::string path;
    std::string content;
};
HOST_API std::vector<EmbeddedPartFile> EmbeddedPartFiles();
HOST_API void RestoreEmbeddedParts(const std::vector<EmbeddedPartFile>& files);

// What a placed object's part draws and builds, its parameters taken from the element's memo first;
// problems are recorded in scriptProblems.
HOST_API std::optional<PartSymbol> SymbolOfPlacedPart(Int32 libInd,
                                                      const std::vector<API_AddParType>* params);
HOST_API std::optional<PartModel> ModelOfPlacedPart(Int32 libInd, const std::vector<API_AddParType>* params);

} // namespace StandIn
