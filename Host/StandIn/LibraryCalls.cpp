#include "ACAPinc.h"
#include "StandIn/Faults.hpp"
#include "StandIn/Host.hpp"
#include "StandIn/Libraries.hpp"
#include "StandIn/Project.hpp"

#include "GSException.hpp"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace StandIn;

namespace {

namespace fs = std::filesystem;

std::string PathText(const IO::Location& location) {
    GS::UniString text;
    location.ToPath(&text);
    return text.ToCStr().Get();
}

void Describe(const RegisteredPart& registered, API_LibPart* libPart) {
    libPart->typeID = registered.part.type;
    libPart->index = registered.index;
    GS::ucsncpy(libPart->docu_UName, registered.part.name.ToUStr().Get(), API_UniLongNameLen);
    GS::ucsncpy(libPart->file_UName, registered.fileName.ToUStr().Get(), API_UniLongNameLen);
    libPart->isPlaceable = registered.part.placeable;
    libPart->missingDef = false;
    std::snprintf(libPart->ownUnID, sizeof(libPart->ownUnID), "%s", registered.part.ownUnID.c_str());
    std::snprintf(libPart->parentUnID, sizeof(libPart->parentUnID), "%s", registered.part.parentUnID.c_str());
}

// "{main}-{revision}", both GUIDs well formed.
bool IsUnID(const char* text) {
    std::string id(text);
    size_t middle = id.find("}-{");
    GS::Guid::Fields fields;
    return id.size() > 4 && id.front() == '{' && id.back() == '}' && middle != std::string::npos &&
           GS::ParseGuidText(GS::UniString(id.substr(1, middle - 1)), &fields) &&
           GS::ParseGuidText(GS::UniString(id.substr(middle + 3, id.size() - middle - 4)), &fields);
}

bool KnownSection(GSType type) {
    return type == API_Sect1DScript || type == API_Sect2DScript || type == API_Sect3DScript ||
           type == API_SectComText || type == API_SectParamDef;
}

// Stores a finished section into the part under creation.
GSErrCode StoreSection(GSType type, const std::string& bytes) {
    LibraryPartText& part = Libraries().creation->part;
    switch (type) {
    case API_Sect1DScript:
        part.masterScript = bytes;
        break;
    case API_Sect2DScript:
        part.script2D = bytes;
        break;
    case API_Sect3DScript:
        part.script3D = bytes;
        break;
    case API_SectComText:
        part.comment = bytes;
        break;
    default:
        try {
            part.parameters = ReadParameterLines(bytes);
        } catch (const GS::Exception&) {
            return APIERR_BADPARS;
        }
    }
    return NoError;
}

} // namespace

GSErrCode ACAPI_LibraryPart_Search(API_LibPart* ancestor, bool /*createIfMissing*/, bool onlyPlaceable) {
    if (auto code = Faults::Take("ACAPI_LibraryPart_Search")) {
        return *code;
    }
    if (ancestor == nullptr) {
        return APIERR_BADPARS;
    }
    const RegisteredPart* found = nullptr;
    GS::UniString name(ancestor->docu_UName);
    if (!name.IsEmpty()) {
        found = FindPartByName(name);
        if (found == nullptr) {
            return APIERR_BADNAME;
        }
    } else {
        for (const RegisteredPart& registered : Libraries().parts) {
            bool idMatches = ancestor->ownUnID[0] == '\0' || registered.part.ownUnID == ancestor->ownUnID;
            if (found == nullptr && idMatches && registered.part.type == ancestor->typeID &&
                (!onlyPlaceable || registered.part.placeable)) {
                found = &registered;
            }
        }
        if (found == nullptr) {
            return APIERR_BADID;
        }
    }
    Describe(*found, ancestor);
    return NoError;
}

GSErrCode ACAPI_LibraryPart_Create(const API_LibPart* libPart) {
    if (auto code = Faults::Take("ACAPI_LibraryPart_Create")) {
        return *code;
    }
    LibraryState& state = Libraries();
    if (Host().project == ProjectState::None) {
        return APIERR_NOPLAN;
    }
    if (state.creation) {
        return APIERR_GENERAL; // one part at a time, as the host creates them
    }
    if (libPart == nullptr || libPart->location == nullptr ||
        (libPart->typeID != APILib_ObjectID && libPart->typeID != APILib_DoorID) ||
        !IsUnID(libPart->parentUnID)) {
        return APIERR_BADPARS;
    }
    GS::UniString name(libPart->docu_UName);
    std::optional<std::string> path = EmbeddedPathOf(*libPart->location);
    if (name.IsEmpty() || !path || path->empty() || fs::path(*path).extension() != ".gsm" ||
        !fs::is_directory(fs::path(EmbeddedLibraryFolder()) / fs::path(*path).parent_path())) {
        return APIERR_BADPARS;
    }
    const RegisteredPart* taken = FindPartByName(name);
    if (taken != nullptr && !state.overwrite) {
        return APIERR_NAMEALREADYUSED;
    }
    PartUnderCreation creation;
    creation.embeddedPath = *path;
    creation.part.name = name;
    creation.part.type = libPart->typeID;
    creation.part.placeable = libPart->isPlaceable;
    creation.part.parentUnID = libPart->parentUnID;
    // Appended piece by piece: g++ 12 misreads "literal" + std::string&& at -O3 (-Wrestrict).
    std::string ownUnID = "{";
    ownUnID += GS::Guid(GS::Guid::GenerateGuid).ToUniString().ToCStr().Get();
    ownUnID += "}-{";
    ownUnID += GS::Guid(GS::Guid::GenerateGuid).ToUniString().ToCStr().Get();
    ownUnID += '}';
    creation.part.ownUnID = ownUnID;
    creation.index = taken != nullptr ? taken->index : state.nextIndex++;
    state.creation = creation;
    return NoError;
}

GSErrCode ACAPI_LibraryPart_NewSection(const API_LibPartSection* section) {
    if (auto code = Faults::Take("ACAPI_LibraryPart_NewSection")) {
        return *code;
    }
    if (section != nullptr && section->sectType == API_Sect2DScript) {
        if (auto code = Faults::Take("ACAPI_LibraryPart_NewSection:2D")) {
            return *code;
        }
    }
    LibraryState& state = Libraries();
    if (!state.creation || state.creation->openSection) {
        return APIERR_GENERAL;
    }
    if (section == nullptr || !KnownSection(section->sectType)) {
        return APIERR_BADPARS;
    }
    state.creation->openSection = section->sectType;
    state.creation->sectionBytes.clear();
    return NoError;
}

GSErrCode ACAPI_LibraryPart_WriteSection(Int32 nByte, GSConstPtr data) {
    if (auto code = Faults::Take("ACAPI_LibraryPart_WriteSection")) {
        return *code;
    }
    LibraryState& state = Libraries();
    if (!state.creation || !state.creation->openSection) {
        return APIERR_GENERAL;
    }
    if (nByte < 0 || (nByte > 0 && data == nullptr)) {
        return APIERR_BADPARS;
    }
    state.creation->sectionBytes.append(data, static_cast<size_t>(nByte));
    return NoError;
}

GSErrCode ACAPI_LibraryPart_EndSection() {
    if (auto code = Faults::Take("ACAPI_LibraryPart_EndSection")) {
        return *code;
    }
    LibraryState& state = Libraries();
    if (!state.creation || !state.creation->openSection) {
        return APIERR_GENERAL;
    }
    GSType type = *state.creation->openSection;
    state.creation->openSection.reset();
    return StoreSection(type, state.creation->sectionBytes);
}

GSErrCode ACAPI_LibraryPart_AddSection(const API_LibPartSection* section, GSHandle sectionHdl,
                                       GS::UniString* sectionStr) {
    if (auto code = Faults::Take("ACAPI_LibraryPart_AddSection")) {
        return *code;
    }
    LibraryState& state = Libraries();
    if (!state.creation || state.creation->openSection) {
        return APIERR_GENERAL;
    }
    if (section == nullptr || !KnownSection(section->sectType) ||
        (sectionHdl == nullptr && sectionStr == nullptr)) {
        return APIERR_BADPARS;
    }
    std::string bytes = sectionHdl != nullptr
                            ? std::string(*sectionHdl, static_cast<size_t>(BMGetHandleSize(sectionHdl)))
                            : std::string(sectionStr->ToCStr().Get());
    return StoreSection(section->sectType, bytes);
}

GSErrCode ACAPI_LibraryPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars, double* a,
                                             double* b, GSHandle sect2DDrawHdl, GSHandle* sectionHdl,
                                             GS::UniString* /*password*/) {
    if (auto code = Faults::Take("ACAPI_LibraryPart_GetSect_ParamDef")) {
        return *code;
    }
    if (libPart == nullptr || sectionHdl == nullptr || sect2DDrawHdl != nullptr || a == nullptr ||
        b == nullptr || !(*a > 0) || !(*b > 0)) {
        return APIERR_BADPARS;
    }
    API_AddParType parameters[2] = {};
    const char* names[2] = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
        parameters[i].typeID = APIParT_Length;
        std::snprintf(parameters[i].name, API_NameLen, "%s", names[i]);
        parameters[i].value.real = i == 0 ? *a : *b;
    }
    std::vector<API_AddParType> list(parameters, parameters + 2);
    if (addPars != nullptr) {
        GSSize count = BMGetHandleSize(reinterpret_cast<GSConstHandle>(addPars)) /
                       static_cast<GSSize>(sizeof(API_AddParType));
        list.insert(list.end(), *addPars, *addPars + count);
    }
    std::string text = WriteParameterLines(list);
    *sectionHdl = BMAllocateHandle(static_cast<GSSize>(text.size()), ALLOCATE_CLEAR, 0);
    if (*sectionHdl == nullptr) {
        return APIERR_MEMFULL;
    }
    std::memcpy(**sectionHdl, text.data(), text.size());
    return NoError;
}

GSErrCode ACAPI_LibraryPart_Save(API_LibPart* libPart) {
    if (auto code = Faults::Take("ACAPI_LibraryPart_Save")) {
        return *code;
    }
    LibraryState& state = Libraries();
    if (!state.creation || state.creation->openSection || libPart == nullptr) {
        return APIERR_GENERAL;
    }
    PartUnderCreation creation = *state.creation;
    state.creation.reset();
    std::string text = WriteLibraryPart(creation.part);
    try {
        ReadLibraryPart(text); // a script line that reads as a section header would not come back
    } catch (const GS::Exception&) {
        return APIERR_BADPARS;
    }
    BeforeLibraryChange();
    fs::path file = fs::path(EmbeddedLibraryFolder()) / creation.embeddedPath;
    std::ofstream out(file, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        return APIERR_GENERAL;
    }
    auto& parts = state.parts;
    std::erase_if(parts, [&](const RegisteredPart& p) { return p.index == creation.index; });
    RegisterEmbeddedPart(creation.embeddedPath, creation.part, creation.index);
    libPart->index = creation.index;
    return NoError;
}

GSErrCode ACAPI_LibraryManagement_GetLibraries(GS::Array<API_LibraryInfo>* activeLibs,
                                               Int32* embeddedLibraryIndex) {
    if (auto code = Faults::Take("ACAPI_LibraryManagement_GetLibraries")) {
        return *code;
    }
    if (activeLibs == nullptr) {
        return APIERR_BADPARS;
    }
    if (Host().project == ProjectState::None) {
        return APIERR_NOPLAN;
    }
    activeLibs->Clear();
    activeLibs->Push({IO::Location(GS::UniString("/Archicad Library 29")), "Archicad Library 29"});
    Int32 embedded = -1;
    if (Libraries().embeddedLibrary) {
        embedded = static_cast<Int32>(activeLibs->GetSize());
        activeLibs->Push({IO::Location(GS::UniString(EmbeddedLibraryFolder())), "Embedded Library"});
    }
    if (embeddedLibraryIndex != nullptr) {
        *embeddedLibraryIndex = embedded;
    }
    return NoError;
}

GSErrCode ACAPI_LibraryManagement_OverwriteLibPart(bool overwrite) {
    if (auto code = Faults::Take("ACAPI_LibraryManagement_OverwriteLibPart")) {
        return *code;
    }
    Libraries().overwrite = overwrite;
    Libraries().overwriteSwitches.push_back(overwrite);
    return NoError;
}

GSErrCode ACAPI_LibraryManagement_CopyFilesIntoLibrary(const IO::Location* targetFolderLocationInLibrary,
                                                       const GS::Array<IO::Location>* filesToCopyPtr,
                                                       const bool* overwriteIfExists) {
    if (auto code = Faults::Take("ACAPI_LibraryManagement_CopyFilesIntoLibrary")) {
        return *code;
    }
    if (targetFolderLocationInLibrary == nullptr || filesToCopyPtr == nullptr) {
        return APIERR_BADPARS;
    }
    const IO::Location& libraryLocation = *targetFolderLocationInLibrary;
    const GS::Array<IO::Location>& filesToCopy = *filesToCopyPtr;
    const bool overwrite = overwriteIfExists != nullptr && *overwriteIfExists;
    if (Host().project == ProjectState::None) {
        return APIERR_NOPLAN;
    }
    std::optional<std::string> folder = EmbeddedPathOf(libraryLocation);
    if (!Libraries().embeddedLibrary || !folder) {
        return APIERR_BADPARS; // only the embedded library takes files
    }
    // Every file is read before any is copied, so a bad one leaves the library as it was.
    std::vector<std::pair<std::string, LibraryPartText>> parts;
    for (const IO::Location& file : filesToCopy) {
        fs::path source(PathText(file));
        std::error_code error;
        if (!fs::is_regular_file(source, error)) {
            return APIERR_BADPARS;
        }
        std::ifstream in(source, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        try {
            parts.emplace_back(text.str(), ReadLibraryPart(text.str()));
        } catch (const GS::Exception&) {
            return APIERR_BADPARS;
        }
    }
    BeforeLibraryChange();
    for (size_t i = 0; i < parts.size(); ++i) {
        fs::path relative =
            fs::path(*folder) / fs::path(PathText(filesToCopy[static_cast<USize>(i)])).filename();
        fs::path target = fs::path(EmbeddedLibraryFolder()) / relative;
        if (fs::exists(target) && !overwrite) {
            continue; // the part already there stays
        }
        std::ofstream(target, std::ios::binary) << parts[i].first;
        RegisterEmbeddedPart(relative.lexically_normal().string(), parts[i].second);
    }
    return NoError;
}
